#pragma once

#include "pictures/picture.h"

#include <QVariant>
#include <QWidget>
#include <functional>
#include <vector>

class QTimer;

namespace app {

// The picture control. Centre shows the picture at its own size in the middle of the box, its
// middle part when it is larger; Grow resizes the box to the picture and its parent panel with it,
// both keeping their top-left corner. Transparent pixels show white, the windows' background.
// Animated pictures play only while the box is visible, on a single-shot timer named
// "animationTimer"; nothing runs for a still or hidden picture.
class PictureBox final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureBox)

public:
    enum class Fit { Centre, Grow };

    explicit PictureBox(QWidget* parent = nullptr);

    void setFit(Fit fit);
    Fit fit() const;
    void setPicture(pictures::Picture picture);
    void clearPicture();
    const pictures::Picture& picture() const;
    int currentFrame() const;
    // True while the animation timer runs: an animated picture, visible, with plays left.
    bool isAnimating() const;
    // Shows the next frame, counting the plays the picture's loop setting allows; what the
    // animation timer calls.
    void advanceFrame();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void grow();
    void scheduleFrame();
    // Where the current frame lies in the box.
    QRect frameRect() const;
    // The current frame as it is shown: on white where it is transparent.
    const QImage& shownFrame();
    // A box that the picture covers paints every pixel itself: nothing behind it is painted again.
    void updateOpacity();

    pictures::Picture picture_;
    Fit fit_ = Fit::Centre;
    int frame_ = 0;
    int plays_ = 0;
    bool finished_ = false;
    QTimer* timer_;
    std::vector<QImage> onWhite_; // by frame, made when first shown
};

// Loads the picture that a stored field names into box and shows it; hides the box when the field
// names none. On a load error: hides the box and reports the error with
// app::reportErrorLater(box, text); returns false.
bool showStoredPicture(PictureBox* box, const QVariant& field);

// The same with the program folder and the report given, for tests.
bool showStoredPicture(PictureBox* box, const QVariant& field, const QString& programFolder,
                       const std::function<void(const QString&)>& report);

} // namespace app

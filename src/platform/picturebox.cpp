#include "picturebox.h"

#include "data/programfolder.h"
#include "platform/dialogs.h"

#include <QPainter>
#include <QTimer>

namespace app {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), timer_(new QTimer(this))
{
    timer_->setObjectName(QStringLiteral("animationTimer"));
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &PictureBox::advanceFrame);
}

void PictureBox::setFit(Fit fit)
{
    fit_ = fit;
    grow();
    updateOpacity();
    update();
}

PictureBox::Fit PictureBox::fit() const
{
    return fit_;
}

void PictureBox::setPicture(pictures::Picture picture)
{
    picture_ = std::move(picture);
    onWhite_.assign(size_t(picture_.frames.size()), QImage());
    frame_ = 0;
    plays_ = 0;
    finished_ = false;
    grow();
    updateOpacity();
    updateGeometry();
    update();
    scheduleFrame();
}

void PictureBox::clearPicture()
{
    setPicture(pictures::Picture());
}

const pictures::Picture& PictureBox::picture() const
{
    return picture_;
}

int PictureBox::currentFrame() const
{
    return frame_;
}

bool PictureBox::isAnimating() const
{
    return timer_->isActive();
}

void PictureBox::advanceFrame()
{
    if (!picture_.isAnimated() || finished_)
        return;
    if (frame_ + 1 < picture_.frames.size()) {
        ++frame_;
    } else {
        ++plays_;
        if (picture_.loopCount != 0 && plays_ >= picture_.loopCount) {
            finished_ = true;
            timer_->stop();
            return;
        }
        frame_ = 0;
    }
    // Only the picture changes; the box around it and its parent stay as they are.
    update(frameRect());
    scheduleFrame();
}

QSize PictureBox::sizeHint() const
{
    return picture_.isNull() ? QWidget::sizeHint() : picture_.size();
}

QRect PictureBox::frameRect() const
{
    const QSize size = picture_.isNull() ? QSize() : picture_.frames.at(frame_).image.size();
    const QPoint origin = fit_ == Fit::Centre
                              ? QPoint((width() - size.width()) / 2, (height() - size.height()) / 2)
                              : QPoint(0, 0);
    return QRect(origin, size);
}

const QImage& PictureBox::shownFrame()
{
    const QImage& image = picture_.frames.at(frame_).image;
    if (!image.hasAlphaChannel())
        return image;
    QImage& composed = onWhite_[size_t(frame_)];
    if (composed.isNull()) {
        composed = QImage(image.size(), QImage::Format_RGB32);
        composed.fill(Qt::white);
        QPainter painter(&composed);
        painter.drawImage(0, 0, image);
    }
    return composed;
}

void PictureBox::updateOpacity()
{
    setAttribute(Qt::WA_OpaquePaintEvent,
                 !picture_.isNull() && frameRect().contains(rect(), false));
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(frameRect().topLeft(), shownFrame());
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateOpacity();
}

void PictureBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    scheduleFrame();
}

void PictureBox::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    timer_->stop();
}

void PictureBox::grow()
{
    if (fit_ != Fit::Grow || picture_.isNull())
        return;
    const QSize growth = picture_.size() - size();
    resize(picture_.size());
    QWidget* panel = parentWidget();
    if (panel && !panel->isWindow())
        panel->resize(panel->size() + growth);
}

void PictureBox::scheduleFrame()
{
    if (picture_.isAnimated() && !finished_ && isVisible())
        timer_->start(pictures::playbackDelayMs(picture_.frames.at(frame_)));
    else
        timer_->stop();
}

bool showStoredPicture(PictureBox* box, const QVariant& field)
{
    return showStoredPicture(box, field, data::programFolder(),
                             [box](const QString& text) { reportErrorLater(box, text); });
}

bool showStoredPicture(PictureBox* box, const QVariant& field, const QString& programFolder,
                       const std::function<void(const QString&)>& report)
{
    const std::optional<QString> path = pictures::picturePath(field, programFolder);
    if (!path) {
        box->hide();
        return true;
    }
    QString failure;
    try {
        box->setPicture(pictures::loadPictureFile(*path));
    } catch (const std::exception& e) {
        failure = errorText(e);
    }
    if (!failure.isNull()) {
        // The previous question's picture must not stand in for this one's.
        box->clearPicture();
        box->hide();
        report(failure);
        return false;
    }
    box->show();
    return true;
}

} // namespace app

#include "artwork.h"

#include "pictures/picture.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QtDebug>

#include <future>

namespace app {
namespace {

// Safe on any thread: no pixmap yet.
QImage decodeArtwork(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("artwork %s: %s", qUtf8Printable(resourcePath),
                 qUtf8Printable(file.errorString()));
        return {};
    }
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(resourcePath).suffix().toLower();
    QImage image;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        try {
            image = pictures::decodeJpeg(bytes).frames.first().image;
        } catch (const base::Error& e) {
            qWarning("artwork %s: %s", qUtf8Printable(resourcePath), qUtf8Printable(e.text()));
            return {};
        }
    } else {
        image = QImage::fromData(bytes);
    }
    if (image.isNull())
        qWarning("artwork %s: cannot decode", qUtf8Printable(resourcePath));
    return image;
}

class ArtworkOnFirstShow final : public QObject
{
public:
    ArtworkOnFirstShow(QWidget* window, std::vector<std::pair<QLabel*, QString>> pictures)
        : QObject(window)
    {
        std::vector<QString> paths;
        for (auto& [label, path] : pictures) {
            labels_.emplace_back(label);
            paths.push_back(std::move(path));
        }
        images_ = std::async(std::launch::async, [paths = std::move(paths)] {
            std::vector<QImage> images;
            for (const QString& path : paths)
                images.push_back(decodeArtwork(path));
            return images;
        });
        window->installEventFilter(this);
    }
    // A window closed before it was ever shown still waits for its pictures here.
    ~ArtworkOnFirstShow() override = default;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            const std::vector<QImage> images = images_.get();
            for (size_t i = 0; i < labels_.size(); ++i) {
                if (labels_[i])
                    labels_[i]->setPixmap(QPixmap::fromImage(images[i]));
            }
            deleteLater();
        }
        return false;
    }

private:
    std::vector<QPointer<QLabel>> labels_;
    std::future<std::vector<QImage>> images_;
};

} // namespace

QPixmap artwork(const QString& resourcePath)
{
    return QPixmap::fromImage(decodeArtwork(resourcePath));
}

void artworkOnFirstShow(QWidget* window, std::vector<std::pair<QLabel*, QString>> pictures)
{
    new ArtworkOnFirstShow(window, std::move(pictures));
}

} // namespace app

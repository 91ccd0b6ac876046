#include "artwork.h"

#include "pictures/picture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtDebug>

namespace app {

QPixmap artwork(const QString& resourcePath)
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
    return QPixmap::fromImage(std::move(image));
}

} // namespace app

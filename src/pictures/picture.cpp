#include "picture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace pictures {

QSize Picture::size() const
{
    return frames.isEmpty() ? QSize() : frames.first().image.size();
}

bool Picture::isNull() const
{
    return frames.isEmpty();
}

bool Picture::isAnimated() const
{
    return frames.size() > 1;
}

int playbackDelayMs(const Frame& frame)
{
    return frame.delayMs <= 10 ? 100 : frame.delayMs;
}

namespace {

// The most a picture file may weigh before it is read into memory.
constexpr qint64 maxFileBytes = qint64(256) * 1024 * 1024;

// Trims blanks and control characters, codes up to 32, from both ends.
QString trimControl(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && s.at(end - 1).unicode() <= 32)
        --end;
    return s.mid(begin, end - begin);
}

// The entry of dir whose name equals name except for letter case; the first in name order when
// several do.
QString caseMatch(const QString& dir, const QString& name)
{
    const QStringList entries = QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

// Banks are made on Windows, where file names are compared without regard to case.
QString resolveCase(const QString& folder, const QString& relative)
{
    const QString exact = folder + relative;
    if (QFileInfo::exists(exact))
        return exact;
    QString path = folder;
    const QStringList parts = relative.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        QString next = part;
        if (!part.isEmpty() && !QFileInfo::exists(path + part)) {
            next = caseMatch(path, part);
            if (next.isEmpty())
                return exact;
        }
        path += next;
        if (i + 1 < parts.size())
            path += QLatin1Char('/');
    }
    return path;
}

Picture decodeByQt(const QByteArray& bytes, const char* format)
{
    const Limits limits;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(int(limits.maxFramePixels * 4 / (1024 * 1024)));
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > limits.maxSide || size.height() > limits.maxSide ||
                           qint64(size.width()) * size.height() > limits.maxFramePixels))
        throw Error(QStringLiteral("图象过大：%1 × %2 像素（每边至多 %3 像素，合计至多 %4 像素）")
                        .arg(size.width())
                        .arg(size.height())
                        .arg(limits.maxSide)
                        .arg(limits.maxFramePixels));
    QImage image = reader.read();
    if (image.isNull())
        throw Error(QStringLiteral("%1 图象无法解码").arg(QString::fromLatin1(format).toUpper()));
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    Picture picture;
    picture.frames.append(Frame{std::move(image), 0});
    picture.loopCount = 1;
    return picture;
}

} // namespace

Picture loadPictureFile(const QString& path)
{
    enum class Kind { Jpeg, Gif, Bmp, Ico, Metafile };
    const QString extension = QFileInfo(path).suffix();
    const QString lower = extension.toLower();
    Kind kind;
    if (lower == QLatin1String("jpg") || lower == QLatin1String("jpeg"))
        kind = Kind::Jpeg;
    else if (lower == QLatin1String("gif"))
        kind = Kind::Gif;
    else if (lower == QLatin1String("bmp"))
        kind = Kind::Bmp;
    else if (lower == QLatin1String("ico"))
        kind = Kind::Ico;
    else if (lower == QLatin1String("wmf") || lower == QLatin1String("emf"))
        kind = Kind::Metafile;
    else
        throw Error(QStringLiteral("未知的图象文件扩展名 (.%1)").arg(extension));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    if (kind == Kind::Metafile)
        throw Error(QStringLiteral("无法显示图象文件 \"%1\"：本程序不能显示图元文件 (.%2)")
                        .arg(path, extension));
    if (file.size() > maxFileBytes)
        throw Error(QStringLiteral("无法显示图象文件 \"%1\"：文件过大 (%2 字节)")
                        .arg(path)
                        .arg(file.size()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));

    try {
        switch (kind) {
        case Kind::Jpeg:
            return decodeJpeg(bytes);
        case Kind::Gif:
            return decodeGif(bytes);
        case Kind::Bmp:
            return decodeByQt(bytes, "bmp");
        case Kind::Ico:
            return decodeByQt(bytes, "ico");
        case Kind::Metafile:
            break;
        }
    } catch (const Error& e) {
        throw Error(QStringLiteral("无法显示图象文件 \"%1\"：%2").arg(path, e.text()));
    }
    Q_UNREACHABLE();
}

bool namesNothing(const QVariant& field)
{
    const QString stored = field.isNull() ? QString() : field.toString();
    return stored == QLatin1String("NULL") || trimControl(stored).isEmpty();
}

std::optional<QString> picturePath(const QVariant& field, const QString& programFolder)
{
    if (namesNothing(field))
        return std::nullopt;
    const QString stored = field.toString();
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QString relative = QStringLiteral("upload/") + stored;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return resolveCase(folder, relative);
}

} // namespace pictures

#include "examsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <climits>

namespace core {

std::optional<int> parseWholeInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > qint64(INT_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return int(value);
}

ExamSettings parseExamSettings(QByteArray content)
{
    if (content.startsWith("\xef\xbb\xbf"))
        content.remove(0, 3);
    // Byte for character: the file is read as the single-byte text it was written as.
    std::optional<QString> timeLine;
    std::optional<QString> markLine;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString text = QString::fromLatin1(line);
        if (text.contains(QLatin1String("alltime")))
            timeLine = text;
        if (text.contains(QLatin1String("mark")))
            markLine = text;
    }
    if (!timeLine || !markLine)
        return {};
    const std::optional<int> time = parseWholeInteger(QStringView(*timeLine).mid(8));
    const std::optional<int> mark = parseWholeInteger(QStringView(*markLine).mid(5));
    if (!time || !mark)
        return {};
    return {*time, *mark};
}

ExamSettings readExamSettings(const QString& path)
{
    // Only a regular file of a settings file's size: a FIFO would block the exam window for ever.
    constexpr qint64 maxBytes = 64 * 1024;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxBytes)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    return parseExamSettings(content);
}

} // namespace core

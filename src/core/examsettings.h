#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace core {

// The examination time and pass mark of system.ini.
struct ExamSettings
{
    int timeLeft = 5400; // seconds
    int passMark = 90;
    friend bool operator==(const ExamSettings&, const ExamSettings&) = default;
};

// A whole integer as the settings file writes it: leading blanks and a sign allowed, nothing else.
std::optional<int> parseWholeInteger(QStringView text);

// A UTF-8 byte-order mark at the start is skipped. Every line is examined; the last line containing
// "alltime" gives the time (the text after its first 8 characters), the last containing "mark" the
// pass mark (after its first 5). A missing key or an invalid value gives both defaults.
ExamSettings parseExamSettings(QByteArray content);

// The same for a file; a file that cannot be read, or is no regular file of at most 64 KB, gives
// the defaults.
ExamSettings readExamSettings(const QString& path);

} // namespace core

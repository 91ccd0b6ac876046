#pragma once

#include <QString>
#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

// Reading, checking and writing question banks: three CSV files in a folder or a data.db.
namespace bank {

// Bad input or a failed write; the text names file, row and column where it can.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

enum class Encoding { Auto, Utf8, Gbk };

// Where a row came from: a CSV file row (header = row 1) or a table row named by its id.
struct Origin
{
    QString source; // "subject.csv" or "subject"
    qint64 row = 0; // file row; 0 for a database row
};

using Text = std::optional<QString>; // nullopt = Null

struct SortRow
{
    Origin origin;
    qint64 sortId = 0;
    Text sortname;
    std::array<qint64, 5> scale{};
};

struct SubjectRow
{
    Origin origin;
    qint64 subid = 0;
    Text subtitle;
    Text subpic;
    Text info;
    Text infopic;
    qint64 typeId = 0;
    qint64 sortid = 0;
    qint64 stid = 0;
    qint64 errorTimes = 0;
};

struct OptionRow
{
    Origin origin;
    qint64 optid = 0;
    qint64 subid = 0;
    Text optcontent;
    qint64 iskey = 0;
};

// Rows in stored order: file order, or rowid order (subid order for subject) from a database.
struct Bank
{
    std::vector<SortRow> sorts;
    std::vector<SubjectRow> subjects;
    std::vector<OptionRow> options;
};

struct Finding
{
    QString place; // "subject.csv row 12" or "subject id 1203"
    QString message;
    QString toString() const { return place + QStringLiteral(": ") + message; }
};

// Reads sort.csv, subject.csv and options.csv from dir. Throws Error on malformed input;
// duplicate ids are left for check() and writeDatabase() to catch.
Bank readFolder(const QString& dir, Encoding encoding = Encoding::Auto);

Bank readDatabase(const QString& dbPath);

// Builds a fresh database beside dbPath and renames it over dbPath only when complete.
void writeDatabase(const Bank& bank, const QString& dbPath);

void importFolder(const QString& dir, const QString& dbPath, Encoding encoding = Encoding::Auto);

// Writes the three CSV files in UTF-8 with header rows; Null texts become empty unquoted cells.
void writeFolder(const Bank& bank, const QString& dir);

void exportDatabase(const QString& dbPath, const QString& dir);

// programFolder holds upload/ and ends with '/'.
std::vector<Finding> check(const Bank& bank, const QString& programFolder);

// A folder is read as CSV files, anything else as a database.
std::vector<Finding> checkPath(const QString& path, Encoding encoding = Encoding::Auto);

} // namespace bank

#pragma once

#include "base/error.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// Reading, checking and writing question banks: three CSV files (and the pictures in upload/)
// in a folder, or a data.db.
namespace bank {

// Bad input or a failed write raise base::Error; the text names file, row and column where it
// can.
using base::Error;

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
    QString place; // "subject.csv 第 12 行" or "subject 表 id 1203"
    QString message;
    QString toString() const { return place + QStringLiteral("：") + message; }
};

// What a bank holds, for the one line the tool prints on success.
struct Summary
{
    qint64 questions = 0;
    qint64 options = 0;
    qint64 categories = 0;
    qint64 pictures = 0;               // distinct picture names the questions use
    qint64 studySets = 0;              // sets 1 to 10 that have questions
    std::array<qint64, 5> paperSize{}; // questions on a paper per vehicle class
    qint64 picturesCopied = 0;         // files taken along by an import
    QString toString() const;
};

// A spreadsheet runs a cell that begins with one of these; export puts an apostrophe before such
// a text and import takes one away again, so that a round trip gives back the stored text.
bool looksLikeFormula(QStringView text);

// Reads sort.csv, subject.csv and options.csv from dir into memory. Throws Error on malformed
// input; duplicate ids are left for check() to catch.
Bank readFolder(const QString& dir, Encoding encoding = Encoding::Auto);

Bank readDatabase(const QString& dbPath);

// Called every kProgressRows stored rows with the count so far.
inline constexpr qint64 kProgressRows = 1000;
using Progress = std::function<void(qint64 rows)>;

// How long import waits for another connection to let go of the database before it refuses.
inline constexpr int kBusyWaitMs = 3000;

// Replaces the bank tables (sort, subject, options; the paper in note is emptied) of dbPath in
// one transaction, creating the database when there is none; every other table is kept. Refuses
// a file that is not a sound database and one that another program holds open.
void writeDatabase(const Bank& bank, const QString& dbPath);

// The same, streaming the CSV files of dir row by row, and copying dir/upload/ into upload/
// beside the database.
Summary importFolder(const QString& dir, const QString& dbPath, Encoding encoding = Encoding::Auto,
                     const Progress& progress = {}, int busyWaitMs = kBusyWaitMs);

// Writes the three CSV files in UTF-8 with header rows (Null texts become empty unquoted cells)
// and a copy of upload/ beside the database into dir, through a temporary folder beside dir.
// An existing dir that is not empty is replaced only when overwrite is set.
Summary exportDatabase(const QString& dbPath, const QString& dir, bool overwrite = false);

// programFolder holds upload/ and ends with '/'.
std::vector<Finding> check(const Bank& bank, const QString& programFolder);

Summary summarize(const Bank& bank);

// A folder is read as CSV files, anything else as a database.
std::vector<Finding> checkPath(const QString& path, Encoding encoding = Encoding::Auto,
                               Summary* summary = nullptr);

} // namespace bank

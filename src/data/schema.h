#pragma once

#include <QString>

struct sqlite3;

namespace data {

// The four tables of the question bank. `subject` keeps its rows in question-id order through
// the index subId; `options` and `sort` keep the order in which rows were stored.
inline constexpr const char* kSchemaSql = R"sql(
CREATE TABLE sort (
    sortID   INTEGER NOT NULL UNIQUE,
    sortname TEXT,
    scale0   INTEGER NOT NULL DEFAULT 0,
    scale1   INTEGER NOT NULL DEFAULT 0,
    scale2   INTEGER NOT NULL DEFAULT 0,
    scale3   INTEGER NOT NULL DEFAULT 0,
    scale4   INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE subject (
    subid      INTEGER NOT NULL,
    subtitle   TEXT,
    subpic     TEXT,
    info       TEXT,
    infopic    TEXT,
    typeId     INTEGER,
    sortid     INTEGER,
    stid       INTEGER,
    errorTimes INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX subId ON subject (subid);
CREATE TABLE options (
    optid      INTEGER NOT NULL UNIQUE,
    subid      INTEGER NOT NULL,
    optcontent TEXT,
    iskey      INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE note (
    noteId   INTEGER PRIMARY KEY AUTOINCREMENT,
    subid    INTEGER,
    optionid INTEGER NOT NULL DEFAULT 0,
    isright  INTEGER NOT NULL DEFAULT 0
);
)sql";

// Table and column names as the program spells them: a misspelt name is a compile error. The
// dataset matches names without regard to case, so `sortId` also names sort's sortID.
// Constants, not functions, because they are read in every row loop; do not use them during
// static initialisation.
namespace tbl {
inline const QString subject = QStringLiteral("subject");
inline const QString options = QStringLiteral("options");
inline const QString sort = QStringLiteral("sort");
inline const QString note = QStringLiteral("note");
} // namespace tbl

namespace col {
// sort
inline const QString sortId = QStringLiteral("sortid"); // sort.sortID, subject.sortid
inline const QString sortName = QStringLiteral("sortname");
// subject (also sortId)
inline const QString subId = QStringLiteral("subid");
inline const QString subTitle = QStringLiteral("subtitle");
inline const QString subPic = QStringLiteral("subpic");
inline const QString info = QStringLiteral("info");
inline const QString infoPic = QStringLiteral("infopic");
inline const QString typeId = QStringLiteral("typeId");
inline const QString stId = QStringLiteral("stid");
inline const QString errorTimes = QStringLiteral("errorTimes");
// options (also subId)
inline const QString optId = QStringLiteral("optid");
inline const QString optContent = QStringLiteral("optcontent");
inline const QString isKey = QStringLiteral("iskey");
// note (also subId)
inline const QString noteId = QStringLiteral("noteId");
inline const QString optionId = QStringLiteral("optionid");
inline const QString isRight = QStringLiteral("isright");

// The sort column holding the quota of vehicle class 0..4.
inline QString scale(int vehicleClass)
{
    return QStringLiteral("scale%1").arg(vehicleClass);
}
} // namespace col

// "field=value" and "field>value", the conditions of a dataset filter.
inline QString equals(const QString& field, qint64 value)
{
    return field + u'=' + QString::number(value);
}

inline QString greater(const QString& field, qint64 value)
{
    return field + u'>' + QString::number(value);
}

// Settings every connection gets: WAL with full sync survives a killed process and a power cut
// without losing a committed answer, and lets one handle read while another writes.
inline constexpr const char* kConnectionSql =
    "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF;";

} // namespace data

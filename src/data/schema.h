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

// Settings every connection gets: WAL with full sync survives a killed process and a power cut
// without losing a committed answer, and lets one handle read while another writes.
inline constexpr const char* kConnectionSql =
    "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF;";

} // namespace data

#pragma once

#include "snapshot.h"
#include <QString>

#include <QVariant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace data {

// One SQLite connection, opened read-write on an existing database file.
class Connection
{
public:
    explicit Connection(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    void exec(const QString& sql);
    // Runs one statement with bound values; returns the number of rows it changed.
    int run(const QString& sql, const std::vector<QVariant>& values = {});
    qint64 lastInsertRowid() const;
    // Gives back the page cache, e.g. after reading a whole table once.
    void releaseCache();
    [[noreturn]] void fail(const QString& context) const;

private:
    sqlite3* db_ = nullptr;
    QString path_;
};

// A prepared statement, finalized when it goes out of scope.
class Statement
{
public:
    Statement(const Connection& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value);
    bool step(); // true while there is a row
    int columnCount() const;
    QString columnName(int i) const;
    QVariant column(int i) const;
    // Puts the value of column i into cell, its text into the snapshot's arena (into the bytes of
    // the cell's old text where it fits). Returns whether the value differs from the cell's old
    // one.
    bool readCell(int i, Snapshot& snapshot, Cell& cell) const;

private:
    const Connection& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace data

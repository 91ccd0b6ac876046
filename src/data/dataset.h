#pragma once

#include "snapshot.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <unordered_map>
#include <vector>

namespace data {

class Connection;
struct Condition;

// A handle on one table with a static cursor: Open takes a snapshot of the table; changes made
// through this handle are seen at once, changes made through another handle only after Close
// and Open. The rows are read at the first operation that needs them, as they stood at Open. The
// view is the snapshot narrowed by the filter (while filtered) and ordered by a stable sort over
// the underlying order. Every failure raises base::Error.
class Table
{
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Table(QString tableName = {});
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    void setConnectionString(const QString& connString);
    QString connectionString() const { return connString_; }
    QString tableName() const { return tableName_; }
    // The field whose order is the table's underlying order (the index a handle opens with);
    // empty for the stored order.
    void setIndexField(const QString& field);

    void open();
    void close();
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    // Whether the rows have been read; an open table reads them when first asked for one.
    bool loaded() const { return loaded_; }

    void first();
    void next();
    bool eof() const;
    void moveBy(int n);
    int recNo() const;
    void setRecNo(int recNo);
    int recordCount() const;

    void setFilter(const QString& text);
    QString filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    void setSort(const QString& text);
    QString sort() const { return sortText_; }

    // Null reads as an invalid QVariant, distinct from 0 and from empty text.
    QVariant value(const QString& field) const;
    // Null reads as empty text.
    QString asString(const QString& field) const;
    // Null reads as 0; text that is no whole number is an error.
    qint64 asInteger(const QString& field) const;
    void setValue(const QString& field, const QVariant& value);

    // Saves a pending row, then makes the first row of the view whose field equals value current.
    bool locate(const QString& field, const QVariant& value);

    void edit();
    void append();
    void post();
    // Removes the current row from the table at once; the next row becomes current.
    void remove();

    // Bytes of text the snapshot holds, replaced texts included: what a memory check watches.
    size_t textBytes() const { return snapshot_.textBytes(); }

    // Groups the writes of this handle, so that a failure or a killed process leaves none of them.
    void beginTransaction();
    void commit();
    void rollback();
    // The handle's own connection, for statements that belong in its transaction.
    Connection& connection();
    // Gives back the pages its connection keeps cached; they are read again when needed.
    void releaseCache();

private:
    // Raises an error on a closed handle; reads the rows of an open one if not read yet.
    void requireActive(const char* operation) const;
    QString selectAll() const;
    void load();
    void ensureLoaded() const;
    int fieldIndex(const QString& field) const;
    int currentRow() const;
    const Cell& currentCell(int column) const;
    void savePending();
    void rebuildView();
    void invalidateIndexes() { indexes_.clear(); }
    const std::vector<int>& rowsWith(int column, qint64 value);
    std::vector<bool> readRow(int row);
    bool passes(int row) const;
    bool viewLess(int a, int b);
    int rankOf(int row);
    int findInView(int row);
    int placeInView(int row);
    void rowEdited(int row, const std::vector<bool>& changed);
    void rowInserted(int row, bool atEnd);
    [[noreturn]] void fail(const QString& what) const;

    QString tableName_;
    QString indexField_;
    QString connString_;
    std::unique_ptr<Connection> db_;
    QStringList fields_;
    Snapshot snapshot_;
    std::vector<int> rows_; // the snapshot's live rows in underlying order
    std::vector<int> view_;
    // Position in rows_ by snapshot row: the tie-break of the view's order, which makes the view
    // searchable by halves.
    std::vector<int> rank_;
    bool rankValid_ = false;
    // Rows by the whole-number value of one column, in underlying order; built when a filter or
    // Locate first compares that column for equality, kept up to date by writes that leave the
    // column alone.
    std::unordered_map<int, std::unordered_map<qint64, std::vector<int>>> indexes_;
    int pos_ = -1; // index into view_
    bool eof_ = true;
    State state_ = State::Inactive;
    std::vector<Cell> pending_;
    std::vector<bool> changed_;
    QString filterText_;
    bool filtered_ = false;
    std::vector<Condition> conditions_;
    QString sortText_;
    struct SortKey
    {
        int column;
        bool descending;
    };
    std::vector<SortKey> sortKeys_; // sortText_ as rebuildView read it
    bool inTransaction_ = false;
    bool loaded_ = true;
    bool readingOpen_ = false; // the read transaction that keeps the table as at Open
};

// A handle that runs one SQL statement on its own connection; it yields no rows.
class Query
{
public:
    Query();
    ~Query();
    void setConnectionString(const QString& connString) { connString_ = connString; }
    QStringList& sql() { return sql_; }
    void execSql();

private:
    QString connString_;
    QStringList sql_;
};

// The database file named by a connection string's "Data Source=" entry.
QString databasePath(const QString& connString);

} // namespace data

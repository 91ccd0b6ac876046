#include "dataset.h"

#include "connection.h"
#include "base/error.h"
#include "filter.h"

#include <algorithm>
#include <limits>
#include <sqlite3.h>

namespace data {

using base::Error;
namespace {

bool isIdentifier(const QString& name)
{
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_');
    });
}

QString quoted(const QString& identifier)
{
    return u'"' + identifier + u'"';
}

bool matches(const Snapshot& snapshot, const Cell& value, const Condition& c)
{
    qint64 n = 0;
    if (!snapshot.toInteger(value, &n))
        return false;
    return c.op == '=' ? n == c.value : n > c.value;
}

} // namespace

QString databasePath(const QString& connString)
{
    static const QString key = QStringLiteral("Data Source=");
    const qsizetype at = connString.indexOf(key, 0, Qt::CaseInsensitive);
    if (at < 0)
        throw Error(QStringLiteral("连接字符串 \"%1\" 中没有 Data Source。").arg(connString));
    const qsizetype start = at + key.size();
    const qsizetype end = connString.indexOf(u';', start);
    return connString.mid(start, end < 0 ? -1 : end - start);
}

Table::Table(QString tableName) : tableName_(std::move(tableName)) {}

Table::~Table()
{
    try {
        close();
    } catch (...) {
        // A pending row that cannot be saved at destruction has nowhere to report to.
    }
}

void Table::setConnectionString(const QString& connString)
{
    connString_ = connString;
}

void Table::setIndexField(const QString& field)
{
    indexField_ = field;
}

[[noreturn]] void Table::fail(const QString& what) const
{
    throw Error(QStringLiteral("表 %1：%2").arg(tableName_, what));
}

void Table::requireActive(const char* operation) const
{
    if (!active())
        fail(QStringLiteral("未打开，不能%1。").arg(QString::fromUtf8(operation)));
    ensureLoaded();
}

int Table::fieldIndex(const QString& field) const
{
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    fail(QStringLiteral("没有字段 \"%1\"。").arg(field));
}

QString Table::selectAll() const
{
    QString order = QStringLiteral("rowid");
    if (!indexField_.isEmpty())
        order = quoted(indexField_) + QStringLiteral(", rowid");
    return QStringLiteral("SELECT rowid, * FROM %1 ORDER BY %2").arg(quoted(tableName_), order);
}

void Table::open()
{
    if (active())
        return;
    if (!isIdentifier(tableName_))
        throw Error(QStringLiteral("表名 \"%1\" 无效。").arg(tableName_));
    if (!indexField_.isEmpty() && !isIdentifier(indexField_))
        throw Error(QStringLiteral("索引字段 \"%1\" 无效。").arg(indexField_));
    auto db = std::make_unique<Connection>(databasePath(connString_));
    QStringList fields;
    {
        const Statement statement(*db, selectAll());
        for (int i = 1; i < statement.columnCount(); ++i)
            fields << statement.columnName(i);
    }
    std::vector<Condition> conditions;
    fields_ = fields;
    if (filtered_) {
        conditions = parseFilter(filterText_);
        for (Condition& c : conditions)
            c.column = fieldIndex(c.field);
    }
    // In WAL mode a read transaction keeps the table as it is now, whatever other handles write
    // later: the rows are read when first needed, so that a large table costs nothing before.
    Statement mode(*db, QStringLiteral("PRAGMA journal_mode"));
    const bool wal =
        mode.step() && mode.column(0).toString().compare(u"wal", Qt::CaseInsensitive) == 0;
    if (wal) {
        db->exec(QStringLiteral("BEGIN"));
        Statement(*db, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(quoted(tableName_))).step();
    }
    db_ = std::move(db);
    snapshot_.reset(int(fields.size()));
    rows_.clear();
    invalidateIndexes();
    conditions_ = std::move(conditions);
    sortText_.clear();
    rankValid_ = false;
    view_.clear();
    pos_ = -1;
    eof_ = true;
    state_ = State::Browse;
    loaded_ = false;
    readingOpen_ = wal;
    if (!wal)
        load();
}

void Table::load()
{
    loaded_ = true;
    try {
        Statement statement(*db_, selectAll());
        // Sized from the row count, so that a large table is read without regrowth.
        Statement count(*db_, QStringLiteral("SELECT count(*) FROM %1").arg(quoted(tableName_)));
        const size_t rowsHint =
            count.step() ? size_t(std::max<qint64>(count.column(0).toLongLong(), 0)) : 0;
        Snapshot snapshot;
        snapshot.reset(int(fields_.size()), rowsHint);
        std::vector<int> rows;
        rows.reserve(rowsHint);
        while (statement.step()) {
            const int row = snapshot.addRow(statement.column(0).toLongLong());
            Cell* cells = snapshot.cells(row);
            for (int i = 0; i < fields_.size(); ++i)
                statement.readCell(i + 1, snapshot, cells[i]);
            rows.push_back(row);
        }
        if (readingOpen_) {
            readingOpen_ = false;
            db_->exec(QStringLiteral("COMMIT"));
        }
        // Every page was read once into the snapshot; the next table reuses the memory.
        db_->releaseCache();
        snapshot_ = std::move(snapshot);
        rows_ = std::move(rows);
    } catch (...) {
        db_.reset();
        readingOpen_ = false;
        state_ = State::Inactive;
        throw;
    }
    rebuildView();
    pos_ = view_.empty() ? -1 : 0;
    eof_ = view_.empty();
}

void Table::ensureLoaded() const
{
    if (!loaded_ && active())
        const_cast<Table*>(this)->load();
}

void Table::close()
{
    if (!active())
        return;
    savePending();
    db_.reset();
    loaded_ = true;
    readingOpen_ = false;
    invalidateIndexes();
    rows_.clear();
    snapshot_.reset(0);
    view_.clear();
    rank_.clear();
    rankValid_ = false;
    conditions_.clear();
    pos_ = -1;
    eof_ = true;
    inTransaction_ = false;
    state_ = State::Inactive;
}

const std::vector<int>& Table::rowsWith(int column, qint64 value)
{
    auto& index = indexes_[column];
    if (index.empty()) {
        for (const int row : rows_) {
            qint64 n = 0;
            if (snapshot_.toInteger(snapshot_.cells(row)[column], &n))
                index[n].push_back(row);
        }
        index.try_emplace(std::numeric_limits<qint64>::min()); // marks the index as built
    }
    static const std::vector<int> none;
    const auto it = index.find(value);
    return it == index.end() ? none : it->second;
}

void Table::rebuildView()
{
    sortKeys_.clear();
    view_.clear();
    const auto keep = [this](int row) {
        const Cell* cells = snapshot_.cells(row);
        return std::all_of(conditions_.begin(), conditions_.end(), [&](const Condition& c) {
            return matches(snapshot_, cells[c.column], c);
        });
    };
    const auto equality = std::find_if(conditions_.begin(), conditions_.end(),
                                       [](const Condition& c) { return c.op == '='; });
    if (!filtered_) {
        view_ = rows_;
    } else if (equality != conditions_.end()) {
        for (const int row : rowsWith(equality->column, equality->value)) {
            if (keep(row))
                view_.push_back(row);
        }
    } else {
        for (const int row : rows_) {
            if (keep(row))
                view_.push_back(row);
        }
    }
    if (sortText_.trimmed().isEmpty())
        return;
    std::vector<SortKey> keys;
    for (const QString& part : sortText_.split(u',')) {
        const QStringList words = part.simplified().split(u' ');
        const bool descending =
            words.size() > 1 && words.at(1).compare(u"DESC", Qt::CaseInsensitive) == 0;
        keys.push_back({fieldIndex(words.at(0)), descending});
    }
    sortKeys_ = std::move(keys);
    std::stable_sort(view_.begin(), view_.end(), [&](int a, int b) {
        for (const SortKey& k : sortKeys_) {
            const int c =
                snapshot_.compare(snapshot_.cells(a)[k.column], snapshot_.cells(b)[k.column]);
            if (c != 0)
                return k.descending ? c > 0 : c < 0;
        }
        return false;
    });
}

bool Table::passes(int row) const
{
    if (!filtered_)
        return true;
    const Cell* cells = snapshot_.cells(row);
    return std::all_of(conditions_.begin(), conditions_.end(),
                       [&](const Condition& c) { return matches(snapshot_, cells[c.column], c); });
}

int Table::rankOf(int row)
{
    if (!rankValid_) {
        rank_.assign(size_t(snapshot_.rowCount()), -1);
        for (size_t i = 0; i < rows_.size(); ++i)
            rank_[size_t(rows_[i])] = int(i);
        rankValid_ = true;
    }
    return rank_[size_t(row)];
}

// The order rebuildView gives: the sort keys, ties in underlying order.
bool Table::viewLess(int a, int b)
{
    for (const SortKey& k : sortKeys_) {
        const int c = snapshot_.compare(snapshot_.cells(a)[k.column], snapshot_.cells(b)[k.column]);
        if (c != 0)
            return k.descending ? c > 0 : c < 0;
    }
    return rankOf(a) < rankOf(b);
}

// The position of a live row in the view, or -1: found by halves, since the view keeps the order
// of viewLess.
int Table::findInView(int row)
{
    if (!passes(row))
        return -1;
    const auto at = std::lower_bound(view_.begin(), view_.end(), row,
                                     [this](int a, int b) { return viewLess(a, b); });
    if (at != view_.end() && *at == row)
        return int(at - view_.begin());
    // Values that do not order strictly (text beside numbers) may defeat the halving.
    const auto it = std::find(view_.begin(), view_.end(), row);
    return it == view_.end() ? -1 : int(it - view_.begin());
}

// Puts a row that is not in the view where rebuildView would, if the filter keeps it; returns its
// position, or -1.
int Table::placeInView(int row)
{
    if (!passes(row))
        return -1;
    const auto at = std::upper_bound(view_.begin(), view_.end(), row,
                                     [this](int a, int b) { return viewLess(a, b); });
    const int pos = int(at - view_.begin());
    view_.insert(at, row);
    return pos;
}

// After a saved edit: only a change to a column that the filter or the sort reads can move the row.
void Table::rowEdited(int row, const std::vector<bool>& changed)
{
    for (auto it = indexes_.begin(); it != indexes_.end();) {
        if (changed[size_t(it->first)])
            it = indexes_.erase(it);
        else
            ++it;
    }
    bool moves = std::any_of(sortKeys_.begin(), sortKeys_.end(),
                             [&](const SortKey& k) { return changed[size_t(k.column)]; });
    if (filtered_)
        moves = moves || std::any_of(conditions_.begin(), conditions_.end(),
                                     [&](const Condition& c) { return changed[size_t(c.column)]; });
    if (!moves)
        return;
    const int oldPos = pos_;
    if (!passes(row)) {
        view_.erase(view_.begin() + oldPos);
        pos_ = view_.empty() ? -1 : std::clamp(oldPos, 0, int(view_.size()) - 1);
        return;
    }
    // The rest of the view is still in order: the row moves past its new neighbours only, so a
    // counter that goes up by one shifts a few rows, not the whole tail of a large table.
    const auto less = [this](int a, int b) { return viewLess(a, b); };
    const auto begin = view_.begin();
    const auto at = begin + oldPos;
    if (at != begin && less(row, *(at - 1))) {
        const auto to = std::upper_bound(begin, at, row, less);
        std::move_backward(to, at, at + 1);
        *to = row;
        pos_ = int(to - begin);
    } else if (at + 1 != view_.end() && less(*(at + 1), row)) {
        const auto to = std::upper_bound(at + 1, view_.end(), row, less);
        std::move(at + 1, to, at);
        *(to - 1) = row;
        pos_ = int(to - begin) - 1;
    }
}

// After a saved append, the row already in rows_ (at its end when atEnd).
void Table::rowInserted(int row, bool atEnd)
{
    if (atEnd && rankValid_) {
        rank_.resize(size_t(snapshot_.rowCount()), -1);
        rank_[size_t(row)] = int(rows_.size()) - 1;
    } else {
        rankValid_ = false;
    }
    const Cell* cells = snapshot_.cells(row);
    for (auto it = indexes_.begin(); it != indexes_.end();) {
        // A bucket lists its rows in underlying order: a row put in the middle needs a rebuild.
        if (!atEnd) {
            it = indexes_.erase(it);
            continue;
        }
        qint64 n = 0;
        if (snapshot_.toInteger(cells[it->first], &n))
            it->second[n].push_back(row);
        ++it;
    }
    const int pos = placeInView(row);
    if (pos >= 0)
        pos_ = pos;
    else
        pos_ = view_.empty() ? -1 : std::clamp(pos_, 0, int(view_.size()) - 1);
}

void Table::first()
{
    requireActive("定位");
    savePending();
    pos_ = view_.empty() ? -1 : 0;
    eof_ = view_.empty();
}

void Table::next()
{
    requireActive("定位");
    savePending();
    if (pos_ + 1 < int(view_.size()))
        ++pos_;
    else
        eof_ = true;
}

bool Table::eof() const
{
    ensureLoaded();
    return !active() || eof_;
}

void Table::moveBy(int n)
{
    requireActive("定位");
    savePending();
    if (view_.empty() || n == 0)
        return;
    const qint64 target = qint64(pos_) + n;
    if (target >= qint64(view_.size())) {
        pos_ = int(view_.size()) - 1;
        eof_ = true;
    } else {
        pos_ = int(std::max<qint64>(target, 0));
        eof_ = false;
    }
}

int Table::recNo() const
{
    requireActive("读记录号");
    return view_.empty() ? 0 : pos_ + 1;
}

void Table::setRecNo(int recNo)
{
    requireActive("定位");
    savePending();
    if (view_.empty())
        return;
    pos_ = std::clamp(recNo, 1, int(view_.size())) - 1;
    eof_ = false;
}

int Table::recordCount() const
{
    requireActive("计数");
    return int(view_.size());
}

void Table::setFilter(const QString& text)
{
    ensureLoaded();
    if (filtered_ && active()) {
        std::vector<Condition> conditions = parseFilter(text);
        for (Condition& c : conditions)
            c.column = fieldIndex(c.field);
        savePending();
        filterText_ = text;
        conditions_ = std::move(conditions);
        rebuildView();
        pos_ = view_.empty() ? -1 : 0;
        eof_ = view_.empty();
    } else {
        filterText_ = text;
    }
}

void Table::setFiltered(bool on)
{
    ensureLoaded();
    if (!active()) {
        filtered_ = on;
        return;
    }
    std::vector<Condition> conditions;
    if (on) {
        conditions = parseFilter(filterText_);
        for (Condition& c : conditions)
            c.column = fieldIndex(c.field);
    }
    savePending();
    filtered_ = on;
    conditions_ = std::move(conditions);
    rebuildView();
    pos_ = view_.empty() ? -1 : 0;
    eof_ = view_.empty();
}

void Table::setSort(const QString& text)
{
    requireActive("排序");
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        fieldIndex(words.at(0));
        if (words.size() > 2 ||
            (words.size() == 2 && words.at(1).compare(u"DESC", Qt::CaseInsensitive) != 0 &&
             words.at(1).compare(u"ASC", Qt::CaseInsensitive) != 0))
            fail(QStringLiteral("排序 \"%1\" 无效。").arg(text));
    }
    savePending();
    sortText_ = text;
    rebuildView();
    pos_ = view_.empty() ? -1 : 0;
    eof_ = view_.empty();
}

int Table::currentRow() const
{
    if (pos_ < 0 || pos_ >= int(view_.size()))
        fail(QStringLiteral("没有当前记录。"));
    return view_[size_t(pos_)];
}

const Cell& Table::currentCell(int column) const
{
    if (state_ == State::Edit || state_ == State::Insert)
        return pending_[size_t(column)];
    return snapshot_.cells(currentRow())[column];
}

QVariant Table::value(const QString& field) const
{
    requireActive("读字段");
    return snapshot_.toVariant(currentCell(fieldIndex(field)));
}

QString Table::asString(const QString& field) const
{
    requireActive("读字段");
    return snapshot_.toString(currentCell(fieldIndex(field)));
}

qint64 Table::asInteger(const QString& field) const
{
    requireActive("读字段");
    const Cell& cell = currentCell(fieldIndex(field));
    qint64 n = 0;
    if (cell.isNull())
        return 0;
    if (!snapshot_.toInteger(cell, &n))
        fail(QStringLiteral("字段 \"%1\" 的值 \"%2\" 不是整数。")
                 .arg(field, snapshot_.toString(cell)));
    return n;
}

void Table::setValue(const QString& field, const QVariant& value)
{
    requireActive("写字段");
    const int i = fieldIndex(field);
    if (state_ != State::Edit && state_ != State::Insert)
        fail(QStringLiteral("不在编辑或插入状态，不能写字段 \"%1\"。").arg(field));
    pending_[size_t(i)] = snapshot_.fromVariant(value);
    changed_[size_t(i)] = true;
}

bool Table::locate(const QString& field, const QVariant& value)
{
    requireActive("查找");
    const int i = fieldIndex(field);
    savePending();
    // The value is needed only while looking: its text leaves nothing behind in the arena.
    const Snapshot::Mark mark = snapshot_.mark();
    const Cell wanted = snapshot_.fromVariant(value);
    int found = -1;
    qint64 n = 0;
    const auto scan = [&] {
        for (size_t k = 0; k < view_.size(); ++k) {
            const Cell& v = snapshot_.cells(view_[k])[i];
            if (!v.isNull() && snapshot_.compare(v, wanted) == 0)
                return int(k);
        }
        return -1;
    };
    if (wanted.isNull()) {
        // Null equals nothing.
    } else if (snapshot_.toInteger(wanted, &n)) {
        // A whole number equals exactly the cells that read as that number, which the index lists
        // in underlying order: without a sort the first of them in the view is the one.
        const std::vector<int>& rows = rowsWith(i, n);
        if (sortKeys_.empty()) {
            for (auto it = rows.begin(); it != rows.end() && found < 0; ++it)
                found = findInView(*it);
        } else if (rows.size() <= 64) {
            for (const int row : rows) {
                const int at = findInView(row);
                if (at >= 0 && (found < 0 || at < found))
                    found = at;
            }
        } else {
            found = scan();
        }
    } else {
        found = scan();
    }
    snapshot_.rollback(mark);
    if (found < 0)
        return false;
    pos_ = found;
    eof_ = false;
    return true;
}

void Table::edit()
{
    requireActive("编辑");
    if (state_ != State::Browse)
        return;
    const Cell* cells = snapshot_.cells(currentRow());
    pending_.assign(cells, cells + fields_.size());
    changed_.assign(fields_.size(), false);
    state_ = State::Edit;
}

void Table::append()
{
    requireActive("追加");
    savePending();
    pending_.assign(size_t(fields_.size()), Cell());
    changed_.assign(fields_.size(), false);
    state_ = State::Insert;
}

void Table::savePending()
{
    if (state_ == State::Insert &&
        std::none_of(changed_.begin(), changed_.end(), [](bool c) { return c; }))
        state_ = State::Browse;
    else if (state_ == State::Edit || state_ == State::Insert)
        post();
}

std::vector<bool> Table::readRow(int row)
{
    Statement statement(*db_,
                        QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(tableName_)));
    statement.bind(1, snapshot_.rowid(row));
    if (!statement.step())
        fail(QStringLiteral("刚保存的记录读不回来。"));
    // Into the row's own cells: an unchanged text keeps its bytes, a shorter one reuses them.
    std::vector<bool> changed(size_t(fields_.size()));
    Cell* cells = snapshot_.cells(row);
    for (int i = 0; i < fields_.size(); ++i)
        changed[size_t(i)] = statement.readCell(i, snapshot_, cells[i]);
    return changed;
}

void Table::post()
{
    requireActive("保存");
    if (state_ != State::Edit && state_ != State::Insert)
        fail(QStringLiteral("没有正在编辑或插入的记录，无法保存。"));
    QStringList columns;
    std::vector<QVariant> values;
    for (int i = 0; i < fields_.size(); ++i) {
        if (changed_[size_t(i)]) {
            columns << quoted(fields_.at(i));
            values.push_back(snapshot_.toVariant(pending_[size_t(i)]));
        }
    }
    // A refused write leaves the handle browsing the row as the database still has it.
    const State pendingState = state_;
    state_ = State::Browse;
    if (pendingState == State::Edit) {
        const int saved = view_[size_t(pos_)];
        if (!columns.isEmpty()) {
            values.push_back(snapshot_.rowid(saved));
            db_->run(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                         .arg(quoted(tableName_), columns.join(QStringLiteral(" = ?, "))),
                     values);
            rowEdited(saved, readRow(saved));
        }
    } else {
        if (columns.isEmpty())
            db_->run(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(tableName_)));
        else
            db_->run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(quoted(tableName_), columns.join(u','),
                              QStringList(columns.size(), QStringLiteral("?")).join(u',')),
                     values);
        const int saved = snapshot_.addRow(db_->lastInsertRowid());
        readRow(saved);
        auto at = rows_.end();
        if (!indexField_.isEmpty()) {
            const int key = fieldIndex(indexField_);
            at = std::upper_bound(rows_.begin(), rows_.end(), saved, [&](int a, int b) {
                return snapshot_.compare(snapshot_.cells(a)[key], snapshot_.cells(b)[key]) < 0;
            });
        }
        const bool atEnd = at == rows_.end();
        rows_.insert(at, saved);
        rowInserted(saved, atEnd);
    }
    eof_ = view_.empty();
}

void Table::remove()
{
    requireActive("删除");
    // Delete on a row being appended cancels it; on a row being edited it drops the edit.
    const bool inserting = state_ == State::Insert;
    state_ = State::Browse;
    if (inserting)
        return;
    const int gone = currentRow();
    db_->run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(tableName_)),
             {snapshot_.rowid(gone)});
    const Cell* cells = snapshot_.cells(gone);
    for (auto& [column, index] : indexes_) {
        qint64 n = 0;
        if (!snapshot_.toInteger(cells[column], &n))
            continue;
        const auto bucket = index.find(n);
        if (bucket == index.end())
            continue;
        const auto at = std::find(bucket->second.begin(), bucket->second.end(), gone);
        if (at != bucket->second.end())
            bucket->second.erase(at);
    }
    view_.erase(view_.begin() + pos_);
    rows_.erase(std::find(rows_.begin(), rows_.end(), gone));
    rankValid_ = false;
    if (pos_ >= int(view_.size()))
        pos_ = int(view_.size()) - 1;
    eof_ = view_.empty();
}

void Table::beginTransaction()
{
    requireActive("开始事务");
    savePending();
    db_->exec(QStringLiteral("BEGIN IMMEDIATE"));
    inTransaction_ = true;
}

void Table::commit()
{
    requireActive("提交事务");
    savePending();
    db_->exec(QStringLiteral("COMMIT"));
    inTransaction_ = false;
}

void Table::rollback()
{
    requireActive("回滚事务");
    state_ = State::Browse;
    // A failed COMMIT, or a statement that failed with a full disk, may have rolled the
    // transaction back already; a second ROLLBACK would only fail.
    const bool pending = inTransaction_ && sqlite3_get_autocommit(db_->handle()) == 0;
    inTransaction_ = false;
    QString failure;
    if (pending) {
        try {
            db_->exec(QStringLiteral("ROLLBACK"));
        } catch (const Error& e) {
            failure = e.text();
        }
    }
    // The snapshot holds rows the database no longer has: read it afresh, whatever happened.
    const QString sort = sortText_;
    close();
    open();
    if (!sort.isEmpty())
        setSort(sort);
    if (!failure.isEmpty())
        throw Error(failure);
}

Connection& Table::connection()
{
    requireActive("连接");
    return *db_;
}

void Table::releaseCache()
{
    if (db_)
        db_->releaseCache();
}

Query::Query() = default;
Query::~Query() = default;

void Query::execSql()
{
    Connection db(databasePath(connString_));
    db.exec(sql_.join(u'\n'));
}

} // namespace data

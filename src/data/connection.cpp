#include "connection.h"

#include "base/error.h"
#include "schema.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace data {

using base::Error;

Connection::Connection(const QString& path) : path_(path)
{
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("无法打开数据库 \"%1\"：文件不存在。").arg(path));
    // Each connection belongs to one handle on the one UI thread: no per-call locking needed.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason =
            db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db_);
        db_ = nullptr;
        throw Error(QStringLiteral("无法打开数据库 \"%1\"：%2").arg(path, reason));
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 5000);
    try {
        exec(QString::fromLatin1(kConnectionSql));
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

Connection::~Connection()
{
    sqlite3_close(db_);
}

void Connection::fail(const QString& context) const
{
    throw Error(QStringLiteral("数据库 \"%1\" %2出错：%3")
                    .arg(path_, context, QString::fromUtf8(sqlite3_errmsg(db_))));
}

void Connection::exec(const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(message ? message : sqlite3_errmsg(db_));
        sqlite3_free(message);
        throw Error(QStringLiteral("数据库 \"%1\" 执行 \"%2\" 出错：%3").arg(path_, sql, reason));
    }
}

int Connection::run(const QString& sql, const std::vector<QVariant>& values)
{
    Statement statement(*this, sql);
    for (size_t i = 0; i < values.size(); ++i)
        statement.bind(int(i) + 1, values[i]);
    while (statement.step()) {
    }
    return sqlite3_changes(db_);
}

void Connection::releaseCache()
{
    sqlite3_db_release_memory(db_);
}

qint64 Connection::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(db_);
}

Statement::Statement(const Connection& db, const QString& sql) : db_(db)
{
    if (sqlite3_prepare_v2(db.handle(), sql.toUtf8().constData(), -1, &stmt_, nullptr) != SQLITE_OK)
        db.fail(QStringLiteral("准备 \"%1\" 时").arg(sql));
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

void Statement::bind(int index, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else if (value.typeId() == QMetaType::QString) {
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    } else {
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (ok) {
            rc = sqlite3_bind_int64(stmt_, index, n);
        } else {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()),
                                   SQLITE_TRANSIENT);
        }
    }
    if (rc != SQLITE_OK)
        db_.fail(QStringLiteral("绑定参数时"));
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    db_.fail(QStringLiteral("读写时"));
}

int Statement::columnCount() const
{
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

QVariant Statement::column(int i) const
{
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, i));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt_, i)));
    }
    }
}

} // namespace data

namespace data {

bool Statement::readCell(int i, Snapshot& snapshot, Cell& cell) const
{
    Cell value;
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_NULL:
        break;
    case SQLITE_INTEGER:
        value.kind = Cell::Kind::Integer;
        value.integer = sqlite3_column_int64(stmt_, i);
        break;
    case SQLITE_FLOAT:
        value.kind = Cell::Kind::Real;
        value.real = sqlite3_column_double(stmt_, i);
        break;
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        const int size = sqlite3_column_bytes(stmt_, i);
        if (cell.kind == Cell::Kind::Text && snapshot.sameText(cell, text, size))
            return false;
        snapshot.assignText(cell, text, size);
        return true;
    }
    }
    const bool changed = !snapshot.same(cell, value);
    cell = value;
    return changed;
}

} // namespace data

#include "programfolder.h"

#include "base/error.h"
#include "schema.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <sqlite3.h>
#include <sys/stat.h>

namespace data {

using base::Error;

namespace {

QString& overrideFolder()
{
    static QString folder;
    return folder;
}

// The tables a school's bank brings; every other table of a user's database is the user's own.
const char* const kBankTables[] = {"sort", "subject", "options"};

QString literal(QString text)
{
    return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

// The shared database is opened immutable: nobody writes it while learners run, and its folder
// may be read-only, where SQLite could not make the files it needs to lock a database.
QString sharedUri(const QString& path)
{
    return QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(path, "/")) +
           QStringLiteral("?immutable=1");
}

class Database
{
public:
    Database(const QString& name, int flags) : name_(name)
    {
        const int rc =
            sqlite3_open_v2(name.toUtf8().constData(), &db_, flags | SQLITE_OPEN_URI, nullptr);
        if (rc != SQLITE_OK) {
            const QString reason = db_ ? QString::fromUtf8(sqlite3_errmsg(db_))
                                       : QString::fromUtf8(sqlite3_errstr(rc));
            sqlite3_close(db_);
            db_ = nullptr;
            throw Error(QStringLiteral("无法打开数据库 \"%1\"：%2").arg(name, reason));
        }
        sqlite3_busy_timeout(db_, 5000);
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const QString& sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            const QString reason = QString::fromUtf8(message ? message : sqlite3_errmsg(db_));
            sqlite3_free(message);
            throw Error(
                QStringLiteral("数据库 \"%1\" 执行 \"%2\" 出错：%3").arg(name_, sql, reason));
        }
    }

    // Runs a statement with bound texts and hands each result row to row().
    template <typename F> void each(const QString& sql, const QStringList& values, F&& row)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
            fail(sql);
        for (int i = 0; i < values.size(); ++i)
            sqlite3_bind_text(stmt, i + 1, values[i].toUtf8().constData(), -1, SQLITE_TRANSIENT);
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            row(stmt);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            fail(sql);
    }

    void rollback() noexcept { sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr); }

private:
    [[noreturn]] void fail(const QString& sql)
    {
        throw Error(QStringLiteral("数据库 \"%1\" 执行 \"%2\" 出错：%3")
                        .arg(name_, sql, QString::fromUtf8(sqlite3_errmsg(db_))));
    }

    sqlite3* db_ = nullptr;
    QString name_;
};

QString text(sqlite3_stmt* stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)));
}

// Names the content of the shared bank: its tables' definitions and rows in stored order.
QString bankStamp(Database& db)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    auto add = [&hash](sqlite3_stmt* stmt, int column) {
        const char type = char('0' + sqlite3_column_type(stmt, column));
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, column));
        const qint64 size = sqlite3_column_bytes(stmt, column);
        hash.addData(QByteArrayView(&type, 1));
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(&size), sizeof size));
        hash.addData(QByteArrayView(bytes, bytes ? size : 0));
    };
    for (const char* table : kBankTables) {
        const QString name = QString::fromLatin1(table);
        db.each(
            QStringLiteral("SELECT sql FROM shared.sqlite_master WHERE tbl_name = ? ORDER BY name"),
            {name}, [&](sqlite3_stmt* stmt) { add(stmt, 0); });
        db.each(QStringLiteral("SELECT * FROM shared.%1 ORDER BY rowid").arg(name), {},
                [&](sqlite3_stmt* stmt) {
                    for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                        add(stmt, i);
                });
    }
    return QString::fromLatin1(hash.result().toHex());
}

QString seenStamp(Database& db, const QString& name)
{
    QString stamp;
    db.each(QStringLiteral("SELECT stamp FROM main.installstamp WHERE name = ?"), {name},
            [&](sqlite3_stmt* stmt) { stamp = text(stmt, 0); });
    return stamp;
}

void recordStamp(Database& db, const QString& name, const QString& stamp)
{
    db.each(QStringLiteral("INSERT OR REPLACE INTO main.installstamp (name, stamp) VALUES (?, ?)"),
            {name, stamp}, [](sqlite3_stmt*) {});
}

// The shared bank's tables, as it defines them, replace the user's; the user's error counters
// stay with their questions.
void takeBank(Database& db, const QString& stamp)
{
    db.exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        db.exec(QStringLiteral(
            "CREATE TEMP TABLE keptcounters AS SELECT subid, errorTimes FROM main.subject;"
            // Looked up once a question: unindexed, a bank of 20,000 took five seconds.
            "CREATE INDEX temp.keptcounters_subid ON keptcounters (subid)"));
        for (const char* table : kBankTables) {
            const QString name = QString::fromLatin1(table);
            db.exec(QStringLiteral("DROP TABLE IF EXISTS main.%1").arg(name));
            QStringList definitions;
            db.each(QStringLiteral("SELECT sql FROM shared.sqlite_master WHERE tbl_name = ? AND "
                                   "sql IS NOT NULL ORDER BY type = 'index', rowid"),
                    {name}, [&](sqlite3_stmt* stmt) { definitions << text(stmt, 0); });
            for (const QString& sql : definitions)
                db.exec(sql);
            db.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM shared.%1 ORDER BY rowid")
                        .arg(name));
        }
        db.exec(QStringLiteral(
            "UPDATE main.subject SET errorTimes = (SELECT k.errorTimes FROM temp.keptcounters k "
            "WHERE k.subid = subject.subid) WHERE subid IN (SELECT subid FROM temp.keptcounters)"));
        db.exec(QStringLiteral("DROP TABLE temp.keptcounters"));
        recordStamp(db, QStringLiteral("bank"), stamp);
        db.exec(QStringLiteral("COMMIT"));
    } catch (...) {
        db.rollback();
        throw;
    }
}

// The shared bank file as the file system knows it: device, inode, size, modification and change
// time. Any write moves the change time, which no tool can set back. Empty when the file cannot be
// read, or was written too recently to stand for its content: file times come from a clock that
// ticks every few milliseconds, so a write in the same tick as the last one could leave them as
// they were; once a file has rested longer than any tick, a later write shows.
QString restedIdentity(const QString& path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 ||
        QDateTime::currentSecsSinceEpoch() - st.st_ctim.tv_sec < 2)
        return {};
    return QStringLiteral("%1:%2:%3:%4.%5:%6.%7")
        .arg(st.st_dev)
        .arg(st.st_ino)
        .arg(st.st_size)
        .arg(st.st_mtim.tv_sec)
        .arg(st.st_mtim.tv_nsec)
        .arg(st.st_ctim.tv_sec)
        .arg(st.st_ctim.tv_nsec);
}

void copyDatabase(const QString& shared, const QString& own)
{
    const QString part = own + QStringLiteral(".part");
    QFile::remove(part);
    {
        Database source(sharedUri(shared), SQLITE_OPEN_READONLY);
        source.exec(QStringLiteral("VACUUM INTO ") + literal(part));
    }
    if (!QFile::rename(part, own)) {
        QFile::remove(part);
        throw Error(QStringLiteral("无法建立数据库 \"%1\"。").arg(own));
    }
}

void writeFile(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw Error(QStringLiteral("无法写入 \"%1\"：%2").arg(path, file.errorString()));
}

void linkShared(const QString& shared, const QString& own, const QString& name)
{
    const QString target = shared + name;
    const QString link = own + name;
    const QFileInfo info(link);
    if (info.isSymLink()) {
        if (info.symLinkTarget() == QFileInfo(target).absoluteFilePath())
            return;
        QFile::remove(link);
    } else if (info.exists()) {
        return; // a real folder was put there on purpose
    }
    if (!QFile::link(target, link))
        throw Error(QStringLiteral("无法建立链接 \"%1\"。").arg(link));
}

} // namespace

QString programFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath() + u'/';
}

void setProgramFolder(const QString& folder)
{
    overrideFolder() = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

void useOwnFolderIfShared()
{
    const QString shared = QCoreApplication::applicationDirPath() + u'/';
    if (!QFileInfo::exists(shared + QStringLiteral("shared")) && QFileInfo(shared).isWritable())
        return;
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (home.isEmpty())
        throw Error(QStringLiteral("找不到存放个人数据的文件夹。"));
    const QString own = home + QStringLiteral("/velmoor/");
    setProgramFolder(own);
    refreshOwnFolder(shared, own);
}

void refreshOwnFolder(const QString& shared, const QString& own)
{
    if (!QDir().mkpath(own))
        throw Error(QStringLiteral("无法建立文件夹 \"%1\"。").arg(own));
    linkShared(shared, own, QStringLiteral("upload"));
    linkShared(shared, own, QStringLiteral("html"));

    const QString sharedDb = shared + QStringLiteral("data.db");
    const QString ownDb = own + QStringLiteral("data.db");
    if (!QFileInfo(sharedDb).isFile())
        return;
    if (!QFileInfo::exists(ownDb))
        copyDatabase(sharedDb, ownDb);

    Database db(ownDb, SQLITE_OPEN_READWRITE);
    db.exec(QString::fromLatin1(kConnectionSql));
    db.exec(QStringLiteral("ATTACH ") + literal(sharedUri(sharedDb)) +
            QStringLiteral(" AS shared"));
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS main.installstamp "
                           "(name TEXT PRIMARY KEY, stamp TEXT NOT NULL)"));
    // A database without a record (just copied, or one the user imported) keeps its bank until
    // the shared one changes. Reading the whole bank to tell costs a start 0.4 s at 100,000
    // questions: a bank file the file system shows unchanged since it was last read is not
    // read again.
    const QString identity = restedIdentity(sharedDb);
    const QString seenBank = seenStamp(db, QStringLiteral("bank"));
    if (seenBank.isEmpty() || identity.isEmpty() ||
        seenStamp(db, QStringLiteral("bank file")) != identity) {
        const QString bank = bankStamp(db);
        if (seenBank.isEmpty())
            recordStamp(db, QStringLiteral("bank"), bank);
        else if (seenBank != bank)
            takeBank(db, bank);
        recordStamp(db, QStringLiteral("bank file"), identity);
    }

    QFile sharedIni(shared + QStringLiteral("system.ini"));
    if (!sharedIni.open(QIODevice::ReadOnly))
        return;
    const QByteArray settings = sharedIni.readAll();
    const QString stamp =
        QString::fromLatin1(QCryptographicHash::hash(settings, QCryptographicHash::Sha256).toHex());
    const QString ownIni = own + QStringLiteral("system.ini");
    const QString seenIni = seenStamp(db, QStringLiteral("system.ini"));
    if (!QFileInfo::exists(ownIni) || (!seenIni.isEmpty() && seenIni != stamp))
        writeFile(ownIni, settings);
    if (seenIni != stamp)
        recordStamp(db, QStringLiteral("system.ini"), stamp);
}

} // namespace data

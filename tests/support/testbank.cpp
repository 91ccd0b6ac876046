#include "testbank.h"

#include "data/connection.h"
#include "data/programfolder.h"
#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <stdexcept>

namespace testing {

TestBank::TestBank()
{
    sqlite3* db = nullptr;
    if (sqlite3_open(dbPath().toUtf8().constData(), &db) != SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr,
                     nullptr) != SQLITE_OK ||
        sqlite3_exec(db, data::kSchemaSql, nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot create the test bank");
    sqlite3_close(db);
    db_ = std::make_unique<data::Connection>(dbPath());
    // Seeding needs no durability; the program's own handles keep theirs.
    db_->exec(QStringLiteral("PRAGMA synchronous=OFF"));
    QDir(dir_.path()).mkdir(QStringLiteral("upload"));
    data::setProgramFolder(folder());
}

TestBank::~TestBank()
{
    db_.reset();
    data::setProgramFolder({});
}

QString TestBank::folder() const
{
    return dir_.path() + u'/';
}

QString TestBank::dbPath() const
{
    return folder() + QStringLiteral("data.db");
}

QString TestBank::connString() const
{
    return QStringLiteral("Data Source=") + dbPath() + u';';
}

void TestBank::exec(const QString& sql)
{
    db_->exec(sql);
}

QVariant TestBank::scalar(const QString& sql)
{
    data::Statement statement(*db_, sql);
    return statement.step() ? statement.column(0) : QVariant();
}

void TestBank::addCategory(int sortId, const QString& name, std::array<int, 5> scales)
{
    db_->run(QStringLiteral("INSERT INTO sort VALUES (?, ?, ?, ?, ?, ?, ?)"),
             {sortId, name, scales[0], scales[1], scales[2], scales[3], scales[4]});
}

void TestBank::addQuestion(int subId, int typeId, int sortId, const QStringList& options,
                           int keyIndex, int stid, const QVariant& subpic, const QVariant& info,
                           const QVariant& infopic)
{
    data::Connection& db = *db_;
    db.run(
        QStringLiteral("INSERT INTO subject (subid, subtitle, subpic, info, infopic, typeId, "
                       "sortid, stid) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        {subId, QStringLiteral("题目%1").arg(subId), subpic, info, infopic, typeId, sortId, stid});
    for (int i = 0; i < options.size(); ++i)
        db.run(QStringLiteral("INSERT INTO options VALUES (?, ?, ?, ?)"),
               {subId * 10 + i + 1, subId, options.at(i), i == keyIndex ? 1 : 0});
}

void TestBank::addGeneratedQuestions(int questions)
{
    for (int s = 1; s <= 20; ++s)
        addCategory(s, QStringLiteral("类别%1").arg(s), {5, 5, 5, 5, 5});
    db_->exec(
        QStringLiteral(
            "BEGIN;"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO subject (subid, subtitle, info, subpic, typeId, sortid, stid) "
            "SELECT i, '驾驶机动车在道路上行驶时应当怎样做？第' || i || '题', "
            "'依照法律规定安全驾驶。', 'NULL', 1 + (i / 20) % 2, 1 + i % 20, i % 11 FROM n;"
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1 * 4 - 1) "
            "INSERT INTO options (optid, subid, optcontent, iskey) "
            "SELECT i + 1, 1 + i / 4, '答案' || i, i % 4 = 0 FROM n;"
            "COMMIT;")
            .arg(questions));
}

void TestBank::writeFile(const QString& name, const QByteArray& content)
{
    const QString path = folder() + name;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write a test file");
}

} // namespace testing

#include "base/error.h"
#include "data/connection.h"
#include "data/programfolder.h"
#include "support/testbank.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The shared folder is a test bank as a school installs it; the user's own folder is made from it.
class OwnFolderTest : public QObject
{
    Q_OBJECT

    QVariant value(const QString& db, const QString& sql)
    {
        data::Connection connection(db);
        data::Statement statement(connection, sql);
        return statement.step() ? statement.column(0) : QVariant();
    }

    QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    // A school's bank of two questions; what SQLite holds in its log goes into the file.
    void fill(testing::TestBank& shared)
    {
        shared.addCategory(1, QStringLiteral("法规"), {2, 0, 0, 0, 0});
        shared.addQuestion(7, 1, 1, {QStringLiteral("正确"), QStringLiteral("错误")}, 0);
        shared.addQuestion(8, 2, 1, {QStringLiteral("甲"), QStringLiteral("乙")}, 1);
        shared.writeFile(QStringLiteral("system.ini"), "alltime=2700\nmark=90\n");
        shared.writeFile(QStringLiteral("upload/7.jpg"), "picture");
        shared.writeFile(QStringLiteral("html/dtjq.html"), "<p>page</p>");
        shared.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }

    // A school's bank, and a learner's own folder made from it at a first start.
    struct Installed
    {
        explicit Installed(OwnFolderTest& test)
        {
            test.fill(shared);
            start();
        }
        void start() { data::refreshOwnFolder(shared.folder(), own); }

        testing::TestBank shared;
        QTemporaryDir home;
        const QString own = home.path() + u'/';
        const QString db = own + QStringLiteral("data.db");
    };

private slots:
    void aNewBankReplacesTheBankAndKeepsTheLearnersProgress()
    {
        testing::TestBank shared;
        fill(shared);
        QTemporaryDir home;
        const QString own = home.path() + QStringLiteral("/velmoor/");
        const QString db = own + QStringLiteral("data.db");
        data::refreshOwnFolder(shared.folder(), own);
        QCOMPARE(value(db, QStringLiteral("SELECT count(*) FROM subject")).toInt(), 2);
        QCOMPARE(read(own + QStringLiteral("system.ini")), QByteArray("alltime=2700\nmark=90\n"));
        QCOMPARE(read(own + QStringLiteral("upload/7.jpg")), QByteArray("picture"));
        QVERIFY(QFileInfo(own + QStringLiteral("html")).isSymLink());

        // The learner's progress, a table of another feature and settings of their own.
        {
            data::Connection user(db);
            user.exec(
                QStringLiteral("UPDATE subject SET errorTimes = 3 WHERE subid = 7;"
                               "UPDATE subject SET errorTimes = -1 WHERE subid = 8;"
                               "INSERT INTO note (subid, optionid, isright) VALUES (7, 72, 0);"
                               "CREATE TABLE history (score INTEGER); "
                               "INSERT INTO history VALUES (88);"));
        }
        const QByteArray ownSettings("alltime=600\nmark=80\n");
        QFile::remove(own + QStringLiteral("system.ini"));
        shared.writeFile(QStringLiteral("upload/9.gif"), "new picture");
        {
            QFile ini(own + QStringLiteral("system.ini"));
            QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write(ownSettings) > 0);
        }

        data::refreshOwnFolder(shared.folder(), own); // the next start, nothing shared changed
        QCOMPARE(value(db, QStringLiteral("SELECT errorTimes FROM subject WHERE subid = 7")), 3);
        QCOMPARE(read(own + QStringLiteral("system.ini")), ownSettings);
        QCOMPARE(read(own + QStringLiteral("upload/9.gif")), QByteArray("new picture"));

        // The school loads a new bank: question 7 reworded, 8 dropped, 9 added.
        shared.exec(QStringLiteral("UPDATE subject SET subtitle = '新题干' WHERE subid = 7;"
                                   "DELETE FROM subject WHERE subid = 8;"
                                   "DELETE FROM options WHERE subid = 8;"));
        shared.addQuestion(9, 2, 1,
                           {QStringLiteral("丙"), QStringLiteral("丁"), QStringLiteral("戊")}, 2);
        shared.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        data::refreshOwnFolder(shared.folder(), own);
        QCOMPARE(value(db, QStringLiteral("SELECT group_concat(subid || ':' || subtitle || ':' || "
                                          "errorTimes) FROM subject")),
                 QStringLiteral("7:新题干:3,9:题目9:0"));
        QCOMPARE(value(db, QStringLiteral("SELECT group_concat(optcontent) FROM options "
                                          "WHERE subid = 9")),
                 QStringLiteral("丙,丁,戊"));
        QCOMPARE(
            value(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'subId'")),
            1);
        QCOMPARE(value(db, QStringLiteral("SELECT optionid FROM note WHERE subid = 7")), 72);
        QCOMPARE(value(db, QStringLiteral("SELECT score FROM history")), 88);
        QCOMPARE(read(own + QStringLiteral("system.ini")), ownSettings);

        // The school sets a new time and pass mark: every learner gets them.
        shared.writeFile(QStringLiteral("system.ini"), "alltime=3000\nmark=95\n");
        data::refreshOwnFolder(shared.folder(), own);
        QCOMPARE(read(own + QStringLiteral("system.ini")), QByteArray("alltime=3000\nmark=95\n"));
    }

    // A start does not read a bank the file system shows unchanged since it was last read, once
    // it had rested then; a change made after that still reaches the learner.
    void aRestedBankIsToldUnchangedYetAChangeIsSeen()
    {
        Installed installed(*this);
        const QString& db = installed.db;
        QTest::qSleep(2100);
        installed.start();
        QVERIFY(
            !value(db, QStringLiteral("SELECT stamp FROM installstamp WHERE name = 'bank file'"))
                 .toString()
                 .isEmpty());

        installed.shared.exec(
            QStringLiteral("UPDATE subject SET subtitle = '新题干' WHERE subid = 7;"
                           "PRAGMA wal_checkpoint(TRUNCATE)"));
        installed.start();
        QCOMPARE(value(db, QStringLiteral("SELECT subtitle FROM subject WHERE subid = 7")),
                 QStringLiteral("新题干"));
    }

    void aBankThatCannotBeTakenLeavesTheLearnersDatabaseAsItWas()
    {
        Installed installed(*this);
        const QString& db = installed.db;
        {
            data::Connection user(db);
            user.exec(QStringLiteral("UPDATE subject SET errorTimes = 4 WHERE subid = 8"));
        }
        const QVariant stamp = value(db, QStringLiteral("SELECT stamp FROM installstamp "
                                                        "WHERE name = 'bank'"));
        // A bank whose questions carry no counters fails after the old tables are gone.
        installed.shared.exec(QStringLiteral("UPDATE subject SET subtitle = 'x';"
                                             "ALTER TABLE subject DROP COLUMN errorTimes;"
                                             "PRAGMA wal_checkpoint(TRUNCATE)"));
        QVERIFY_THROWS_EXCEPTION(base::Error, installed.start());
        QCOMPARE(value(db, QStringLiteral("SELECT group_concat(subid || ':' || subtitle || ':' || "
                                          "errorTimes) FROM subject")),
                 QStringLiteral("7:题目7:0,8:题目8:4"));
        QCOMPARE(value(db, QStringLiteral("SELECT count(*) FROM options")), 4);
        QCOMPARE(value(db, QStringLiteral("SELECT stamp FROM installstamp WHERE name = 'bank'")),
                 stamp);
    }
};

QTEST_GUILESS_MAIN(OwnFolderTest)
#include "ownfolder_test.moc"

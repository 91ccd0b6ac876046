#include "bankio.h"
#include "core/search.h"
#include "data/connection.h"
#include "support/testbank.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>

namespace {

QList<qint64> ids(const std::vector<core::SearchHit>& hits)
{
    QList<qint64> out;
    for (const core::SearchHit& h : hits)
        out << h.subid;
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeBank(const QString& dir, const QByteArray& stem, const QByteArray& option)
{
    writeFile(dir + "/sort.csv", "sortID,sortname,scale0,scale1,scale2,scale3,scale4\n"
                                 "1,法规,2,0,0,0,0\n");
    writeFile(dir + "/subject.csv", "subid,subtitle,subpic,info,infopic,typeId,sortid,stid\n"
                                    "1," +
                                        stem +
                                        ",NULL,NULL,NULL,1,1,1\n"
                                        "2,夜间会车应当怎样使用灯光？,NULL,NULL,NULL,2,1,1\n");
    writeFile(dir + "/options.csv", "optid,subid,optcontent,iskey\n"
                                    "11,1,正确,1\n12,1,错误,0\n"
                                    "21,2," +
                                        option + ",1\n22,2,使用远光灯,0\n");
}

} // namespace

class SearchTest : public QObject
{
    Q_OBJECT

    void fill(testing::TestBank& bank)
    {
        bank.addCategory(1, QStringLiteral("法规"), {10, 0, 0, 0, 0});
        bank.addQuestion(1, 1, 1, {QStringLiteral("正确"), QStringLiteral("错误")}, 0, 0, {},
                         QStringLiteral("高速公路上ABS失效时应减速"));
        bank.addQuestion(2, 2, 1, {QStringLiteral("鸣喇叭示意"), QStringLiteral("100%减速")}, 0, 0,
                         {}, QStringLiteral("NULL"));
        bank.addQuestion(3, 2, 1, {QStringLiteral("在人行横道前停车让行")}, 0);
        bank.exec(QStringLiteral("UPDATE subject SET subtitle = '驾驶机动车遇到\"行人\"怎么办' "
                                 "WHERE subid = 3"));
    }

private slots:
    void trigramsFindStemsOptionsAndExplanations();
    void shortTermsScanTheBankAlike();
    void indexFollowsImportAndNoticesAStaleBank();
    void staleIndexIsRebuiltBetweenTheLearnersWrites();
};

void SearchTest::trigramsFindStemsOptionsAndExplanations()
{
    testing::TestBank bank;
    fill(bank);
    data::Connection db(bank.dbPath());
    QVERIFY(core::refreshSearchIndex(bank.dbPath()));
    QVERIFY(core::searchIndexCurrent(db.handle()));

    QCOMPARE(ids(core::search(db, QStringLiteral("人行横道"))), (QList<qint64>{3})); // option
    QCOMPARE(ids(core::search(db, QStringLiteral("高速公路"))), (QList<qint64>{1})); // explanation
    QCOMPARE(ids(core::search(db, QStringLiteral("题目2"))), (QList<qint64>{2}));    // stem
    QCOMPARE(ids(core::search(db, QStringLiteral("abs"))), (QList<qint64>{1}));      // any case
    QCOMPARE(ids(core::search(db, QStringLiteral(" 题目 \t"))).size(), 2);           // trimmed
    QCOMPARE(ids(core::search(db, QStringLiteral("题目2 鸣喇叭"))), (QList<qint64>{2}));
    QCOMPARE(ids(core::search(db, QStringLiteral("题目1 鸣喇叭"))), QList<qint64>());
    // Quotes and operators are text, not query syntax; "NULL" is no explanation.
    QCOMPARE(ids(core::search(db, QStringLiteral("\"行人\""))), (QList<qint64>{3}));
    QCOMPARE(ids(core::search(db, QStringLiteral("NULL"))), QList<qint64>());
    QCOMPARE(ids(core::search(db, QStringLiteral("AND OR"))), QList<qint64>());
    // The stem comes back for the result list; the limit holds.
    QCOMPARE(core::search(db, QStringLiteral("题目1")).front().subtitle, QStringLiteral("题目1"));
    QCOMPARE(core::search(db, QStringLiteral("正确"), 1).size(), size_t(1));
    QVERIFY(core::search(db, QStringLiteral("   ")).empty());
}

void SearchTest::shortTermsScanTheBankAlike()
{
    testing::TestBank bank;
    fill(bank);
    data::Connection db(bank.dbPath());
    core::refreshSearchIndex(bank.dbPath());

    QCOMPARE(ids(core::search(db, QStringLiteral("喇叭"))), (QList<qint64>{2})); // option
    QCOMPARE(ids(core::search(db, QStringLiteral("失效"))), (QList<qint64>{1})); // explanation
    QCOMPARE(ids(core::search(db, QStringLiteral("行"))), (QList<qint64>{3}));
    QCOMPARE(ids(core::search(db, QStringLiteral("ab"))), (QList<qint64>{1}));
    QCOMPARE(ids(core::search(db, QStringLiteral("题目 鸣"))), (QList<qint64>{2}));
    // Wildcards are taken literally.
    QCOMPARE(ids(core::search(db, QStringLiteral("%"))), (QList<qint64>{2}));
    QCOMPARE(ids(core::search(db, QStringLiteral("_"))), QList<qint64>());
    QCOMPARE(ids(core::search(db, QStringLiteral("NU"))), QList<qint64>());

    // Without an index every search scans, with the same answers.
    db.exec(QStringLiteral("DROP TABLE search_text"));
    QVERIFY(!core::searchIndexCurrent(db.handle()));
    QCOMPARE(ids(core::search(db, QStringLiteral("人行横道"))), (QList<qint64>{3}));
    QCOMPARE(ids(core::search(db, QStringLiteral("ABS"))), (QList<qint64>{1}));
}

void SearchTest::indexFollowsImportAndNoticesAStaleBank()
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("csv"));
    const QString path = dir.filePath(QStringLiteral("data.db"));
    QDir().mkpath(csv);
    writeBank(csv, "机动车在高速公路上发生故障时，应当开启危险报警闪光灯。", "使用近光灯");
    bank::importFolder(csv, path);
    {
        data::Connection db(path);
        QVERIFY(core::searchIndexCurrent(db.handle()));
        QCOMPARE(ids(core::search(db, QStringLiteral("危险报警"))), (QList<qint64>{1}));
        QCOMPARE(ids(core::search(db, QStringLiteral("近光灯"))), (QList<qint64>{2}));
    }

    writeBank(csv, "车辆在隧道内发生故障时，应当开启危险报警闪光灯。", "交替使用远近光灯");
    bank::importFolder(csv, path);
    data::Connection db(path);
    QCOMPARE(ids(core::search(db, QStringLiteral("高速公路"))), QList<qint64>());
    QCOMPARE(ids(core::search(db, QStringLiteral("隧道内"))), (QList<qint64>{1}));
    QCOMPARE(ids(core::search(db, QStringLiteral("远近光"))), (QList<qint64>{2}));
    QVERIFY(!core::refreshSearchIndex(path)); // already in step

    // Counting errors leaves the index in step; a bank changed behind its back is noticed and
    // indexed again, also one whose tables another tool replaced.
    db.exec(QStringLiteral("UPDATE subject SET errorTimes = errorTimes + 1"));
    QVERIFY(core::searchIndexCurrent(db.handle()));
    db.exec(QStringLiteral("CREATE TABLE copy AS SELECT * FROM sort; DROP TABLE sort; "
                           "ALTER TABLE copy RENAME TO sort"));
    QVERIFY(core::searchIndexCurrent(db.handle())); // categories are not indexed
    db.exec(QStringLiteral("CREATE TABLE copy AS SELECT * FROM subject; DROP TABLE subject; "
                           "ALTER TABLE copy RENAME TO subject"));
    QVERIFY(!core::searchIndexCurrent(db.handle()));
    QVERIFY(core::refreshSearchIndex(path));
    db.exec(QStringLiteral("UPDATE options SET optcontent = '开启雾灯' WHERE optid = 22"));
    QVERIFY(!core::searchIndexCurrent(db.handle()));
    QVERIFY(core::refreshSearchIndex(path));
    QCOMPARE(ids(core::search(db, QStringLiteral("开启雾灯"))), (QList<qint64>{2}));
    db.exec(QStringLiteral("DROP TABLE search_stamp"));
    {
        core::SearchIndexRefresher refresher(path);
    }
    QVERIFY(core::searchIndexCurrent(db.handle()));
}

// A large bank's index is rebuilt while the learner works: their writes wait for a step of the
// build, not for all of it, and a text changed meanwhile is in the index the build leaves.
void SearchTest::staleIndexIsRebuiltBetweenTheLearnersWrites()
{
    testing::TestBank bank;
    bank.addGeneratedQuestions(60000);
    QVERIFY(core::refreshSearchIndex(bank.dbPath()));
    data::Connection db(bank.dbPath());
    db.exec(QStringLiteral("UPDATE subject SET subtitle = '雨天行车' WHERE subid = 7"));
    QVERIFY(!core::searchIndexCurrent(db.handle()));

    using Clock = std::chrono::steady_clock;
    Clock::duration longestWait{};
    int writes = 0;
    const auto start = Clock::now();
    {
        core::SearchIndexRefresher refresher(bank.dbPath());
        while (!refresher.finished()) {
            const auto before = Clock::now();
            db.exec(
                QStringLiteral("UPDATE subject SET errorTimes = errorTimes + 1 WHERE subid = 1"));
            longestWait = std::max(longestWait, Clock::now() - before);
            if (++writes == 5)
                db.exec(QStringLiteral("UPDATE subject SET subtitle = '雾天行车' WHERE subid = 8"));
            QTest::qWait(5);
        }
        QVERIFY2(refresher.error().isEmpty(), qPrintable(refresher.error()));
    }
    const auto building = Clock::now() - start;
    QVERIFY2(
        longestWait * 4 < building,
        qPrintable(
            QStringLiteral("a write waited %1 ms of the build's %2 ms")
                .arg(std::chrono::duration_cast<std::chrono::milliseconds>(longestWait).count())
                .arg(std::chrono::duration_cast<std::chrono::milliseconds>(building).count())));
    QVERIFY(writes > 5);
    // Built again if the change came too late for the build.
    core::refreshSearchIndex(bank.dbPath());
    QVERIFY(core::searchIndexCurrent(db.handle()));
    QCOMPARE(ids(core::search(db, QStringLiteral("雨天行"))), (QList<qint64>{7}));
    QCOMPARE(ids(core::search(db, QStringLiteral("雾天行"))), (QList<qint64>{8}));

    // A second copy of the program rebuilding at the same time: one leaves it to the other.
    db.exec(QStringLiteral("DELETE FROM search_stamp"));
    {
        core::SearchIndexRefresher first(bank.dbPath());
        core::SearchIndexRefresher second(bank.dbPath());
        while (!first.finished() || !second.finished())
            QTest::qWait(5);
        QVERIFY2(first.error().isEmpty() && second.error().isEmpty(),
                 qPrintable(first.error() + second.error()));
    }
    QVERIFY(core::searchIndexCurrent(db.handle()));
    data::Statement documents(db, QStringLiteral("SELECT count(*) FROM search_text"));
    QVERIFY(documents.step());
    QCOMPARE(documents.column(0).toInt(), 60000);
}

QTEST_GUILESS_MAIN(SearchTest)
#include "search_test.moc"

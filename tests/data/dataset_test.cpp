#include "base/error.h"
#include "data/dataset.h"
#include "data/schema.h"
#include "data/tado.h"
#include "support/testbank.h"

#include <QFile>
#include <QTest>

using data::Table;

class DatasetTest : public QObject
{
    Q_OBJECT

    // A bank of six questions stored out of id order, in two categories.
    void fill(testing::TestBank& bank)
    {
        bank.addCategory(2, QStringLiteral("信号"), {5, 0, 0, 0, 0});
        bank.addCategory(1, QStringLiteral("法规"), {10, 4, 0, 0, 0});
        for (int id : {30, 10, 60, 20, 50, 40})
            bank.addQuestion(id, id % 20 == 0 ? 1 : 2, id <= 30 ? 1 : 2,
                             {QStringLiteral("甲"), QStringLiteral("乙")}, 0);
        bank.exec(QStringLiteral("UPDATE subject SET errorTimes = CASE subid WHEN 10 THEN 2 "
                                 "WHEN 20 THEN 5 WHEN 40 THEN 2 WHEN 50 THEN -1 ELSE 0 END"));
    }

    std::unique_ptr<Table> open(const testing::TestBank& bank, const QString& name,
                                const QString& index = {})
    {
        auto t = std::make_unique<Table>(name);
        t->setConnectionString(bank.connString());
        t->setIndexField(index);
        t->open();
        return t;
    }

    QList<qint64> ids(Table& t, const QString& field = QStringLiteral("subid"))
    {
        QList<qint64> out;
        for (t.first(); !t.eof(); t.next())
            out << t.asInteger(field);
        return out;
    }

private slots:
    void underlyingOrderFollowsTheIndexOrStorage()
    {
        testing::TestBank bank;
        fill(bank);
        auto subject = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
        QCOMPARE(ids(*subject), (QList<qint64>{10, 20, 30, 40, 50, 60}));
        auto sort = open(bank, QStringLiteral("sort"));
        QCOMPARE(ids(*sort, QStringLiteral("sortID")), (QList<qint64>{2, 1}));
        sort->setSort(QStringLiteral("sortId"));
        QCOMPARE(ids(*sort, QStringLiteral("SORTID")), (QList<qint64>{1, 2}));
    }

    // Every column constant names a column of each table it is read from.
    void namesMatchTheSchema()
    {
        testing::TestBank bank;
        fill(bank);
        bank.exec(QStringLiteral("INSERT INTO note (subid) VALUES (10)"));
        namespace col = data::col;
        const std::pair<QString, QStringList> tables[] = {
            {data::tbl::sort,
             {col::sortId, col::sortName, col::scale(0), col::scale(1), col::scale(2),
              col::scale(3), col::scale(4)}},
            {data::tbl::subject,
             {col::subId, col::subTitle, col::subPic, col::info, col::infoPic, col::typeId,
              col::sortId, col::stId, col::errorTimes}},
            {data::tbl::options, {col::optId, col::subId, col::optContent, col::isKey}},
            {data::tbl::note, {col::noteId, col::subId, col::optionId, col::isRight}},
        };
        for (const auto& [name, columns] : tables) {
            auto t = open(bank, name);
            t->first();
            for (const QString& column : columns) {
                try {
                    t->value(column);
                } catch (const base::Error& e) {
                    QFAIL(qPrintable(name + u' ' + e.text()));
                }
            }
        }
    }

    void filterGrammar()
    {
        testing::TestBank bank;
        fill(bank);
        auto s = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
        s->setFilter(QStringLiteral("(sortid=1) and (typeId=2)"));
        QCOMPARE(s->recordCount(), 6); // not applied while the flag is off
        s->setFiltered(true);
        QCOMPARE(ids(*s), (QList<qint64>{10, 30}));
        s->setFilter(QStringLiteral("errorTimes>0"));
        QCOMPARE(ids(*s), (QList<qint64>{10, 20, 40}));
        s->setFilter(QStringLiteral("SUBID=40"));
        QCOMPARE(s->recordCount(), 1);
        QCOMPARE(s->recNo(), 1);
        s->setFilter(QStringLiteral("errorTimes>-1 AND sortId=2"));
        QCOMPARE(ids(*s), (QList<qint64>{40, 60}));
        s->setFiltered(false);
        QCOMPARE(s->recordCount(), 6);
        QCOMPARE(s->filter(), QStringLiteral("errorTimes>-1 AND sortId=2"));
    }

    void badFiltersAreErrorsThatSayWhere_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("where");
        QTest::newRow("no value") << "subid="
                                  << "第 7 个字符";
        QTest::newRow("double operator") << "subid==3"
                                         << "第 7 个字符";
        QTest::newRow("open parenthesis") << "(subid=3"
                                          << "第 9 个字符";
        QTest::newRow("or") << "subid=3 or typeId=1"
                            << "第 9 个字符";
        QTest::newRow("unknown field") << "colour=3"
                                       << "colour";
        QTest::newRow("text value") << "subid=abc"
                                    << "第 7 个字符";
    }
    void badFiltersAreErrorsThatSayWhere()
    {
        QFETCH(QString, text);
        QFETCH(QString, where);
        testing::TestBank bank;
        fill(bank);
        auto s = open(bank, QStringLiteral("subject"));
        s->setFilter(QStringLiteral("sortid=2"));
        s->setFiltered(true);
        try {
            s->setFilter(text);
            QFAIL("no error");
        } catch (const base::Error& e) {
            QVERIFY2(e.text().contains(where), qPrintable(e.text()));
        }
        QCOMPARE(s->recordCount(), 3); // the old filter still holds
    }

    void sortIsStableOverTheUnderlyingOrder()
    {
        testing::TestBank bank;
        fill(bank);
        auto s = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
        s->setSort(QStringLiteral("errorTimes DESC"));
        QCOMPARE(ids(*s), (QList<qint64>{20, 10, 40, 30, 60, 50}));
        s->setSort(QStringLiteral("typeId"));
        QCOMPARE(ids(*s), (QList<qint64>{20, 40, 60, 10, 30, 50}));
        s->setFilter(QStringLiteral("errorTimes>0"));
        s->setFiltered(true);
        QCOMPARE(ids(*s), (QList<qint64>{20, 40, 10}));
        QVERIFY_THROWS_EXCEPTION(base::Error, s->setSort(QStringLiteral("nothing")));
    }

    void navigation()
    {
        testing::TestBank bank;
        fill(bank);
        auto s = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
        s->first();
        s->moveBy(3);
        QCOMPARE(s->recNo(), 4);
        QCOMPARE(s->asInteger(QStringLiteral("subid")), 40);
        s->moveBy(10);
        QVERIFY(s->eof());
        QCOMPARE(s->recNo(), 6);
        s->setRecNo(2);
        QVERIFY(!s->eof());
        QCOMPARE(s->asInteger(QStringLiteral("subid")), 20);
        s->moveBy(-5);
        QCOMPARE(s->recNo(), 1);

        s->setFilter(QStringLiteral("subid=99"));
        s->setFiltered(true);
        QVERIFY(s->eof());
        QCOMPARE(s->recordCount(), 0);
        QCOMPARE(s->recNo(), 0);
        QVERIFY_THROWS_EXCEPTION(base::Error, s->value(QStringLiteral("subid")));
    }

    void nullIsDistinctFromZeroAndEmpty()
    {
        testing::TestBank bank;
        bank.addQuestion(1, 2, 1, {}, -1, 0, QVariant(), QString(), QStringLiteral("NULL"));
        bank.exec(QStringLiteral("UPDATE subject SET typeId = NULL"));
        auto s = open(bank, QStringLiteral("subject"));
        QVERIFY(s->value(QStringLiteral("subpic")).isNull());
        QVERIFY(!s->value(QStringLiteral("info")).isNull());
        QCOMPARE(s->value(QStringLiteral("info")).toString(), QString());
        QCOMPARE(s->asString(QStringLiteral("subpic")), QString());
        QCOMPARE(s->asString(QStringLiteral("infopic")), QStringLiteral("NULL"));
        QVERIFY(s->value(QStringLiteral("typeId")).isNull());
        QCOMPARE(s->asInteger(QStringLiteral("typeId")), 0);
        QCOMPARE(s->asInteger(QStringLiteral("errorTimes")), 0);
        QVERIFY(!s->value(QStringLiteral("errorTimes")).isNull());
        QVERIFY_THROWS_EXCEPTION(base::Error, s->asInteger(QStringLiteral("subtitle")));
    }

    void appendedRowsGetRisingKeysAndZeroDefaults()
    {
        testing::TestBank bank;
        auto note = open(bank, QStringLiteral("note"));
        note->setSort(QStringLiteral("noteId"));
        for (int id : {7, 3, 5}) {
            note->append();
            note->setValue(QStringLiteral("subid"), id);
        }
        note->post();
        QCOMPARE(ids(*note), (QList<qint64>{7, 3, 5}));
        qint64 last = 0;
        for (note->first(); !note->eof(); note->next()) {
            QVERIFY(note->asInteger(QStringLiteral("noteId")) > last);
            last = note->asInteger(QStringLiteral("noteId"));
            QCOMPARE(note->value(QStringLiteral("optionid")), QVariant(qint64(0)));
            QCOMPARE(note->value(QStringLiteral("isright")), QVariant(qint64(0)));
        }
        QCOMPARE(bank.scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 3);
    }

    void pendingRowsAreSavedByMovingAndDroppedWhenEmpty()
    {
        testing::TestBank bank;
        auto note = open(bank, QStringLiteral("note"));
        note->append();
        note->setValue(QStringLiteral("subid"), 1);
        note->first(); // saves
        note->append();
        note->setValue(QStringLiteral("subid"), 2);
        note->locate(QStringLiteral("subid"), 1); // saves
        note->append();
        note->setValue(QStringLiteral("subid"), 3);
        note->setFiltered(true); // saves
        note->append();
        note->append(); // the first of these was empty: dropped
        note->setValue(QStringLiteral("subid"), 4);
        note->close(); // saves
        QCOMPARE(bank.scalar(QStringLiteral("SELECT group_concat(subid) FROM note")).toString(),
                 QStringLiteral("1,2,3,4"));

        note->open();
        QVERIFY_THROWS_EXCEPTION(base::Error, note->post());
        QVERIFY_THROWS_EXCEPTION(base::Error, note->setValue(QStringLiteral("subid"), 9));
        note->first();
        note->edit();
        note->setValue(QStringLiteral("isright"), 1);
        note->setValue(QStringLiteral("optionid"), 12);
        note->next(); // saves the edit
        QCOMPARE(bank.scalar(QStringLiteral("SELECT optionid FROM note WHERE subid=1")).toInt(),
                 12);
    }

    void snapshotsAreIsolatedBetweenHandles()
    {
        testing::TestBank bank;
        fill(bank);
        auto a = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
        auto b = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
        QVERIFY(a->locate(QStringLiteral("subId"), 30));
        a->edit();
        a->setValue(QStringLiteral("errorTimes"), 7);
        a->post();
        QCOMPARE(a->asInteger(QStringLiteral("errorTimes")), 7);
        QVERIFY(b->locate(QStringLiteral("subid"), 30));
        QCOMPARE(b->asInteger(QStringLiteral("errorTimes")), 0);

        data::Query reset;
        reset.setConnectionString(bank.connString());
        reset.sql() << QStringLiteral("UPDATE subject SET errorTimes=0");
        reset.execSql();
        QCOMPARE(a->asInteger(QStringLiteral("errorTimes")), 7);
        a->close();
        a->open();
        a->setFilter(QStringLiteral("errorTimes>0"));
        a->setFiltered(true);
        QCOMPARE(a->recordCount(), 0);
    }

    void locateFindsTheFirstEqualValueInTheView()
    {
        testing::TestBank bank;
        fill(bank);
        auto s = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
        s->setSort(QStringLiteral("errorTimes DESC"));
        QVERIFY(s->locate(QStringLiteral("errorTimes"), 2));
        QCOMPARE(s->asInteger(QStringLiteral("subid")), 10);
        s->setRecNo(5);
        QVERIFY(!s->locate(QStringLiteral("subid"), 99));
        QCOMPARE(s->recNo(), 5);
        QVERIFY(s->locate(QStringLiteral("SUBID"), QStringLiteral("60")));
        QCOMPARE(s->asInteger(QStringLiteral("subid")), 60);
    }

    // Writes keep the view in place of rebuilding it: after each one, the view must be the one a
    // freshly opened handle with the same filter and sort shows, and Locate must agree with it.
    void writesLeaveTheViewAsAFreshHandleShowsIt()
    {
        testing::TestBank bank;
        bank.addGeneratedQuestions(60);
        const struct
        {
            const char* filter;
            const char* sort;
        } views[] = {{"", ""},
                     {"", "errorTimes DESC"},
                     {"errorTimes>0", "errorTimes DESC, typeId"},
                     {"(sortid=2) and (typeId=1)", "typeId"},
                     {"sortid=3", ""}};
        int step = 0;
        for (const auto& v : views) {
            auto a = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
            const auto shape = [&](Table& t) {
                t.setFilter(QString::fromLatin1(v.filter));
                t.setFiltered(*v.filter != 0);
                t.setSort(QString::fromLatin1(v.sort));
            };
            shape(*a);
            for (int i = 0; i < 24; ++i, ++step) {
                const qint64 id = 1 + (step * 37) % 60;
                if (!a->locate(QStringLiteral("subId"), id))
                    continue;
                a->edit();
                a->setValue(QStringLiteral("errorTimes"),
                            a->asInteger(QStringLiteral("errorTimes")) + (step % 3 == 2 ? -1 : 1));
                if (step % 7 == 0)
                    a->setValue(QStringLiteral("sortid"), 1 + step % 4);
                a->post();
                const QList<qint64> seen = ids(*a);
                auto fresh = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
                shape(*fresh);
                QCOMPARE(seen, ids(*fresh));
                for (const qint64 probe : {id, qint64(1 + step % 60)}) {
                    QCOMPARE(a->locate(QStringLiteral("subid"), probe), seen.contains(probe));
                    if (seen.contains(probe))
                        QCOMPARE(a->recNo(), int(seen.indexOf(probe)) + 1);
                }
            }
        }

        // Appends and deletes on a filtered, sorted paper.
        bank.exec(
            QStringLiteral("INSERT INTO note (subid, isright) VALUES (5, 0), (6, 1), (7, 0)"));
        auto note = open(bank, QStringLiteral("note"));
        note->setFilter(QStringLiteral("isright=0"));
        note->setFiltered(true);
        note->setSort(QStringLiteral("noteId"));
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(note->locate(QStringLiteral("isright"), 0), note->recordCount() > 0);
            if (i % 3 == 2 && !note->eof()) {
                note->remove();
            } else {
                note->append();
                note->setValue(QStringLiteral("subid"), 100 + i);
                note->setValue(QStringLiteral("isright"), i % 2);
                note->post();
            }
            const QList<qint64> seen = ids(*note);
            auto fresh = open(bank, QStringLiteral("note"));
            fresh->setFilter(QStringLiteral("isright=0"));
            fresh->setFiltered(true);
            fresh->setSort(QStringLiteral("noteId"));
            QCOMPARE(seen, ids(*fresh));
        }
    }

    // Each saved counter used to store the row's texts once more.
    void savingARowAgainStoresNoNewText()
    {
        testing::TestBank bank;
        fill(bank);
        auto s = open(bank, QStringLiteral("subject"), QStringLiteral("subid"));
        QVERIFY(s->locate(QStringLiteral("subId"), QStringLiteral("30")));
        const size_t before = s->textBytes();
        for (int i = 0; i < 100; ++i) {
            QVERIFY(s->locate(QStringLiteral("subId"), 30));
            s->edit();
            s->setValue(QStringLiteral("errorTimes"), i);
            s->post();
        }
        QCOMPARE(s->asInteger(QStringLiteral("errorTimes")), 99);
        QCOMPARE(s->asString(QStringLiteral("subtitle")).isEmpty(), false);
        QCOMPARE(s->textBytes(), before);
    }

    void deletingUntilEofEmptiesTheTable()
    {
        testing::TestBank bank;
        bank.exec(QStringLiteral("INSERT INTO note (subid) VALUES (1), (2), (3), (4)"));
        auto note = open(bank, QStringLiteral("note"));
        note->setRecNo(2);
        note->remove();
        QCOMPARE(note->asInteger(QStringLiteral("subid")), 3); // the next row is current
        note->first();
        while (!note->eof())
            note->remove();
        QCOMPARE(note->recordCount(), 0);
        QCOMPARE(bank.scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 0);
        QVERIFY_THROWS_EXCEPTION(base::Error, note->remove());
    }

    void refusedWritesRaiseAndChangeNothing()
    {
        testing::TestBank bank;
        bank.exec(QStringLiteral("INSERT INTO note (subid) VALUES (1)"));
        bank.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON note "
                                 "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        auto note = open(bank, QStringLiteral("note"));
        note->edit();
        note->setValue(QStringLiteral("isright"), 1);
        try {
            note->post();
            QFAIL("no error");
        } catch (const base::Error& e) {
            QVERIFY2(e.text().contains(QStringLiteral("disk full")), qPrintable(e.text()));
        }
        QCOMPARE(bank.scalar(QStringLiteral("SELECT isright FROM note")).toInt(), 0);
        QCOMPARE(note->state(), Table::State::Browse);
        QCOMPARE(note->asInteger(QStringLiteral("isright")), 0);
        note->next(); // nothing pending any more
    }

    void aTransactionRolledBackLeavesTheOldRows()
    {
        testing::TestBank bank;
        bank.exec(QStringLiteral("INSERT INTO note (subid) VALUES (1), (2)"));
        auto note = open(bank, QStringLiteral("note"));
        note->setSort(QStringLiteral("noteId"));
        note->beginTransaction();
        while (!note->eof())
            note->remove();
        note->append();
        note->setValue(QStringLiteral("subid"), 9);
        note->post();
        note->rollback();
        QCOMPARE(ids(*note), (QList<qint64>{1, 2}));
        QCOMPARE(bank.scalar(QStringLiteral("SELECT group_concat(subid) FROM note")).toString(),
                 QStringLiteral("1,2"));
        note->beginTransaction();
        note->first();
        note->remove();
        note->commit();
        QCOMPARE(bank.scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 1);
    }

    void openingAMissingOrBrokenDatabaseFails()
    {
        testing::TestBank bank;
        Table t(QStringLiteral("subject"));
        t.setConnectionString(QStringLiteral("Data Source=") + bank.folder() +
                              QStringLiteral("nothing.db;"));
        QVERIFY_THROWS_EXCEPTION(base::Error, t.open());
        QVERIFY(!t.active());
        bank.writeFile(QStringLiteral("junk.db"), QByteArray(4096, 'x'));
        t.setConnectionString(QStringLiteral("Data Source=") + bank.folder() +
                              QStringLiteral("junk.db;"));
        try {
            t.open();
            QFAIL("no error");
        } catch (const base::Error& e) {
            QVERIFY2(e.text().contains(QStringLiteral("junk.db")), qPrintable(e.text()));
        }
        QCOMPARE(QFile(bank.folder() + QStringLiteral("junk.db")).size(), 4096);
        QVERIFY_THROWS_EXCEPTION(base::Error, t.first());
        QVERIFY(t.eof());
    }

    void dataModuleOpensTheSharedTables()
    {
        testing::TestBank bank;
        fill(bank);
        QString connString;
        data::Tado ado(connString);
        ado.DataModuleCreate();
        QCOMPARE(data::databasePath(connString), bank.dbPath());
        QVERIFY(ado.subject.active() && ado.sort.active() && ado.options.active());
        QCOMPARE(ids(ado.sort, QStringLiteral("sortid")), (QList<qint64>{1, 2}));
        QCOMPARE(ids(ado.subject).first(), 10);
    }

    void dataModuleStopsAtTheFailingTable()
    {
        testing::TestBank bank;
        bank.exec(QStringLiteral("DROP TABLE sort"));
        QString connString;
        data::Tado ado(connString);
        QVERIFY_THROWS_EXCEPTION(base::Error, ado.DataModuleCreate());
        QVERIFY(!connString.isEmpty());
        QVERIFY(ado.subject.active());
        QVERIFY(!ado.sort.active());
        QVERIFY(!ado.options.active());
    }
};

QTEST_GUILESS_MAIN(DatasetTest)
#include "dataset_test.moc"

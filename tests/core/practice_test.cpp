#include "base/error.h"
#include "core/paper.h"
#include "core/practice.h"
#include "core/schedule.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "support/testbank.h"

#include <QTest>

using core::PaperMode;

namespace {

constexpr qint64 kStart = 1'700'000'000; // some Tuesday; only differences matter
constexpr qint64 kDay = core::kSecondsPerDay;

// The paper as testing::paperOf shows it: "3,4,5".
QString joined(const std::vector<qint64>& ids)
{
    QStringList parts;
    for (const qint64 id : ids)
        parts << QString::number(id);
    return parts.join(u',');
}

} // namespace

class PracticeTest : public QObject
{
    Q_OBJECT

    // Questions 1..n in category 1, four options each; errorTimes 5 on every one, so that any
    // change to it shows.
    void fill(testing::TestBank& bank, int n)
    {
        bank.addCategory(1, QStringLiteral("法规"), {10, 0, 0, 0, 0});
        for (int id = 1; id <= n; ++id)
            bank.addQuestion(id, 2, 1, {QStringLiteral("甲"), QStringLiteral("乙")}, 0);
        bank.exec(QStringLiteral("UPDATE subject SET errorTimes = 5"));
    }

private slots:
    void missIsDueNowAndRightDrillAnswersGrowTheInterval();
    void drillPaperHoldsTheDueQuestionsMostOverdueFirst();
    void failedPaperKeepsTheOldPaper();
    void categoryPracticeDrawsUnseenFirstAndListsWeakestFirst();
};

void PracticeTest::missIsDueNowAndRightDrillAnswersGrowTheInterval()
{
    testing::TestBank bank;
    fill(bank, 3);
    data::Connection db(bank.dbPath());
    core::createScheduleTables(db);

    // A wrong and an unanswered answer of a mock examination; a study set's miss counts too.
    core::recordAnswers(db, PaperMode::MockExam, {{1, false}, {2, true}}, kStart);
    core::recordAnswers(db, PaperMode::Study, {{3, false}}, kStart + 10);
    QCOMPARE(core::dueCount(db, kStart), 1);
    QCOMPARE(core::dueQuestions(db, kStart + 10, 20), (std::vector<qint64>{1, 3}));
    QVERIFY(!core::scheduleOf(db, 2)); // right answers outside practice schedule nothing

    // A right answer outside practice does not move a due question.
    core::recordAnswers(db, PaperMode::MockExam, {{1, true}}, kStart + 20);
    QCOMPARE(core::scheduleOf(db, 1)->box, 0);

    // Each right answer in a drill, given when due, doubles the wait roughly: 1, 3, 7, 14, 30.
    qint64 now = kStart + 60;
    for (const int days : {1, 3, 7, 14, 30, 30}) {
        core::recordAnswers(db, PaperMode::Practice, {{1, true}}, now);
        const core::ScheduleEntry e = *core::scheduleOf(db, 1);
        QCOMPARE(e.due, now + days * kDay);
        QCOMPARE(core::dueQuestions(db, e.due - 1, 20), (std::vector<qint64>{3}));
        // Answered again before it is due, it stays where it is.
        core::recordAnswers(db, PaperMode::Practice, {{1, true}}, e.due - 1);
        QCOMPARE(core::scheduleOf(db, 1)->due, e.due);
        now = e.due + 5;
    }
    QCOMPARE(core::scheduleOf(db, 1)->box, core::kTopBox);

    // A miss in the drill starts the question over, due at once.
    core::recordAnswers(db, PaperMode::Practice, {{1, false}}, now);
    const core::ScheduleEntry e = *core::scheduleOf(db, 1);
    QCOMPARE(e.box, 0);
    QCOMPARE(e.due, now);
    QCOMPARE(e.misses, 2);

    QCOMPARE(
        bank.scalar(QStringLiteral("SELECT count(*) FROM subject WHERE errorTimes <> 5")).toInt(),
        0);
}

void PracticeTest::drillPaperHoldsTheDueQuestionsMostOverdueFirst()
{
    testing::TestBank bank;
    fill(bank, 30);
    data::Connection db(bank.dbPath());
    core::createScheduleTables(db);
    // 25 misses, the later ids the older ones; question 30 learnt once, so not due yet.
    for (qint64 id = 1; id <= 25; ++id)
        core::recordAnswers(db, PaperMode::MockExam, {{id, false}}, kStart - id * 60);
    core::recordAnswers(db, PaperMode::MockExam, {{30, false}}, kStart - kDay);
    core::recordAnswers(db, PaperMode::Practice, {{30, true}}, kStart - 1);
    // A missed question that has left the bank is not drilled.
    bank.exec(QStringLiteral("DELETE FROM subject WHERE subid = 25"));

    const std::vector<qint64> due = core::dueQuestions(db, kStart, core::kPracticeSize);
    QCOMPARE(int(due.size()), 20);
    QCOMPARE(due.front(), 24);
    QCOMPARE(due.back(), 5);
    QCOMPARE(core::dueCount(db, core::endOfDay(kStart)), 24);

    data::Table note{QStringLiteral("note")};
    note.setConnectionString(bank.connString());
    note.open();
    QCOMPARE(core::writeQuestionPaper(note, due), 20);
    QCOMPARE(testing::paperOf(bank), joined(due));
    QCOMPARE(bank.scalar(QStringLiteral("SELECT sum(optionid) + sum(isright) FROM note")).toInt(),
             0);
}

void PracticeTest::failedPaperKeepsTheOldPaper()
{
    testing::TestBank bank;
    fill(bank, 6);
    bank.exec(QStringLiteral("INSERT INTO note (subid, optionid, isright) VALUES (1, 11, 1), "
                             "(2, 22, 0)"));
    data::Table note{QStringLiteral("note")};
    note.setConnectionString(bank.connString());
    note.open();

    // Nothing due: nothing is written and the old paper stays.
    QCOMPARE(core::writeQuestionPaper(note, {}), 0);
    QCOMPARE(testing::paperOf(bank), QStringLiteral("1,2"));

    bank.exec(QStringLiteral("CREATE TRIGGER t BEFORE INSERT ON note WHEN (SELECT count(*) FROM "
                             "note) >= 2 BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    QVERIFY_THROWS_EXCEPTION(base::Error, core::writeQuestionPaper(note, {3, 4, 5}));
    QCOMPARE(testing::paperOf(bank), QStringLiteral("1,2"));
    QCOMPARE(bank.scalar(QStringLiteral("SELECT sum(optionid) FROM note")).toInt(), 33);

    bank.exec(QStringLiteral("DROP TRIGGER t"));
    QCOMPARE(core::writeQuestionPaper(note, {3, 4, 5}), 3);
    QCOMPARE(testing::paperOf(bank), QStringLiteral("3,4,5"));
}

void PracticeTest::categoryPracticeDrawsUnseenFirstAndListsWeakestFirst()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("法规"), {10, 0, 0, 0, 0});
    bank.addCategory(2, QStringLiteral("信号"), {10, 0, 0, 0, 0});
    bank.addCategory(3, QStringLiteral("摩托车"), {0, 0, 0, 10, 0}); // not class 0's
    bank.addCategory(4, QStringLiteral("空"), {10, 0, 0, 0, 0});     // no questions
    for (int id = 1; id <= 10; ++id)
        bank.addQuestion(id, 1, 1 + (id > 6) + (id > 8), {QStringLiteral("对")}, 0);
    data::Connection db(bank.dbPath());
    core::createScheduleTables(db);

    // Category 1 holds 1..6: 2 and 4 were on a paper, 4 longer ago; the unseen come first.
    core::recordAnswers(db, PaperMode::Study, {{2, true}}, kStart);
    core::recordAnswers(db, PaperMode::Study, {{4, true}}, kStart - kDay);
    QCOMPARE(core::categoryQuestions(db, 1, 5), (std::vector<qint64>{1, 3, 5, 6, 4}));
    QCOMPARE(core::categoryQuestions(db, 1, 20).size(), size_t(6));

    // Category 2 (7, 8): one question missed of two outweighs category 1's one of six.
    core::recordAnswers(db, PaperMode::MockExam, {{7, false}}, kStart);
    bank.exec(QStringLiteral("UPDATE subject SET errorTimes = 1 WHERE subid = 1"));
    const std::vector<core::PracticeCategory> order = core::categoriesWeakestFirst(db, 0);
    QCOMPARE(order.size(), size_t(2));
    QCOMPARE(order[0].sortId, 2);
    QCOMPARE(order[0].weak, 1);
    QCOMPARE(order[0].questions, 2);
    QCOMPARE(order[1].sortId, 1);
    QCOMPARE(order[1].name, QStringLiteral("法规"));
    QCOMPARE(core::categoriesWeakestFirst(db, 3).front().sortId, 3);
}

QTEST_GUILESS_MAIN(PracticeTest)
#include "practice_test.moc"

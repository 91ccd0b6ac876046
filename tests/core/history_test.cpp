#include "core/history.h"

#include "data/connection.h"
#include "support/testbank.h"

#include <QTest>

namespace {

// A C1 mock paper of questions 1..n, the first `right` answered right, the rest wrong except
// the last, never answered.
core::PaperRecord mockPaper(int n, int right, qint64 firstNoteId, const QDateTime& started)
{
    core::PaperRecord p;
    p.startedAt = started;
    p.handedInAt = started.addSecs(600);
    p.mode = core::kMockMode;
    p.classCode = QStringLiteral("C1");
    p.rightCount = right;
    p.score = right;
    p.passMark = 90;
    p.passed = right >= 90;
    p.secondsUsed = 600;
    p.firstNoteId = firstNoteId;
    for (int q = 1; q <= n; ++q)
        p.answers.push_back({q, q, q == n ? 0 : q * 10 + (q <= right ? 1 : 2), q <= right});
    return p;
}

const QDateTime kStart(QDate(2024, 3, 1), QTime(9, 0));

} // namespace

class HistoryTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<testing::TestBank> bank;
    std::unique_ptr<data::Connection> db;

    int rows(const char* table)
    {
        return bank->scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)))
            .toInt();
    }

private slots:
    void init()
    {
        bank = std::make_unique<testing::TestBank>();
        bank->addCategory(1, QStringLiteral("法规"), {2, 0, 0, 0, 0});
        bank->addCategory(2, QStringLiteral("信号"), {2, 0, 0, 0, 0});
        bank->addQuestion(1, 1, 1, {QStringLiteral("对"), QStringLiteral("错")}, 0);
        bank->addQuestion(2, 1, 2, {QStringLiteral("对"), QStringLiteral("错")}, 0);
        bank->addQuestion(3, 1, 2, {QStringLiteral("对"), QStringLiteral("错")}, 0);
        db = std::make_unique<data::Connection>(bank->dbPath());
    }
    void cleanup()
    {
        db.reset();
        bank.reset();
    }

    void existingDatabaseGainsTablesAndKeepsItsOwn()
    {
        bank->exec(QStringLiteral("INSERT INTO note (subid) VALUES (1)"));
        core::ensureHistoryTables(*db);
        core::ensureHistoryTables(*db);
        QCOMPARE(rows("history"), 0);
        QCOMPARE(rows("note"), 1);
        QCOMPARE(rows("subject"), 3);
    }

    void recordsThePaperAndItsAnswersWithTheirCategories()
    {
        core::PaperRecord p = mockPaper(3, 1, 41, kStart);
        p.timedOut = true;
        QVERIFY(core::recordPaper(*db, p));

        const std::vector<core::PaperRecord> papers = core::recordedPapers(*db);
        QCOMPARE(papers.size(), size_t(1));
        const core::PaperRecord& r = papers.front();
        QVERIFY(r.paperId > 0);
        QCOMPARE(r.startedAt, kStart);
        QCOMPARE(r.handedInAt, kStart.addSecs(600));
        QCOMPARE(r.mode, core::kMockMode);
        QCOMPARE(r.classCode, QStringLiteral("C1"));
        QCOMPARE(r.questionCount, 3);
        QCOMPARE(r.rightCount, 1);
        QCOMPARE(r.score, 1);
        QCOMPARE(r.passMark, 90);
        QVERIFY(!r.passed);
        QCOMPARE(r.secondsUsed, 600);
        QVERIFY(r.timedOut);
        QCOMPARE(r.firstNoteId, qint64(41));

        const std::vector<core::AnswerRecord> answers = core::recordedAnswers(*db, r.paperId);
        QCOMPARE(answers.size(), size_t(3));
        QCOMPARE(answers[0].subId, qint64(1));
        QCOMPARE(answers[0].sortId, qint64(1));
        QCOMPARE(answers[0].optionId, qint64(11));
        QVERIFY(answers[0].right);
        QCOMPARE(answers[1].sortId, qint64(2));
        QCOMPARE(answers[1].optionId, qint64(22));
        QVERIFY(!answers[1].right);
        QCOMPARE(answers[2].position, 3);
        QCOMPARE(answers[2].optionId, qint64(0));
    }

    void aPaperIsRecordedOnceAndAnEmptyOneNever()
    {
        const core::PaperRecord p = mockPaper(3, 2, 7, kStart);
        QVERIFY(core::recordPaper(*db, p));
        QVERIFY(!core::recordPaper(*db, p));
        QVERIFY(!core::recordPaper(*db, mockPaper(0, 0, 10, kStart)));
        QCOMPARE(rows("history"), 1);
        QCOMPARE(rows("historyanswer"), 3);
        // The same note ids after a rebuilt bank are another paper, told apart by its start.
        QVERIFY(core::recordPaper(*db, mockPaper(3, 2, 7, kStart.addDays(1))));
        QCOMPARE(rows("history"), 2);
    }

    void papersComeNewestFirstBySelection()
    {
        for (int i = 0; i < 4; ++i) {
            core::PaperRecord p = mockPaper(2, i % 3, 10 * (i + 1), kStart.addDays(i));
            if (i == 2) {
                p.mode = core::kStudyMode;
                p.setNumber = 3;
            }
            if (i == 3)
                p.classCode = QStringLiteral("E1");
            QVERIFY(core::recordPaper(*db, p));
        }
        auto starts = [](const std::vector<core::PaperRecord>& papers) {
            QList<int> days;
            for (const core::PaperRecord& p : papers)
                days << int(kStart.daysTo(p.startedAt));
            return days;
        };
        QCOMPARE(starts(core::recordedPapers(*db)), QList<int>({3, 2, 1, 0}));
        QCOMPARE(starts(core::recordedPapers(*db, {core::kMockMode, {}, -1})),
                 QList<int>({3, 1, 0}));
        QCOMPARE(starts(core::recordedPapers(*db, {core::kMockMode, QStringLiteral("C1"), 1})),
                 QList<int>({1}));
        const core::PaperRecord study =
            core::recordedPapers(*db, {core::kStudyMode, {}, -1}).front();
        QCOMPARE(study.setNumber, 3);
        QCOMPARE(core::paperKind(study), QStringLiteral("学习 第3套"));
        QCOMPARE(core::paperKind(core::recordedPapers(*db).front()), QStringLiteral("模拟考试"));
        core::PaperRecord practice;
        practice.mode = 3;
        QCOMPARE(core::paperKind(practice), QStringLiteral("练习"));
    }

    void aFailedTransactionLeavesNoPaper()
    {
        core::ensureHistoryTables(*db);
        db->exec(QStringLiteral("BEGIN"));
        QVERIFY(core::recordPaper(*db, mockPaper(3, 2, 7, kStart)));
        db->exec(QStringLiteral("ROLLBACK"));
        QCOMPARE(rows("history"), 0);
        QCOMPARE(rows("historyanswer"), 0);
    }
};

QTEST_GUILESS_MAIN(HistoryTest)
#include "history_test.moc"

#include "core/passprobability.h"

#include "core/history.h"
#include "data/connection.h"
#include "learners.h"
#include "support/testbank.h"

#include <QTest>

namespace {

core::CategoryEstimate category(int questions, double alpha, double beta)
{
    return {1, questions, 0, 0, alpha, beta};
}

// One paper with `right` of `asked` in each of the categories 1, 2, ...
core::PaperCounts paper(std::initializer_list<std::pair<int, int>> rightAsked)
{
    core::PaperCounts counts;
    qint64 sortId = 1;
    for (const auto& [right, asked] : rightAsked)
        counts.push_back({sortId++, right, asked});
    return counts;
}

// The Beta part alone: no trend, so the posterior can be worked out by hand.
core::PassModel withoutTrend()
{
    core::PassModel model;
    model.trendPrior = 1e-9;
    return model;
}

} // namespace

class PassProbabilityTest : public QObject
{
    Q_OBJECT

private slots:
    void betaBinomialByHand()
    {
        // Uniform accuracy: every count of 4 equally likely.
        for (double p : core::betaBinomial(4, 1, 1))
            QVERIFY(qAbs(p - 0.2) < 1e-12);
        // Beta(2, 1) over 2 questions: 1/6, 1/3, 1/2.
        const std::vector<double> p = core::betaBinomial(2, 2, 1);
        QCOMPARE(p.size(), size_t(3));
        QVERIFY(qAbs(p[0] - 1.0 / 6) < 1e-12);
        QVERIFY(qAbs(p[1] - 1.0 / 3) < 1e-12);
        QVERIFY(qAbs(p[2] - 1.0 / 2) < 1e-12);
    }

    void passProbabilityByHand_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("passMark");
        QTest::addColumn<double>("expected");
        // Two one-question categories, each right with probability 1/2 (Beta(1, 1)): 0, 1 or 2
        // right with 1/4, 1/2, 1/4.
        QTest::newRow("both right, 1 point") << 1 << 2 << 0.25;
        QTest::newRow("one right, 1 point") << 1 << 1 << 0.75;
        QTest::newRow("mark 0") << 1 << 0 << 1.0;
        QTest::newRow("mark beyond the paper") << 1 << 3 << 0.0;
        QTest::newRow("2 points, mark 3 needs both") << 2 << 3 << 0.25;
        QTest::newRow("2 points, mark 2 needs one") << 2 << 2 << 0.75;
        QTest::newRow("2 points, mark 4") << 2 << 4 << 0.25;
    }
    void passProbabilityByHand()
    {
        QFETCH(int, points);
        QFETCH(int, passMark);
        QFETCH(double, expected);
        const double p =
            core::passProbability({category(1, 1, 1), category(1, 1, 1)}, points, passMark);
        QVERIFY2(qAbs(p - expected) < 1e-12, qPrintable(QString::number(p)));
    }

    void aSharpPosteriorIsTheBinomial()
    {
        // Known accuracy 1/2 on 3 questions: P(at least 2 right) = 4/8.
        QVERIFY(qAbs(core::passProbability({category(3, 1e9, 1e9)}, 1, 2) - 0.5) < 1e-6);
        // 0.9 on 10 questions, all right: 0.9^10.
        QVERIFY(qAbs(core::passProbability({category(10, 9e9, 1e9)}, 1, 10) - std::pow(0.9, 10)) <
                1e-6);
    }

    void tooLittleDataGivesNoNumber()
    {
        const std::vector<core::Quota> quotas{{1, 6}, {2, 4}};
        const auto one = core::estimatePass(quotas, {paper({{6, 6}, {4, 4}})}, 1, 9);
        QVERIFY(!one.enough);
        QCOMPARE(one.papers, 1);
        QCOMPARE(one.answers, 10);
        // Two papers, but only 6 answers for a paper of 10 questions.
        const auto thin = core::estimatePass(quotas, {paper({{3, 3}}), paper({{2, 3}})}, 1, 9);
        QVERIFY(!thin.enough);
        const auto two =
            core::estimatePass(quotas, {paper({{6, 6}, {4, 4}}), paper({{6, 6}, {4, 4}})}, 1, 9);
        QVERIFY(two.enough);
        QCOMPARE(two.papers, 2);
        QCOMPARE(two.answers, 20);
        QVERIFY(!core::estimatePass({}, {paper({{6, 6}}), paper({{6, 6}})}, 1, 9).enough);

        QCOMPARE(core::passText(one),
                 QStringLiteral("通过概率：数据不足（需 2 次模拟考试、10 道题，现有 1 次）"));
        core::PassEstimate shown = two;
        for (const auto& [p, text] :
             {std::pair{0.5, "50%"}, {0.999, "99%以上"}, {0.001, "不足1%"}}) {
            shown.probability = p;
            QCOMPARE(core::passText(shown), QStringLiteral("通过概率 %1（基于最近 2 次、20 道题）")
                                                .arg(QString::fromUtf8(text)));
        }
    }

    void posteriorByHand()
    {
        // Category 1: 8 of 10 on the newest paper, 4 of 10 on the one before (weight 0.8);
        // category 2: 10 of 10 and 10 of 10. Category 3 belongs to another class: ignored.
        const std::vector<core::Quota> quotas{{1, 10}, {2, 10}, {4, 0}};
        const std::vector<core::PaperCounts> papers{{{1, 8, 10}, {2, 10, 10}, {3, 0, 50}},
                                                    {{1, 4, 10}, {2, 10, 10}}};
        const core::PassModel model = withoutTrend();
        const auto e = core::estimatePass(quotas, papers, 1, 18, model);
        QCOMPARE(e.answers, 40);
        // Weighted right 8 + 10 + 0.8 * 14 = 29.2 of 36; level (29.2 + 1) / (36 + 2).
        const double level = 30.2 / 38;
        const double m = model.priorStrength;
        QCOMPARE(e.categories.size(), size_t(2));
        const core::CategoryEstimate& weakest = e.categories[0];
        QCOMPARE(weakest.sortId, qint64(1));
        QCOMPARE(weakest.right, 12);
        QCOMPARE(weakest.asked, 20);
        QVERIFY(qAbs(weakest.alpha - (m * level + 8 + 0.8 * 4)) < 1e-6);
        QVERIFY(qAbs(weakest.beta - (m * (1 - level) + 2 + 0.8 * 6)) < 1e-6);
        const core::CategoryEstimate& strong = e.categories[1];
        QVERIFY(qAbs(strong.alpha - (m * level + 18)) < 1e-6);
        QVERIFY(qAbs(strong.beta - m * (1 - level)) < 1e-6);
        QVERIFY(qAbs(e.probability - core::passProbability(e.categories, 1, 18)) < 1e-12);
    }

    void recentPapersCountMore()
    {
        const std::vector<core::Quota> quotas{{1, 10}};
        const core::PaperCounts good = paper({{10, 10}}), poor = paper({{6, 10}});
        const auto better = core::estimatePass(quotas, {good, poor, poor}, 1, 9);
        const auto worse = core::estimatePass(quotas, {poor, poor, good}, 1, 9);
        QVERIFY(better.enough && worse.enough);
        QVERIFY(better.categories[0].mean() > worse.categories[0].mean());
        QVERIFY(better.probability > worse.probability + 0.2);
    }

    void readsTheClassQuotasAndTheRecordedMockExaminations()
    {
        testing::TestBank bank;
        bank.addCategory(1, QStringLiteral("法规"), {1, 0, 0, 2, 0});
        bank.addCategory(2, QStringLiteral("信号"), {1, 0, 0, 0, 0});
        for (int q = 1; q <= 4; ++q)
            bank.addQuestion(q, 1, q <= 2 ? 1 : 2, {QStringLiteral("对"), QStringLiteral("错")}, 0);
        data::Connection db(bank.dbPath());
        const QDateTime start(QDate(2024, 5, 1), QTime(8, 0));
        // Papers of questions 1 and 3 (categories 1 and 2), then a study set that must not count.
        const std::vector<std::pair<int, QList<bool>>> papers{{core::kMockMode, {true, false}},
                                                              {core::kMockMode, {true, true}},
                                                              {core::kStudyMode, {false, false}}};
        for (size_t i = 0; i < papers.size(); ++i) {
            core::PaperRecord p;
            p.startedAt = start.addDays(qint64(i));
            p.mode = papers[i].first;
            p.classCode = QStringLiteral("C1");
            p.firstNoteId = qint64(i) * 2 + 1;
            // Question 2 left unanswered: no evidence either way.
            p.answers = {{1, 1, 11, papers[i].second[0]},
                         {2, 3, 31, papers[i].second[1]},
                         {3, 2, 0, false}};
            QVERIFY(core::recordPaper(db, p));
        }
        const auto fromDb = core::estimatePass(db, 0, 2);
        const auto expected = core::estimatePass(
            {{1, 1}, {2, 1}}, {paper({{1, 1}, {1, 1}}), paper({{1, 1}, {0, 1}})}, 1, 2);
        QVERIFY(fromDb.enough);
        QCOMPARE(fromDb.papers, 2);
        QCOMPARE(fromDb.answers, 4);
        QCOMPARE(fromDb.probability, expected.probability);
        // E1 asks category 1 only, two points a question: only its answers count.
        const auto e1 = core::estimatePass(db, 3, 4);
        QCOMPARE(e1.answers, 2);
        QCOMPARE(e1.categories.size(), size_t(1));
        QVERIFY(qAbs(e1.probability - core::passProbability(e1.categories, 2, 4)) < 1e-12);
    }

    // Learners with known accuracies, half of them improving, take ten papers each; before
    // every paper the estimate is set against the outcome. bench/progress_bench prints the
    // figures for larger runs.
    void calibratedOnSimulatedLearners_data()
    {
        QTest::addColumn<int>("cls");
        QTest::newRow("C1: 100 questions, 1 point") << 0;
        QTest::newRow("E1: 50 questions, 2 points") << 1;
    }
    void calibratedOnSimulatedLearners()
    {
        QFETCH(int, cls);
        const testing::Calibration c = testing::simulateLearners(
            cls == 0 ? testing::classC1() : testing::classE1(), 2500, 10, 20240501);
        qInfo("%d predictions: Brier %.4f (naive %.4f), largest bin error %.3f against the "
              "outcomes, %.3f against the exact pass rate (naive %.3f)",
              c.predictions, c.brier, c.naiveBrier, c.maxObservedError, c.maxExpectedError,
              c.naiveMaxObservedError);
        QCOMPARE(c.predictions, 2500 * 8);
        QVERIFY(c.maxExpectedError <= 0.05);
        QVERIFY(c.maxObservedError <= 0.06);
        QVERIFY(c.brier < c.naiveBrier - 0.04);
        QVERIFY(c.naiveMaxObservedError > 0.1);
    }
};

QTEST_GUILESS_MAIN(PassProbabilityTest)
#include "passprobability_test.moc"

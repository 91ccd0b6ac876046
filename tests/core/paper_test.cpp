#include "core/paper.h"

#include "data/dataset.h"
#include "base/error.h"
#include "support/testbank.h"

#include <QTest>
#include <memory>

namespace {

// The shared tables as the data module opens them, plus a handle on the paper.
struct Tables
{
    explicit Tables(const testing::TestBank& bank)
    {
        for (data::Table* t : {&subject, &sort, &note}) {
            t->setConnectionString(bank.connString());
            if (t == &subject)
                t->setIndexField(QStringLiteral("subid"));
            t->open();
        }
        sort.setSort(QStringLiteral("sortId"));
    }
    data::Table subject{QStringLiteral("subject")};
    data::Table sort{QStringLiteral("sort")};
    data::Table note{QStringLiteral("note")};
};

int count(testing::TestBank& bank, const QString& where)
{
    return bank
        .scalar(QStringLiteral("SELECT count(*) FROM note JOIN subject USING (subid) WHERE ") +
                where)
        .toInt();
}

// Questions typeId 1 and 2 for a category: ids sortId * 100 + 1.. for true/false, + 51.. for
// multiple choice.
void addQuestions(testing::TestBank& bank, int sortId, int trueFalse, int choice, int stid = 0)
{
    for (int i = 1; i <= trueFalse; ++i)
        bank.addQuestion(sortId * 100 + i, 1, sortId, {QStringLiteral("√"), QStringLiteral("×")}, 0,
                         stid);
    for (int i = 1; i <= choice; ++i)
        bank.addQuestion(sortId * 100 + 50 + i, 2, sortId,
                         {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, 1, stid);
}

void writeOldPaper(testing::TestBank& bank)
{
    bank.exec(QStringLiteral("INSERT INTO note (subid, optionid, isright) VALUES "
                             "(9001, 1, 1), (9002, 0, 0), (9003, 5, 0), (9004, 2, 1)"));
}

const QString kOldPaper = QStringLiteral("9001,9002,9003,9004");

} // namespace

class PaperTest : public QObject
{
    Q_OBJECT

private slots:
    void quotaSplitsFortyPercentTrueFalse();
    void paperIsTrueFalseFirstInCategoryOrder();
    void paperHasNoDuplicatesWhenTheBankAllows();
    void oneQuestionCategoryRepeatsAfterElevenDraws();
    void drawUsesTheSeededOffset();
    void oldPaperIsReplacedCompletely();
    void failedWriteKeepsTheOldPaper();
    void categoryWithoutQuestionsIsSkippedAndReported();
    void classWithoutQuotaOrQuestionsKeepsTheOldPaper();
    void studyPaperTakesTheWholeSetByType();
    void emptyStudySetKeepsTheOldPaper();
};

void PaperTest::quotaSplitsFortyPercentTrueFalse()
{
    QCOMPARE(core::trueFalseCount(1), 0);
    QCOMPARE(core::trueFalseCount(5), 2);
    QCOMPARE(core::trueFalseCount(7), 2);
    QCOMPARE(core::trueFalseCount(10), 4);
    QCOMPARE(core::trueFalseCount(25), 10);

    testing::TestBank bank;
    const std::array<int, 4> scales{1, 5, 10, 25};
    for (int i = 0; i < 4; ++i) {
        bank.addCategory(i + 1, QStringLiteral("类别%1").arg(i + 1),
                         {0, 0, scales[size_t(i)], 0, 0});
        addQuestions(bank, i + 1, 12, 20);
    }
    Tables t(bank);
    core::PaperDrawer drawer(t.subject, t.sort, t.note);
    const core::PaperResult result = drawer.assemble(2);
    QCOMPARE(result.quota, 41);
    QCOMPARE(result.length, 41);
    const int expected[4][2] = {{0, 1}, {2, 3}, {4, 6}, {10, 15}};
    for (int i = 0; i < 4; ++i) {
        for (int type = 1; type <= 2; ++type)
            QCOMPARE(count(bank, QStringLiteral("sortid=%1 AND typeId=%2").arg(i + 1).arg(type)),
                     expected[i][type - 1]);
    }
}

void PaperTest::paperIsTrueFalseFirstInCategoryOrder()
{
    testing::TestBank bank;
    // Stored out of id order: the walk follows sort's sortId order, not storage order.
    bank.addCategory(3, QStringLiteral("丙"), {5, 0, 0, 0, 0});
    bank.addCategory(1, QStringLiteral("甲"), {10, 0, 0, 0, 0});
    bank.addCategory(2, QStringLiteral("乙"), {0, 7, 0, 0, 0});
    bank.addCategory(4, QStringLiteral("丁"), {-3, 7, 0, 0, 0});
    for (int s = 1; s <= 4; ++s)
        addQuestions(bank, s, 8, 8);
    Tables t(bank);
    core::PaperDrawer drawer(t.subject, t.sort, t.note);
    QCOMPARE(drawer.assemble(0).length, 15);

    // Expected (typeId, sortid) run: 4 TF of 1, 2 TF of 3, 6 MC of 1, 3 MC of 3.
    QStringList expected;
    for (auto [type, sortId, n] : {std::tuple{1, 1, 4}, {1, 3, 2}, {2, 1, 6}, {2, 3, 3}})
        for (int i = 0; i < n; ++i)
            expected << QStringLiteral("%1/%2").arg(type).arg(sortId);
    QCOMPARE(bank.scalar(QStringLiteral("SELECT group_concat(typeId || '/' || sortid, ',') FROM "
                                        "(SELECT typeId, sortid FROM note JOIN subject USING "
                                        "(subid) ORDER BY noteId)"))
                 .toString(),
             expected.join(u','));
}

void PaperTest::paperHasNoDuplicatesWhenTheBankAllows()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("甲"), {10, 0, 0, 0, 0});
    addQuestions(bank, 1, 40, 60); // 11 draws all hitting the few drawn ones: odds below 1e-12
    Tables t(bank);
    core::PaperDrawer drawer(t.subject, t.sort, t.note);
    for (int round = 0; round < 5; ++round) {
        QCOMPARE(drawer.assemble(0).length, 10);
        QCOMPARE(bank.scalar(QStringLiteral("SELECT count(DISTINCT subid) FROM note")).toInt(), 10);
    }
}

void PaperTest::oneQuestionCategoryRepeatsAfterElevenDraws()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("甲"), {5, 0, 0, 0, 0});
    addQuestions(bank, 1, 1, 5);
    Tables t(bank);
    int seeds = 0;
    core::PaperDrawer drawer(t.subject, t.sort, t.note,
                             [&seeds] { return std::uint32_t(++seeds); });
    QCOMPARE(drawer.DrawQuestions(2, 1, 1), 1);
    t.note.post();
    QCOMPARE(seeds, 12); // 1 for the first slot, 11 for the second
    QCOMPARE(testing::paperOf(bank), QStringLiteral("101,101"));

    seeds = 0;
    QCOMPARE(drawer.DrawQuestions(0, 1, 2), 5);
    QCOMPARE(seeds, 0);
}

void PaperTest::drawUsesTheSeededOffset()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("甲"), {10, 0, 0, 0, 0});
    addQuestions(bank, 1, 0, 10);
    Tables t(bank);
    // Seed 1 draws 8 of 10 and seed 12345 draws 2 of 10 (see the generator's test): the 9th
    // and the 3rd question in id order.
    std::vector<std::uint32_t> seeds{1, 12345};
    size_t next = 0;
    core::PaperDrawer drawer(t.subject, t.sort, t.note, [&] { return seeds[next++ % 2]; });
    drawer.DrawQuestions(2, 1, 2);
    t.note.post();
    QCOMPARE(testing::paperOf(bank), QStringLiteral("159,153"));
    QCOMPARE(t.subject.filter(), QStringLiteral("(sortid=1) and (typeId=2)"));
}

void PaperTest::oldPaperIsReplacedCompletely()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("甲"), {5, 0, 0, 0, 0});
    addQuestions(bank, 1, 5, 5);
    Tables t(bank);
    // Written after the paper handle took its snapshot: must go too.
    writeOldPaper(bank);
    core::PaperDrawer drawer(t.subject, t.sort, t.note);
    QCOMPARE(drawer.assemble(0).length, 5);
    QCOMPARE(bank.scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 5);
    QCOMPARE(bank.scalar(QStringLiteral("SELECT count(*) FROM note WHERE subid > 9000")).toInt(),
             0);
    QCOMPARE(bank.scalar(QStringLiteral("SELECT sum(optionid) + sum(isright) FROM note")).toInt(),
             0);
}

void PaperTest::failedWriteKeepsTheOldPaper()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("甲"), {10, 0, 0, 0, 0});
    addQuestions(bank, 1, 5, 10);
    writeOldPaper(bank);
    bank.exec(QStringLiteral("CREATE TRIGGER t BEFORE INSERT ON note WHEN (SELECT count(*) FROM "
                             "note) >= 3 BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    Tables t(bank);
    core::PaperDrawer drawer(t.subject, t.sort, t.note);
    try {
        drawer.assemble(0);
        QFAIL("the fourth row should have been refused");
    } catch (const base::Error& e) {
        QVERIFY2(e.text().contains(QStringLiteral("disk full")), qPrintable(e.text()));
    }
    QCOMPARE(testing::paperOf(bank), kOldPaper);
    QCOMPARE(bank.scalar(QStringLiteral("SELECT sum(optionid) FROM note")).toInt(), 8);

    // The handle is usable again and the next attempt starts over.
    bank.exec(QStringLiteral("DROP TRIGGER t"));
    QCOMPARE(drawer.assemble(0).length, 10);
    QCOMPARE(bank.scalar(QStringLiteral("SELECT count(*) FROM note WHERE subid > 9000")).toInt(),
             0);

    bank.exec(QStringLiteral("CREATE TRIGGER t BEFORE INSERT ON note WHEN (SELECT count(*) FROM "
                             "note) >= 3 BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    QVERIFY_THROWS_EXCEPTION(base::Error, core::buildStudyPaper(t.subject, t.sort, t.note, 0));
    QCOMPARE(bank.scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 10);
}

void PaperTest::categoryWithoutQuestionsIsSkippedAndReported()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("交通信号"), {5, 0, 0, 0, 0});
    bank.addCategory(2, QStringLiteral("安全行车"), {10, 0, 0, 0, 0});
    addQuestions(bank, 1, 0, 3); // no true/false question
    addQuestions(bank, 2, 4, 6);
    Tables t(bank);
    core::PaperDrawer drawer(t.subject, t.sort, t.note);
    const core::PaperResult result = drawer.assemble(0);
    QCOMPARE(result.quota, 15);
    QCOMPARE(result.length, 13);
    QCOMPARE(bank.scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 13);
    QCOMPARE(result.shortfalls.size(), size_t(1));
    QCOMPARE(result.shortfalls[0].sortId, qint64(1));
    QCOMPARE(result.shortfalls[0].typeId, 1);
    QCOMPARE(result.shortfalls[0].missing, 2);
    const QString text = core::shortfallText(result.shortfalls);
    QVERIFY2(text.contains(QStringLiteral("交通信号：没有判断题，少2题")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("安全行车")));
}

void PaperTest::classWithoutQuotaOrQuestionsKeepsTheOldPaper()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("甲"), {5, 0, 4, 0, 0});
    addQuestions(bank, 1, 3, 3);
    bank.addCategory(2, QStringLiteral("乙"), {0, 0, 0, 0, 6});
    writeOldPaper(bank);
    Tables t(bank);
    core::PaperDrawer drawer(t.subject, t.sort, t.note);

    const core::PaperResult none = drawer.assemble(3);
    QCOMPARE(none.quota, 0);
    QCOMPARE(none.length, 0);
    QCOMPARE(testing::paperOf(bank), kOldPaper);

    const core::PaperResult empty = drawer.assemble(4); // quota 6, but category 2 has no question
    QCOMPARE(empty.quota, 6);
    QCOMPARE(empty.length, 0);
    QCOMPARE(empty.shortfalls.size(), size_t(2));
    QCOMPARE(testing::paperOf(bank), kOldPaper);
}

void PaperTest::studyPaperTakesTheWholeSetByType()
{
    testing::TestBank bank;
    bank.addCategory(1, QStringLiteral("甲"), {5, 0, 0, 0, 0});
    bank.addQuestion(7, 2, 1, {QStringLiteral("A"), QStringLiteral("B")}, 0, 3);
    bank.addQuestion(5, 1, 1, {QStringLiteral("√"), QStringLiteral("×")}, 0, 3);
    bank.addQuestion(6, 1, 1, {QStringLiteral("√"), QStringLiteral("×")}, 0, 4);
    bank.addQuestion(8, 2, 1, {QStringLiteral("A"), QStringLiteral("B")}, 0, 3);
    bank.addQuestion(9, 1, 1, {QStringLiteral("√"), QStringLiteral("×")}, 0, 3);
    writeOldPaper(bank);
    Tables t(bank);
    QCOMPARE(core::buildStudyPaper(t.subject, t.sort, t.note, 3), 4);
    QCOMPARE(testing::paperOf(bank), QStringLiteral("5,9,7,8"));
    QCOMPARE(t.subject.filter(), QStringLiteral("(stid=3)"));
}

void PaperTest::emptyStudySetKeepsTheOldPaper()
{
    testing::TestBank bank;
    addQuestions(bank, 1, 2, 2, 1);
    writeOldPaper(bank);
    Tables t(bank);
    QCOMPARE(core::buildStudyPaper(t.subject, t.sort, t.note, 2), 0);
    QCOMPARE(testing::paperOf(bank), kOldPaper);
    QCOMPARE(core::buildStudyPaper(t.subject, t.sort, t.note, 1), 4);
}

QTEST_GUILESS_MAIN(PaperTest)
#include "paper_test.moc"

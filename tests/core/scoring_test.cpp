#include "core/scoring.h"

#include "data/dataset.h"
#include "base/error.h"
#include "support/testbank.h"

#include <QTest>

namespace {

// A paper of four questions: 1 and 3 right, 2 wrong, 4 never answered; every counter at 5.
void makePaper(testing::TestBank& bank)
{
    bank.addCategory(1, QStringLiteral("法规"), {10, 10, 10, 10, 10});
    for (int id = 1; id <= 4; ++id)
        bank.addQuestion(id, 1, 1, {QStringLiteral("√"), QStringLiteral("×")}, 0);
    bank.exec(QStringLiteral("UPDATE subject SET errorTimes = 5"));
    bank.exec(QStringLiteral("INSERT INTO note (subid, optionid, isright) VALUES "
                             "(1, 11, 1), (2, 22, 0), (3, 31, 1), (4, 0, 0)"));
}

QString counters(testing::TestBank& bank)
{
    return bank
        .scalar(QStringLiteral("SELECT group_concat(errorTimes, ',') FROM "
                               "(SELECT errorTimes FROM subject ORDER BY subid)"))
        .toString();
}

} // namespace

class ScoringTest : public QObject
{
    Q_OBJECT

private slots:
    void pointsAndVerdict()
    {
        // Only the exact codes E1 and F1 double.
        for (const char* code : {"E1", "F1"})
            QCOMPARE(core::score(45, QString::fromLatin1(code)), 90);
        for (const char* code : {"C1", "A2", "A1", "E", "e1", ""})
            QCOMPARE(core::score(45, QString::fromLatin1(code)), 45);
        QVERIFY(core::passed(90, 90));
        QVERIFY(!core::passed(89, 90));
    }

    void countsRightAnswersWhateverTheFilter()
    {
        testing::TestBank bank;
        makePaper(bank);
        data::Table paper(QStringLiteral("note"));
        paper.setConnectionString(bank.connString());
        paper.open();
        paper.setFilter(QStringLiteral("isright=0"));
        paper.setFiltered(true);
        QCOMPARE(core::countRight(paper), 2);
    }

    void countsErrorsAllOrNothing()
    {
        testing::TestBank bank;
        makePaper(bank);
        data::Table paper(QStringLiteral("note"));
        data::Table subject(QStringLiteral("subject"));
        for (data::Table* t : {&paper, &subject}) {
            t->setConnectionString(bank.connString());
            t->open();
        }
        core::countErrors(paper, subject);
        QCOMPARE(counters(bank), QStringLiteral("4,6,4,6"));

        // A write refused halfway leaves every counter as it was and raises that refusal.
        bank.exec(QStringLiteral("CREATE TRIGGER t BEFORE UPDATE ON subject WHEN NEW.subid = 3 "
                                 "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        subject.close();
        subject.open();
        try {
            core::countErrors(paper, subject);
            QFAIL("a refused write must raise");
        } catch (const base::Error& e) {
            QVERIFY2(e.text().contains(QStringLiteral("refused")), qPrintable(e.text()));
        }
        QCOMPARE(counters(bank), QStringLiteral("4,6,4,6"));
    }
};

QTEST_GUILESS_MAIN(ScoringTest)
#include "scoring_test.moc"

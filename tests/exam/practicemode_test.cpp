#include "app/shared.h"
#include "app/startup.h"
#include "core/schedule.h"
#include "data/connection.h"
#include "exam/tmnks.h"
#include "exam/txxts.h"
#include "examsupport.h"
#include "menu/tmain.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"

#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Category 1 ("法规", questions 1..4) and 2 ("信号", 5..6), multiple choice with the key on A;
// every errorTimes 5, so that any change shows; an old paper of 5 and 6.
void fillBank(testing::TestBank& bank)
{
    bank.addCategory(1, QStringLiteral("法规"), {10, 0, 0, 0, 0});
    bank.addCategory(2, QStringLiteral("信号"), {10, 0, 0, 0, 0});
    for (int id = 1; id <= 6; ++id)
        bank.addQuestion(id, 2, id <= 4 ? 1 : 2,
                         {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}, 0);
    bank.exec(QStringLiteral("UPDATE subject SET errorTimes = 5;"
                             "INSERT INTO note (subid, optionid, isright) VALUES (5, 51, 1), "
                             "(6, 62, 0)"));
}

void miss(testing::TestBank& bank, std::initializer_list<qint64> ids, qint64 ago)
{
    data::Connection db(bank.dbPath());
    for (const qint64 id : ids)
        core::recordAnswers(db, core::PaperMode::MockExam, {{id, false}},
                            QDateTime::currentSecsSinceEpoch() - ago);
}

template <typename T> T* get(QWidget* w, const char* name)
{
    return w->findChild<T*>(QLatin1String(name));
}

QString resultText(const char* name)
{
    return get<QLabel>(app::xxts, name)->text();
}

} // namespace

class PracticeModeTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void drillStopsOnAMissAndFilesTheAnswersWithoutErrorCounts();
    void drillWithNothingDueSaysSoAndKeepsThePaper();
    void categoryPracticeStartsOnTheWeakestCategory();
};

void PracticeModeTest::cleanup()
{
    app::shutDown();
    QCOMPARE(testing::windowsLeft(), QStringList());
}

void PracticeModeTest::drillStopsOnAMissAndFilesTheAnswersWithoutErrorCounts()
{
    testing::TestBank bank;
    fillBank(bank);
    miss(bank, {3}, 50);
    miss(bank, {1}, 100);
    miss(bank, {2}, 75);
    app::startUp();
    app::main->show();
    testing::BoxAnswerer boxes;
    QTest::keyClick(app::main, Qt::Key_1, Qt::KeypadModifier);
    QVERIFY2(app::mnks, qPrintable(boxes.texts().join(u'|')));
    Tmnks* w = app::mnks;
    w->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    QCOMPARE(w->Tag(), 3);
    QCOMPARE(w->lb_kscx()->text(), QStringLiteral("试卷编号：错题练习"));
    QCOMPARE(testing::paperOf(bank), QStringLiteral("1,2,3")); // most overdue first

    // A wrong answer stops and shows the right one, as in a study set; then answered right.
    QTest::keyClick(w, Qt::Key_2, Qt::KeypadModifier);
    QCOMPARE(w->currentQuestion(), 1);
    QVERIFY(!get<QWidget>(w, "GroupBox7")->isHidden());
    QCOMPARE(get<QLabel>(w, "LB_da")->text(), QStringLiteral("A"));
    QTest::keyClick(w, Qt::Key_1, Qt::KeypadModifier);
    QCOMPARE(w->currentQuestion(), 2);
    QTest::keyClick(w, Qt::Key_1, Qt::KeypadModifier); // 2 right; 3 left unanswered
    const qint64 handedIn = QDateTime::currentSecsSinceEpoch();
    w->handIn();
    QVERIFY(app::xxts);

    // The right count out of the questions, no verdict against the pass mark.
    QCOMPARE(resultText("lb_tsxx"), QStringLiteral("您的本次练习成绩为："));
    QCOMPARE(resultText("lbksfs"), QStringLiteral("2/3"));
    QVERIFY(!resultText("lb_ksjg").contains(QStringLiteral("合格")));

    data::Connection db(bank.dbPath());
    QCOMPARE(core::scheduleOf(db, 1)->box, 0); // shown the key before getting it right
    QCOMPARE(core::scheduleOf(db, 1)->misses, 2);
    QCOMPARE(core::scheduleOf(db, 2)->box, 1);
    QVERIFY(core::scheduleOf(db, 2)->due >= handedIn + core::kSecondsPerDay);
    QCOMPARE(core::scheduleOf(db, 3)->box, 0);
    QCOMPARE(
        bank.scalar(QStringLiteral("SELECT count(*) FROM subject WHERE errorTimes <> 5")).toInt(),
        0);
    QVERIFY(boxes.texts().isEmpty());
}

void PracticeModeTest::drillWithNothingDueSaysSoAndKeepsThePaper()
{
    testing::TestBank bank;
    fillBank(bank);
    app::startUp();
    app::main->show();
    testing::BoxAnswerer boxes;
    QTest::keyClick(app::main, Qt::Key_1, Qt::KeypadModifier);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.at(0).text.startsWith(QStringLiteral("目前没有到期要复习的错题。")));
    QVERIFY(!app::mnks);
    QCOMPARE(testing::paperOf(bank), QStringLiteral("5,6"));
    QCOMPARE(bank.scalar(QStringLiteral("SELECT sum(optionid) FROM note")).toInt(), 113);
}

void PracticeModeTest::categoryPracticeStartsOnTheWeakestCategory()
{
    testing::TestBank bank;
    fillBank(bank);
    bank.exec(QStringLiteral("UPDATE subject SET errorTimes = 0 WHERE subid <> 4"));
    miss(bank, {6}, 10); // one of category 2's two, against one of category 1's four
    app::startUp();
    app::main->show();
    testing::BoxAnswerer boxes;
    QTest::keyClick(app::main, Qt::Key_2, Qt::KeypadModifier);
    QWidget* flxl = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == u"flxl" && top->isVisible())
            flxl = top;
    QVERIFY(flxl);
    auto* list = get<QListWidget>(flxl, "lv_fl");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("信号（2题，易错1题）"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("法规（4题，易错1题）"));
    QTest::keyClick(flxl, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(list->currentRow(), 1);
    QTest::keyClick(flxl, Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(flxl, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY2(app::mnks, qPrintable(boxes.texts().join(u'|')));
    QCOMPARE(app::mnks->Tag(), 3);
    QCOMPARE(app::mnks->lb_kscx()->text(), QStringLiteral("试卷编号：分类练习"));
    // Question 6 was on a paper; 5 never was, so it comes first.
    QCOMPARE(testing::paperOf(bank), QStringLiteral("5,6"));
    QCOMPARE(bank.scalar(QStringLiteral("SELECT sum(optionid) FROM note")).toInt(), 0);
    QVERIFY(!flxl->isVisible());
}

VELMOOR_TEST_MAIN(PracticeModeTest)
#include "practicemode_test.moc"

#include "exam/txtxx.h"

#include "app/shared.h"
#include "app/startup.h"
#include "exam/tmnks.h"
#include "examsupport.h"
#include "menu/tmain.h"
#include "platform/navigation.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Set 1: questions 11..14, set 10: 101..103, set 3 empty; an old mock paper of questions 900..
void fillBank(testing::TestBank& bank)
{
    bank.addCategory(1, QStringLiteral("交通信号"), {5, 0, 0, 0, 0});
    const QStringList judge{QStringLiteral("正确"), QStringLiteral("错误")};
    const QStringList choice{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")};
    bank.addQuestion(11, 2, 1, choice, 0, 1);
    bank.addQuestion(12, 1, 1, judge, 0, 1);
    bank.addQuestion(13, 2, 1, choice, 0, 1);
    bank.addQuestion(14, 1, 1, judge, 1, 1);
    bank.addQuestion(101, 1, 1, judge, 0, 10);
    bank.addQuestion(102, 2, 1, choice, 2, 10);
    bank.addQuestion(103, 1, 1, judge, 0, 10);
    bank.addQuestion(900, 1, 1, judge, 0, 0);
    bank.addQuestion(901, 2, 1, choice, 0, 0);
    bank.exec(QStringLiteral("INSERT INTO note (subid, optionid, isright) VALUES (900, 9001, 1), "
                             "(901, 9012, 0)"));
}

} // namespace

class TxtxxTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void windowOffersTenSets();
    void defaultSetIsTheFirst_data();
    void defaultSetIsTheFirst();
    void busSetReplacesTheOldPaper();
    void emptySetIsRefusedAndOldPaperKept();
    void returnButtonHidesTheWindow();
    void openedAgainTheWindowTakesTheKeyboard();
    void handedInStudySetLeavesCountersAlone();
};

void TxtxxTest::windowOffersTenSets()
{
    fillBank(*bank);
    app::startUp();
    Txtxx* w = app::xtxx;
    QCOMPARE(w->objectName(), QStringLiteral("xtxx"));
    QCOMPARE(w->size(), QSize(792, 576));
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w->windowTitle(), QStringLiteral("Velmoor"));
    QVERIFY(!w->isVisible());
    const QStringList captions{QStringLiteral("第一套"),       QStringLiteral("第二套"),
                               QStringLiteral("第三套"),       QStringLiteral("第四套"),
                               QStringLiteral("第五套"),       QStringLiteral("第六套"),
                               QStringLiteral("第七套"),       QStringLiteral("第八套"),
                               QStringLiteral("货车专用试题"), QStringLiteral("客车专用试题")};
    for (int i = 0; i < 10; ++i) {
        auto* r = w->findChild<QRadioButton*>(QStringLiteral("R%1").arg(i + 1));
        QVERIFY(r);
        QCOMPARE(r->text(), captions[i]);
        QCOMPARE(r->isChecked(), i == 0);
    }
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("Button1"))->text(),
             QStringLiteral("返回主界面"));
    QVERIFY(!w->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
    w->show();
    if (qEnvironmentVariableIsSet("VELMOOR_GRAB"))
        w->grab().save(QStringLiteral("/tmp/paper/xtxx.png"));
}

void TxtxxTest::defaultSetIsTheFirst_data()
{
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("button") << false;
    QTest::newRow("Enter") << true;
}

void TxtxxTest::defaultSetIsTheFirst()
{
    QFETCH(bool, byEnter);
    fillBank(*bank);
    app::startUp();
    app::xtxx->show();
    if (byEnter)
        QTest::keyClick(app::xtxx, Qt::Key_Return);
    else
        app::xtxx->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QVERIFY2(app::mnks, qPrintable(boxes->texts().join(u'|')));
    QVERIFY(!app::xtxx->isVisible());
    QVERIFY(app::mnks->isVisible());
    QCOMPARE(app::mnks->Tag(), 1);
    QCOMPARE(app::mnks->lb_kscx()->text(), QStringLiteral("试卷编号：第1套"));
    // True/false first; within a type the bank's order.
    QCOMPARE(testing::paperOf(*bank), QStringLiteral("12,14,11,13"));
    boxes->clear();
}

void TxtxxTest::busSetReplacesTheOldPaper()
{
    fillBank(*bank);
    app::startUp();
    app::xtxx->show();
    app::xtxx->findChild<QRadioButton*>(QStringLiteral("R10"))->click();
    app::xtxx->BitBtn1Click();
    QVERIFY(app::mnks);
    QCOMPARE(app::mnks->lb_kscx()->text(), QStringLiteral("试卷编号：第10套"));
    QCOMPARE(testing::paperOf(*bank), QStringLiteral("101,103,102"));
    QCOMPARE(bank->scalar(QStringLiteral("SELECT sum(optionid) + sum(isright) FROM note")).toInt(),
             0);

    // The set stays chosen for the next visit.
    QVERIFY(app::xtxx->findChild<QRadioButton*>(QStringLiteral("R10"))->isChecked());
}

void TxtxxTest::emptySetIsRefusedAndOldPaperKept()
{
    fillBank(*bank);
    app::startUp();
    app::xtxx->show();
    app::xtxx->findChild<QRadioButton*>(QStringLiteral("R3"))->click();
    app::xtxx->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(boxes->texts(), QStringList{QStringLiteral("第三套没有试题，请选择其他试题。")});
    QVERIFY(!app::mnks);
    QVERIFY(app::xtxx->isVisible());
    QCOMPARE(testing::paperOf(*bank), QStringLiteral("900,901"));
    QCOMPARE(bank->scalar(QStringLiteral("SELECT sum(optionid) FROM note")).toInt(), 18013);

    // Another set still works afterwards.
    app::xtxx->findChild<QRadioButton*>(QStringLiteral("R1"))->click();
    app::xtxx->BitBtn1Click();
    QVERIFY(app::mnks);
    QCOMPARE(testing::paperOf(*bank), QStringLiteral("12,14,11,13"));
    boxes->clear();
}

void TxtxxTest::returnButtonHidesTheWindow()
{
    fillBank(*bank);
    app::startUp();
    app::xtxx->show();
    app::xtxx->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    QVERIFY(!app::xtxx->isVisible());
    QVERIFY(!app::mnks);
    QCOMPARE(testing::paperOf(*bank), QStringLiteral("900,901"));
}

void TxtxxTest::openedAgainTheWindowTakesTheKeyboard()
{
    fillBank(*bank);
    app::startUp();
    app::main->show();
    nav::showStudySets();
    QVERIFY(QTest::qWaitForWindowActive(app::xtxx));
    // Left open behind the main menu, then opened again from it: Enter starts the set at once.
    app::main->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(app::main));
    nav::showStudySets();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(app::xtxx));
    QTest::keyClick(QApplication::activeWindow(), Qt::Key_Return);
    QVERIFY(app::mnks);
    QVERIFY(!app::xtxx->isVisible());
}

void TxtxxTest::handedInStudySetLeavesCountersAlone()
{
    fillBank(*bank);
    app::startUp();
    app::xtxx->show();
    app::xtxx->BitBtn1Click();
    QVERIFY(app::mnks);
    // Every question unanswered: a mock examination would count each one wrong.
    app::mnks->handIn();
    QVERIFY(app::mnks->handedIn());
    QCOMPARE(
        bank->scalar(QStringLiteral("SELECT count(*) FROM subject WHERE errorTimes <> 0")).toInt(),
        0);
}

VELMOOR_TEST_MAIN(TxtxxTest)
#include "txtxx_test.moc"

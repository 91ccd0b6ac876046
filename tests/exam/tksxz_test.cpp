#include "exam/tksxz.h"

#include "app/shared.h"
#include "app/startup.h"
#include "exam/tmnks.h"
#include "examsupport.h"
#include "menu/tmain.h"
#include "menu/txccx.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

// Category 1 asks 5 questions of classes 0 and 3, category 2 asks 5 of class 1 but has no
// true/false question; class 2 has no quota.
void fillBank(testing::TestBank& bank)
{
    bank.addCategory(1, QStringLiteral("交通信号"), {5, 0, 0, 5, 0});
    bank.addCategory(2, QStringLiteral("安全行车"), {0, 5, 0, 0, 0});
    const QStringList judge{QStringLiteral("正确"), QStringLiteral("错误")};
    const QStringList choice{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")};
    for (int i = 1; i <= 4; ++i)
        bank.addQuestion(100 + i, 1, 1, judge, 0);
    for (int i = 1; i <= 5; ++i) {
        bank.addQuestion(150 + i, 2, 1, choice, 1);
        bank.addQuestion(250 + i, 2, 2, choice, 2);
    }
    bank.exec(QStringLiteral("INSERT INTO note (subid, optionid, isright) VALUES (101, 1012, 0), "
                             "(102, 1021, 1), (103, 1031, 1), (104, 1042, 0)"));
}

Tksxz* openInstructions(int vehicleClass)
{
    app::xccx->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(vehicleClass);
    app::ksxz = new Tksxz;
    app::ksxz->setTag(2);
    app::ksxz->show();
    return app::ksxz;
}

} // namespace

class TksxzTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void windowShowsRulesAndCard();
    void confirmDrawsPaperAndOpensExam_data();
    void confirmDrawsPaperAndOpensExam();
    void classWithoutCaptionCodeKeepsBareLabel();
    void shortCategoryIsReportedOnce();
    void classWithoutQuotaIsRefused();
    void failedWriteKeepsOldPaperAndShowsError();
};

void TksxzTest::windowShowsRulesAndCard()
{
    fillBank(*bank);
    app::startUp();
    Tksxz* w = openInstructions(0);
    QCOMPARE(w->objectName(), QStringLiteral("ksxz"));
    QCOMPARE(w->size(), QSize(792, 576));
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->text(), QStringLiteral("确定"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label9"))->text(),
             QStringLiteral("8、爱护公物及考场设备。"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label10"))->text(),
             QStringLiteral("准考证号：2026120800001"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label12"))->geometry(),
             QRect(360, 312, 180, 19));
    QVERIFY(!w->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
    if (qEnvironmentVariableIsSet("VELMOOR_GRAB"))
        w->grab().save(QStringLiteral("/tmp/paper/ksxz.png"));
}

void TksxzTest::confirmDrawsPaperAndOpensExam_data()
{
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("button") << false;
    QTest::newRow("Enter") << true;
}

void TksxzTest::confirmDrawsPaperAndOpensExam()
{
    QFETCH(bool, byEnter);
    fillBank(*bank);
    app::startUp();
    Tksxz* w = openInstructions(0);
    if (byEnter)
        QTest::keyClick(w, Qt::Key_Return);
    else
        w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();

    QVERIFY2(app::mnks, qPrintable(boxes->texts().join(u'|')));
    QVERIFY(boxes->texts().isEmpty());
    QVERIFY(!w->isVisible());
    QVERIFY(app::mnks->isVisible());
    QCOMPARE(app::mnks->Tag(), 2);
    QCOMPARE(app::mnks->lb_kscx()->text(), QStringLiteral("考试车型：C1"));
    // 2 true/false then 3 multiple choice of category 1; nothing of the old paper.
    QCOMPARE(bank->scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 5);
    QCOMPARE(bank->scalar(QStringLiteral("SELECT group_concat(typeId, '') FROM (SELECT typeId FROM "
                                         "note JOIN subject USING (subid) ORDER BY noteId)"))
                 .toString(),
             QStringLiteral("11222"));
    QCOMPARE(bank->scalar(QStringLiteral("SELECT sum(optionid) + sum(isright) FROM note")).toInt(),
             0);
    boxes->clear();
}

void TksxzTest::classWithoutCaptionCodeKeepsBareLabel()
{
    fillBank(*bank);
    app::startUp();
    openInstructions(3);
    app::ksxz->BitBtn1Click();
    QVERIFY(app::mnks);
    QCOMPARE(app::mnks->lb_kscx()->text(), QStringLiteral("考试车型："));
    QCOMPARE(bank->scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 5);
}

void TksxzTest::shortCategoryIsReportedOnce()
{
    fillBank(*bank);
    app::startUp();
    openInstructions(1);
    app::ksxz->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(boxes->count(), 1);
    QVERIFY2(boxes->at(0).text.contains(QStringLiteral("安全行车：没有判断题，少2题")),
             qPrintable(boxes->at(0).text));
    QVERIFY(app::mnks);
    QCOMPARE(app::mnks->lb_kscx()->text(), QStringLiteral("考试车型：A2"));
    QCOMPARE(testing::paperOf(*bank).split(u',').size(), 3);
    boxes->clear();
}

void TksxzTest::classWithoutQuotaIsRefused()
{
    fillBank(*bank);
    app::startUp();
    app::main->show();
    Tksxz* w = openInstructions(2);
    w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(boxes->count(), 1);
    QVERIFY2(boxes->at(0).text.contains(QStringLiteral("无法组卷")), qPrintable(boxes->at(0).text));
    QCOMPARE(boxes->at(0).owner, w);
    QVERIFY(boxes->at(0).onTop);
    QVERIFY(!app::mnks);
    // Back to the main menu: the instructions window has no way back of its own.
    QVERIFY(!w->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!app::ksxz);
    QVERIFY(app::main->isVisible());
    QCOMPARE(testing::paperOf(*bank), QStringLiteral("101,102,103,104"));
    boxes->clear();
}

void TksxzTest::failedWriteKeepsOldPaperAndShowsError()
{
    fillBank(*bank);
    bank->exec(QStringLiteral("CREATE TRIGGER t BEFORE INSERT ON note WHEN (SELECT count(*) FROM "
                              "note) >= 3 BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    app::startUp();
    Tksxz* w = openInstructions(0);
    QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(boxes->count(), 1);
    QVERIFY2(boxes->at(0).text.contains(QStringLiteral("disk full")),
             qPrintable(boxes->at(0).text));
    QVERIFY(!app::mnks);
    QVERIFY(w->isVisible());
    QCOMPARE(testing::paperOf(*bank), QStringLiteral("101,102,103,104"));
    QCOMPARE(bank->scalar(QStringLiteral("SELECT sum(isright) FROM note")).toInt(), 2);

    // Confirming again starts over.
    bank->exec(QStringLiteral("DROP TRIGGER t"));
    w->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QVERIFY(app::mnks);
    QCOMPARE(bank->scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), 5);
    boxes->clear();
}

VELMOOR_TEST_MAIN(TksxzTest)
#include "tksxz_test.moc"

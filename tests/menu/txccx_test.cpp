#include "app/shared.h"
#include "app/startup.h"
#include "exam/tksxz.h"
#include "menu/tmain.h"
#include "menu/txccx.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QPushButton>

namespace {

QComboBox* combo()
{
    return app::xccx->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
}

QPushButton* button(const char* name)
{
    return app::xccx->findChild<QPushButton*>(QLatin1String(name));
}

void openFromMenu()
{
    QTest::keyClick(app::main, Qt::Key_Asterisk, Qt::KeypadModifier);
    QVERIFY(app::xccx->isVisible());
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::KeypadModifier)
{
    QTest::keyClick(combo(), key, modifiers);
}

} // namespace

class TxccxTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void init()
    {
        WindowTest::init();
        bank->addCategory(1, QStringLiteral("法规"), {2, 2, 2, 2, 2});
        for (int id = 1; id <= 4; ++id)
            bank->addQuestion(id, id % 2 + 1, 1,
                              {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")},
                              0);
        app::startUp();
        app::main->show();
    }

    void entriesAndDefaults()
    {
        QCOMPARE(app::xccx->windowTitle(), QStringLiteral("选择车型"));
        QVERIFY(!app::xccx->windowIcon().isNull());
        QCOMPARE(combo()->count(), 5);
        QCOMPARE(combo()->itemText(0), QStringLiteral("C1、C2、C3、C4"));
        QCOMPARE(combo()->itemText(4), QStringLiteral("F1_恢复性驾驶证"));
        QCOMPARE(app::xccx->vehicleClass(), 0);
        QVERIFY(!combo()->isEditable());
        QVERIFY(!(button("Button1")->focusPolicy() & Qt::TabFocus));
    }

    void plusCyclesTheFirstThreeEntries()
    {
        openFromMenu();
        press(Qt::Key_Plus);
        QCOMPARE(app::xccx->vehicleClassText(), QStringLiteral("A2、B2"));
        press(Qt::Key_Plus);
        QCOMPARE(app::xccx->vehicleClassText(), QStringLiteral("A1、A3、B1"));
        press(Qt::Key_Plus);
        QCOMPARE(app::xccx->vehicleClass(), 0);
        // The main keyboard's + is no shortcut.
        press(Qt::Key_Plus, Qt::NoModifier);
        QCOMPARE(app::xccx->vehicleClass(), 0);
    }

    void plusLeavesMotorcycleAndRestorationClasses()
    {
        openFromMenu();
        for (int index : {3, 4}) {
            combo()->setCurrentIndex(index);
            press(Qt::Key_Plus);
            QCOMPARE(app::xccx->vehicleClass(), index);
            QVERIFY(app::xccx->isVisible());
        }
    }

    void enterConfirmsIntoTheInstructions()
    {
        openFromMenu();
        combo()->setCurrentIndex(4);
        press(Qt::Key_Enter);
        QVERIFY(!app::xccx->isVisible());
        QVERIFY(app::ksxz);
        QVERIFY(app::ksxz->isVisible());
        QCOMPARE(app::ksxz->Tag(), 2);
        QCOMPARE(app::xccx->vehicleClass(), 4);
        QCOMPARE(app::xccx->vehicleClassText().left(2), QStringLiteral("F1"));

        // Each confirmation makes a fresh instructions window.
        QPointer<Tksxz> first = app::ksxz;
        openFromMenu();
        button("Button1")->click();
        QVERIFY(app::ksxz && app::ksxz != first);
    }

    void keypadDelCancelsAndTheChoiceStays()
    {
        openFromMenu();
        press(Qt::Key_Plus);
        press(Qt::Key_Period);
        QVERIFY(!app::xccx->isVisible());
        QVERIFY(!app::ksxz);
        QCOMPARE(app::xccx->focusWidget(), button("Button1"));
        openFromMenu();
        QCOMPARE(app::xccx->vehicleClass(), 1);
        // Num Lock off: the same key arrives as Delete.
        press(Qt::Key_Delete);
        QVERIFY(!app::xccx->isVisible());
    }

    void closeBoxHidesWithoutMovingTheFocus()
    {
        openFromMenu();
        combo()->setFocus();
        combo()->setCurrentIndex(2);
        app::xccx->close();
        QVERIFY(!app::xccx->isVisible());
        QVERIFY(app::xccx);
        QCOMPARE(app::xccx->focusWidget(), combo());
        openFromMenu();
        QCOMPARE(app::xccx->vehicleClass(), 2);
    }
};

VELMOOR_TEST_MAIN(TxccxTest)
#include "txccx_test.moc"

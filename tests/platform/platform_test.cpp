#include "base/error.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/keys.h"
#include "support/boxes.h"
#include "support/testmain.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

class RecordingForm final : public app::Form
{
public:
    QList<int> keys;
    bool fail = false;

    void stayOnTop() { setFrame(Frame::None, Buttons::None, true); }

    void FormKeyDown(int vk) override
    {
        keys << vk;
        if (fail)
            throw base::Error(QStringLiteral("表 note：磁盘已满。"));
    }
};

// A window with the frame and caption of the result window, or with none.
class FramedForm final : public app::Form
{
public:
    FramedForm(Frame frame, Buttons buttons)
    {
        setWindowTitle(QStringLiteral("Velmoor-测试成绩"));
        setFrame(frame, buttons, true);
    }
};

// The title and text of every box answered, one "title|text" a box.
QString shown(const testing::BoxAnswerer& boxes)
{
    QStringList all;
    for (const testing::SeenBox& box : boxes.boxes())
        all << box.title + u'|' + box.text;
    return all.join(u'\n');
}

} // namespace

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void keypadKeysMapTheSameWhateverNumLockSays_data()
    {
        QTest::addColumn<int>("numLockOn");
        QTest::addColumn<int>("numLockOff");
        QTest::addColumn<int>("vk");
        QTest::newRow("0") << int(Qt::Key_0) << int(Qt::Key_Insert) << 96;
        QTest::newRow("1") << int(Qt::Key_1) << int(Qt::Key_End) << 97;
        QTest::newRow("2") << int(Qt::Key_2) << int(Qt::Key_Down) << 98;
        QTest::newRow("3") << int(Qt::Key_3) << int(Qt::Key_PageDown) << 99;
        QTest::newRow("4") << int(Qt::Key_4) << int(Qt::Key_Left) << 100;
        QTest::newRow("5") << int(Qt::Key_5) << int(Qt::Key_Clear) << 101;
        QTest::newRow("6") << int(Qt::Key_6) << int(Qt::Key_Right) << 102;
        QTest::newRow("7") << int(Qt::Key_7) << int(Qt::Key_Home) << 103;
        QTest::newRow("8") << int(Qt::Key_8) << int(Qt::Key_Up) << 104;
        QTest::newRow("9") << int(Qt::Key_9) << int(Qt::Key_PageUp) << 105;
        QTest::newRow("decimal") << int(Qt::Key_Period) << int(Qt::Key_Delete) << 110;
        QTest::newRow("*") << int(Qt::Key_Asterisk) << int(Qt::Key_Asterisk) << 106;
        QTest::newRow("+") << int(Qt::Key_Plus) << int(Qt::Key_Plus) << 107;
        QTest::newRow("-") << int(Qt::Key_Minus) << int(Qt::Key_Minus) << 109;
        QTest::newRow("/") << int(Qt::Key_Slash) << int(Qt::Key_Slash) << 111;
        QTest::newRow("enter") << int(Qt::Key_Enter) << int(Qt::Key_Enter) << 13;
    }
    void keypadKeysMapTheSameWhateverNumLockSays()
    {
        QFETCH(int, numLockOn);
        QFETCH(int, numLockOff);
        QFETCH(int, vk);
        QKeyEvent on(QEvent::KeyPress, numLockOn, Qt::KeypadModifier);
        QKeyEvent off(QEvent::KeyPress, numLockOff, Qt::KeypadModifier);
        QCOMPARE(app::virtualKey(on), vk);
        QCOMPARE(app::virtualKey(off), vk);
    }

    void mainKeyboardDigitsAreNotKeypadKeys()
    {
        QCOMPARE(app::virtualKey(QKeyEvent(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier)), 0);
        QCOMPARE(app::virtualKey(QKeyEvent(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier)), 0);
        QCOMPARE(app::virtualKey(QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier)),
                 int(app::VK_RETURN));
    }

    void tagIsAPropertyStartingAtZero()
    {
        RecordingForm form;
        QCOMPARE(form.Tag(), 0);
        QCOMPARE(form.property("Tag").toInt(), 0);
        QVERIFY(form.setProperty("Tag", 2));
        QCOMPARE(form.Tag(), 2);
    }

    void keyPreviewSeesKeysFirstWithoutConsumingThem()
    {
        RecordingForm form;
        auto* edit = new QLineEdit(&form);
        form.show();
        QTest::keyClick(edit, Qt::Key_4, Qt::KeypadModifier);
        QCOMPARE(form.keys, QList<int>());
        form.setKeyPreview(true);
        QTest::keyClick(edit, Qt::Key_4, Qt::KeypadModifier);
        QTest::keyClick(&form, Qt::Key_Left, Qt::KeypadModifier);
        QCOMPARE(form.keys, (QList<int>{app::VK_NUMPAD4, app::VK_NUMPAD4}));
        QCOMPARE(edit->text(), QStringLiteral("44"));
    }

    void anErrorInAHandlerIsReportedAndTheProgramGoesOn()
    {
        RecordingForm form;
        form.setKeyPreview(true);
        form.fail = true;
        form.show();
        testing::BoxAnswerer boxes;
        QTest::keyClick(&form, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(shown(boxes), QStringLiteral("Velmoor|表 note：磁盘已满。"));
        form.fail = false;
        QTest::keyClick(&form, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(form.keys.size(), 2);
    }

    void guardStopsTheHandlerAtTheError()
    {
        testing::BoxAnswerer boxes;
        bool after = false;
        app::guard([&] {
            throw base::Error(QStringLiteral("坏了"));
            after = true;
        });
        QVERIFY(!after);
        QCOMPARE(shown(boxes), QStringLiteral("Velmoor|坏了"));
    }

    void confirmationsAskWithTheCaptionAndTheDefault()
    {
        testing::BoxAnswerer boxes(QMessageBox::Yes);
        QVERIFY(app::confirm(nullptr, QStringLiteral("是否清空易错试题?"), false));
        QVERIFY(boxes.count() == 1);
        QCOMPARE(shown(boxes), QStringLiteral("提示|是否清空易错试题?"));
        QCOMPARE(boxes.at(0).icon, QMessageBox::Question);
        QCOMPARE(boxes.at(0).defaultButton, QMessageBox::No);
    }

    void boxesBelongToTheirWindowStayAboveItAndSpeakChinese()
    {
        RecordingForm exam;
        exam.stayOnTop();
        exam.setKeyPreview(true);
        exam.fail = true;
        RecordingForm page;
        exam.show();
        page.show();
        testing::BoxAnswerer boxes(QMessageBox::No);
        app::messageBox(&exam, QStringLiteral("时间到！"));
        QVERIFY(!app::confirm(&page, QStringLiteral("是否清空易错试题?"), false));
        QTest::keyClick(&exam, Qt::Key_Plus, Qt::KeypadModifier);
        // Without an owner the report goes to the active window.
        exam.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &exam);
        app::guard([] { throw base::Error(QStringLiteral("坏了")); });
        QCOMPARE(boxes.count(), 4);
        QCOMPARE(boxes.at(0).owner, &exam);
        QVERIFY(boxes.at(0).onTop);
        QCOMPARE(boxes.at(0).buttons, QStringList{QStringLiteral("确定")});
        QCOMPARE(boxes.at(1).owner, &page);
        QVERIFY(!boxes.at(1).onTop);
        // As a Chinese system shows them, with the access key after the word.
        QCOMPARE(QSet<QString>(boxes.at(1).buttons.begin(), boxes.at(1).buttons.end()),
                 (QSet<QString>{QStringLiteral("是(Y)"), QStringLiteral("否(N)")}));
        QCOMPARE(boxes.at(2).owner, &exam);
        QVERIFY(boxes.at(2).onTop);
        QCOMPARE(boxes.at(3).owner, &exam);
        QVERIFY(boxes.at(3).onTop);
    }

    void closingAWindowOnlyHidesIt()
    {
        auto* form = new RecordingForm;
        QPointer<RecordingForm> alive = form;
        form->show();
        form->close();
        QVERIFY(alive);
        QVERIFY(!form->isVisible());
        delete form;
    }

    void framelessWindowsReachTheTaskbarAsVelmoorFramedOnesKeepCaptionWithoutButtons()
    {
        const FramedForm frameless(app::Form::Frame::None, app::Form::Buttons::None);
        QCOMPARE(frameless.windowTitle(), QStringLiteral("Velmoor"));
        QVERIFY(frameless.windowFlags() & Qt::FramelessWindowHint);
        const FramedForm framed(app::Form::Frame::Sizeable, app::Form::Buttons::None);
        QCOMPARE(framed.windowTitle(), QStringLiteral("Velmoor-测试成绩"));
        QVERIFY(framed.windowFlags() & Qt::WindowTitleHint);
        QCOMPARE(framed.windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                                         Qt::WindowCloseButtonHint),
                 Qt::WindowFlags());
    }

    void aFocusedButtonShowsItsFocusWithoutTheTabKey()
    {
        RecordingForm form;
        auto* button = new QPushButton(QStringLiteral("确定"), &form);
        auto* other = new QPushButton(QStringLiteral("取消"), &form);
        other->move(0, 40);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        other->setFocus(Qt::MouseFocusReason);
        const QImage plain = button->grab().toImage();
        button->setFocus(Qt::MouseFocusReason);
        QVERIFY(button->hasFocus());
        QVERIFY(button->grab().toImage() != plain);
    }
};

VELMOOR_TEST_MAIN(PlatformTest)
#include "platform_test.moc"

#include "reviewsupport.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include "app/shared.h"
#include "app/startup.h"
#include "platform/picturebox.h"
#include "review/tllst.h"
#include "review/tlxxc.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <memory>
#include <utility>

namespace {

using testing::isRed;
using testing::label;
using testing::press;
using testing::text;

const QStringList kNav{QStringLiteral("Button1"), QStringLiteral("Button2"),
                       QStringLiteral("Button3"), QStringLiteral("Button4")};

QString header(QWidget* w)
{
    return text(w, "note").section(u'\n', 0, 0);
}

QStringList enabledNav(QWidget* w)
{
    QStringList enabled;
    for (const QString& name : kNav) {
        if (w->findChild<QPushButton*>(name)->isEnabled())
            enabled << name;
    }
    return enabled;
}

// A category of `count` four-option questions with ids from 1, listed for class 0.
void addCategory(testing::TestBank& bank, int count)
{
    bank.addCategory(7, QStringLiteral("标志标线"), {10, 10, 10, 0, 0});
    for (int id = 1; id <= count; ++id)
        bank.addQuestion(id, 2, 7, {"甲", "乙", "丙", "丁"}, 2);
}

// Opens the viewer the way the learner does: chooser, first category, "浏览题库".
Tllst* openViewer()
{
    app::lxxc = new Tlxxc;
    app::lxxc->show();
    press(app::lxxc, QStringLiteral("Button1"));
    return app::llst;
}

} // namespace

class TllstTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void oneQuestionDisablesNavigationAfterAnyPress_data()
    {
        QTest::addColumn<QString>("button");
        for (const QString& name : kNav)
            QTest::newRow(qPrintable(name)) << name;
    }
    void oneQuestionDisablesNavigationAfterAnyPress()
    {
        QFETCH(QString, button);
        addCategory(*bank, 1);
        app::startUp();
        Tllst* w = openViewer();
        QVERIFY(w);
        QCOMPARE(enabledNav(w), kNav);
        QVERIFY(w->findChild<QPushButton*>("Button5")->isEnabled());

        press(w, button);
        QCOMPARE(enabledNav(w), QStringList());
        QCOMPARE(header(w), QStringLiteral("第1题"));
        QCOMPARE(text(w, "note"), QStringLiteral("第1题\n\n题目1"));
    }

    void boundsKeepThePositionAtFirstAndLast()
    {
        addCategory(*bank, 3);
        app::startUp();
        Tllst* w = openViewer();

        press(w, "Button2");
        QCOMPARE(header(w), QStringLiteral("第1题"));
        QCOMPARE(enabledNav(w), QStringList({"Button3", "Button4"}));

        press(w, "Button3");
        QCOMPARE(header(w), QStringLiteral("第2题"));
        QCOMPARE(enabledNav(w), kNav);

        press(w, "Button4");
        press(w, "Button3");
        QCOMPARE(header(w), QStringLiteral("第3题"));
        QCOMPARE(text(w, "note"), QStringLiteral("第3题\n\n题目3"));
        QCOMPARE(enabledNav(w), QStringList({"Button1", "Button2"}));
    }

    void lastAndFirstOfALongCategory()
    {
        addCategory(*bank, 37);
        app::startUp();
        Tllst* w = openViewer();
        QCOMPARE(text(w, "noteinfo"), QStringLiteral("试题类型：标志标线 (37 题)"));
        QCOMPARE(header(w), QStringLiteral("第1题"));

        press(w, "Button4");
        QCOMPARE(header(w), QStringLiteral("第37题"));
        QCOMPARE(text(w, "note").section(u'\n', 2), QStringLiteral("题目37"));
        press(w, "Button1");
        QCOMPARE(header(w), QStringLiteral("第1题"));
    }

    void optionRowsFollowTheQuestion()
    {
        bank->addCategory(7, QStringLiteral("判断"), {10, 0, 0, 0, 0});
        bank->addQuestion(1, 1, 7, {"正确", "错误"}, 1);
        bank->addQuestion(2, 2, 7, {"一", "二", "三", "四", "五"}, 0);
        app::startUp();
        Tllst* w = openViewer();

        QCOMPARE(text(w, "lb1"), QStringLiteral("正确"));
        QCOMPARE(text(w, "lb2"), QStringLiteral("错误√"));
        QVERIFY(!isRed(label(w, "lb1")));
        QVERIFY(isRed(label(w, "lb2")));
        QVERIFY(!label(w, "lb3")->isVisible());
        QVERIFY(!label(w, "lb4")->isVisible());

        press(w, "Button3");
        QCOMPARE(text(w, "lb1"), QStringLiteral("一√"));
        QVERIFY(isRed(label(w, "lb1")));
        QVERIFY(!isRed(label(w, "lb2")));
        QCOMPARE(text(w, "lb4"), QStringLiteral("四"));
        QVERIFY(label(w, "lb3")->isVisible());
        QVERIFY(label(w, "lb4")->isVisible());
        for (const char* name : {"lb1", "lb2", "lb3", "lb4"})
            QVERIFY(!text(w, name).contains(QStringLiteral("五")));

        // Back to the true/false question: the rows and colours of the other one do not linger.
        press(w, "Button1");
        QVERIFY(!isRed(label(w, "lb1")));
        QVERIFY(!label(w, "lb3")->isVisible());
    }

    void analysisAndPictureRules()
    {
        bank->addCategory(7, QStringLiteral("图"), {10, 0, 0, 0, 0});
        bank->addQuestion(1, 2, 7, {"甲", "乙", "丙", "丁"}, 3, 0, QStringLiteral("NULL"),
                          QStringLiteral("NULL"));
        bank->addQuestion(2, 2, 7, {"子", "丑", "寅", "卯"}, 0, 0, QStringLiteral("missing.jpg"),
                          QStringLiteral("看清标志"));
        app::startUp();
        Tllst* w = openViewer();
        QCOMPARE(text(w, "info"), QString());
        QVERIFY(w->findChild<app::PictureBox*>("pic")->isHidden());
        QCOMPARE(text(w, "lb4"), QStringLiteral("丁√"));

        // A picture that will not load is reported, and the rest of the question is still shown.
        press(w, "Button3");
        QCOMPARE(text(w, "info"), QStringLiteral("看清标志"));
        QCOMPARE(text(w, "lb1"), QStringLiteral("子√"));
        QCOMPARE(text(w, "lb4"), QStringLiteral("卯"));
        QVERIFY(w->findChild<app::PictureBox*>("pic")->isHidden());
        QTRY_COMPARE(boxes->count(), 1);
        QVERIFY(boxes->at(0).text.contains(QStringLiteral("missing.jpg")));
        boxes->clear();
    }

    // Options as long as a real bank's do not fit one line: shrunk, then elided with the whole text
    // as tooltip; a long analysis scrolls and starts at its top on the next question.
    void longTextsStayReachable()
    {
        testing::TestBank bank;
        bank.addCategory(7, QStringLiteral("长题"), {10, 0, 0, 0, 0});
        const QString option = QString(43, QChar(u'路')) + QStringLiteral("止");
        for (int id = 1; id <= 2; ++id)
            bank.addQuestion(id, 2, 7, {option, QStringLiteral("乙"), option, option}, 0);
        bank.exec(QStringLiteral("UPDATE subject SET info = '%1'")
                      .arg(QString(559, QChar(u'解')) + QStringLiteral("终")));
        app::startUp();
        Tllst* w = openViewer();
        QLabel* lb1 = label(w, "lb1");
        QCOMPARE(lb1->toolTip(), option + QStringLiteral("√"));
        QVERIFY(lb1->fontMetrics().horizontalAdvance(lb1->text()) <= lb1->width());
        QCOMPARE(label(w, "lb2")->toolTip(), QString());

        auto* area = w->findChild<QScrollArea*>(QStringLiteral("infoArea"));
        QVERIFY(text(w, "info").endsWith(QStringLiteral("终")));
        QTRY_VERIFY(area->verticalScrollBar()->maximum() > 0);
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        press(w, "Button3");
        QCOMPARE(area->verticalScrollBar()->value(), 0);
    }

    void emptyCategoryShowsNothingToPage()
    {
        bank->addCategory(7, QStringLiteral("空"), {10, 0, 0, 0, 0});
        app::startUp();
        Tllst* w = openViewer();
        QVERIFY(w);
        QCOMPARE(text(w, "noteinfo"), QStringLiteral("试题类型：空 (0 题)"));
        QCOMPARE(text(w, "note"), QStringLiteral("没有可显示的试题。"));
        QCOMPARE(enabledNav(w), QStringList());
        QCOMPARE(text(w, "lb1"), QString());
        QVERIFY(w->findChild<app::PictureBox*>("pic")->isHidden());

        press(w, "Button5");
        QTRY_VERIFY(app::llst.isNull());
        QVERIFY(app::lxxc->isVisible());
        QVERIFY(boxes->texts().isEmpty());
    }
};

VELMOOR_TEST_MAIN(TllstTest)
#include "tllst_test.moc"

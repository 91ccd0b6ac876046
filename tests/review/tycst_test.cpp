#include "reviewsupport.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include "app/shared.h"
#include "app/startup.h"
#include "menu/tmain.h"
#include "review/tycst.h"

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <utility>

namespace {

using testing::press;
using testing::text;

// Counters 2, 5, -1, 1, 0 on questions 1 to 5: three error-prone questions.
void addBank(testing::TestBank& bank)
{
    bank.addCategory(1, QStringLiteral("综合"), {10, 10, 10, 0, 0});
    const int counters[] = {2, 5, -1, 1, 0};
    for (int id = 1; id <= 5; ++id) {
        bank.addQuestion(id, id == 2 ? 1 : 2, 1,
                         id == 2 ? QStringList{"正确", "错误"} : QStringList{"a", "b", "c", "d"},
                         0);
        bank.exec(QStringLiteral("UPDATE subject SET errorTimes=%1 WHERE subid=%2")
                      .arg(counters[id - 1])
                      .arg(id));
    }
}

int nonZeroCounters(testing::TestBank& bank)
{
    return bank.scalar(QStringLiteral("SELECT COUNT(*) FROM subject WHERE errorTimes<>0")).toInt();
}

// Opens the list as the main menu's entry does.
Tycst* openFromMenu()
{
    app::main->Image7Click();
    return app::ycst;
}

} // namespace

class TycstTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void mostOftenMissedFirst()
    {
        addBank(*bank);
        app::startUp();
        Tycst* w = openFromMenu();
        QVERIFY(w);
        QCOMPARE(text(w, "Label6"), QStringLiteral("易错试题（3）"));
        QCOMPARE(text(w, "note"), QStringLiteral("第1题\n\n题目2"));
        QVERIFY(!text(w, "lb1").isEmpty());
        QVERIFY(!w->findChild<QLabel*>("lb3")->isVisible());

        press(w, "Button3");
        QCOMPARE(text(w, "note"), QStringLiteral("第2题\n\n题目1"));
        QVERIFY(w->findChild<QLabel*>("lb3")->isVisible());
        press(w, "Button4");
        QCOMPARE(text(w, "note"), QStringLiteral("第3题\n\n题目4"));
        press(w, "Button1");
        QCOMPARE(text(w, "note"), QStringLiteral("第1题\n\n题目2"));
    }

    void yesResetsEveryCounter()
    {
        addBank(*bank);
        app::startUp();
        boxes->answerWith(QMessageBox::Yes);
        Tycst* w = openFromMenu();
        press(w, "Button5");
        QCOMPARE(boxes->texts(), QStringList{QStringLiteral("是否清空易错试题?")});
        QCOMPARE(nonZeroCounters(*bank), 0);
        QTRY_VERIFY(app::ycst.isNull());

        // The menu reads the counters afresh and finds nothing left.
        boxes->clear();
        app::main->Image7Click();
        QVERIFY(app::ycst.isNull());
        QCOMPARE(boxes->texts(), QStringList{QStringLiteral("没有易错试题！")});
        boxes->clear();
    }

    void noOrEnterKeepsTheCounters_data()
    {
        QTest::addColumn<bool>("enter");
        QTest::newRow("No") << false;
        QTest::newRow("Enter") << true;
    }
    void noOrEnterKeepsTheCounters()
    {
        QFETCH(bool, enter);
        addBank(*bank);
        app::startUp();
        if (enter)
            boxes->answerWithEnter();
        else
            boxes->answerWith(QMessageBox::No);
        Tycst* w = openFromMenu();
        press(w, "Button5");
        QCOMPARE(boxes->texts(), QStringList{QStringLiteral("是否清空易错试题?")});
        boxes->clear();
        QCOMPARE(nonZeroCounters(*bank), 4);
        QTRY_VERIFY(app::ycst.isNull());
    }

    void failedResetKeepsTheWindowOpen()
    {
        addBank(*bank);
        app::startUp();
        Tycst* w = openFromMenu();
        bank->exec(QStringLiteral("ALTER TABLE subject RENAME TO subject_gone"));
        boxes->answerWith(QMessageBox::Yes);
        press(w, "Button5");
        QCOMPARE(boxes->count(), 2);
        QVERIFY(boxes->at(1).text.contains(QStringLiteral("subject")));
        boxes->clear();
        QVERIFY(app::ycst);
        QVERIFY(w->isVisible());
    }

    void emptyListShowsNothingToPage()
    {
        bank->addCategory(1, QStringLiteral("综合"), {10, 10, 10, 0, 0});
        bank->addQuestion(1, 1, 1, {"正确", "错误"}, 0);
        app::startUp();
        app::ycst = new Tycst;
        app::ycst->show();
        QCOMPARE(text(app::ycst, "Label6"), QStringLiteral("易错试题（0）"));
        QCOMPARE(text(app::ycst, "note"), QStringLiteral("没有可显示的试题。"));
        for (const char* name : {"Button1", "Button2", "Button3", "Button4"})
            QVERIFY(!app::ycst->findChild<QPushButton*>(QLatin1String(name))->isEnabled());
        QVERIFY(boxes->texts().isEmpty());
    }
};

VELMOOR_TEST_MAIN(TycstTest)
#include "tycst_test.moc"

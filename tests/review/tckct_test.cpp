#include "reviewsupport.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include "app/shared.h"
#include "app/startup.h"
#include "review/tckct.h"

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <utility>

namespace {

using testing::isRed;
using testing::label;
using testing::press;

const char* const kRows[] = {"lb1", "lb2", "lb3", "lb4"};

// Option ids are subid * 10 + position (from 1).
void addPaperRow(testing::TestBank& bank, int subId, int optionId, int isRight)
{
    bank.exec(QStringLiteral("INSERT INTO note (subid, optionid, isright) VALUES (%1, %2, %3)")
                  .arg(subId)
                  .arg(optionId)
                  .arg(isRight));
}

Tckct* open()
{
    app::ckct = new Tckct;
    app::ckct->show();
    return app::ckct;
}

} // namespace

class TckctTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void marksTheChoiceAndTheKey()
    {
        bank->addCategory(1, QStringLiteral("综合"), {10, 10, 10, 0, 0});
        bank->addQuestion(10, 1, 1, {"正确", "错误"}, 1);
        bank->addQuestion(20, 2, 1, {"甲", "乙", "丙", "丁"}, 2);
        bank->addQuestion(30, 2, 1, {"子", "丑", "寅"}, 1);
        bank->addQuestion(40, 2, 1, {"a", "b", "c", "d"}, 0);
        // Paper order: right, wrong, wrong, unanswered; only the last three are reviewed.
        addPaperRow(*bank, 40, 401, 1);
        addPaperRow(*bank, 10, 101, 0);
        addPaperRow(*bank, 20, 204, 0);
        addPaperRow(*bank, 30, 0, 0);
        app::startUp();
        Tckct* w = open();
        QVERIFY(!w->findChild<QLabel*>("noteinfo"));

        QCOMPARE(label(w, "note")->text(), QStringLiteral("第1题\n\n题目10"));
        QCOMPARE(label(w, "lb1")->text(), QStringLiteral("正确×"));
        QVERIFY(!isRed(label(w, "lb1")));
        QCOMPARE(label(w, "lb2")->text(), QStringLiteral("错误√"));
        QVERIFY(isRed(label(w, "lb2")));
        QVERIFY(!label(w, "lb3")->isVisible());
        QVERIFY(!label(w, "lb4")->isVisible());

        press(w, "Button3");
        QCOMPARE(label(w, "note")->text(), QStringLiteral("第2题\n\n题目20"));
        QStringList texts;
        int red = 0;
        for (const char* row : kRows) {
            QVERIFY(label(w, row)->isVisible());
            texts << label(w, row)->text();
            red += isRed(label(w, row));
        }
        QCOMPARE(texts, QStringList({"甲", "乙", "丙√", "丁×"}));
        QCOMPARE(red, 1);
        QVERIFY(isRed(label(w, "lb3")));

        // Unanswered: no cross anywhere, three options show three rows.
        press(w, "Button3");
        QCOMPARE(label(w, "note")->text(), QStringLiteral("第3题\n\n题目30"));
        QCOMPARE(label(w, "lb1")->text(), QStringLiteral("子"));
        QCOMPARE(label(w, "lb2")->text(), QStringLiteral("丑√"));
        QVERIFY(isRed(label(w, "lb2")));
        QCOMPARE(label(w, "lb3")->text(), QStringLiteral("寅"));
        QVERIFY(label(w, "lb3")->isVisible());
        QVERIFY(!label(w, "lb4")->isVisible());
        QCOMPARE(w->findChild<QPushButton*>("Button3")->isEnabled(), false);

        press(w, "Button1");
        QCOMPARE(label(w, "note")->text().section(u'\n', 0, 0), QStringLiteral("第1题"));
        QVERIFY(!label(w, "lb3")->isVisible());
    }

    void crossAndTickOnTheSameOption()
    {
        // A row marked wrong although its option is the key: both marks, the cross first.
        bank->addCategory(1, QStringLiteral("综合"), {10, 10, 10, 0, 0});
        bank->addQuestion(10, 1, 1, {"正确", "错误"}, 0);
        addPaperRow(*bank, 10, 101, 0);
        app::startUp();
        Tckct* w = open();
        QCOMPARE(label(w, "lb1")->text(), QStringLiteral("正确×√"));
        QVERIFY(isRed(label(w, "lb1")));
    }

    void paperWithoutWrongAnswers()
    {
        bank->addCategory(1, QStringLiteral("综合"), {10, 10, 10, 0, 0});
        bank->addQuestion(10, 1, 1, {"正确", "错误"}, 0);
        addPaperRow(*bank, 10, 101, 1);
        app::startUp();
        Tckct* w = open();
        QCOMPARE(label(w, "note")->text(), QStringLiteral("没有可显示的试题。"));
        for (const char* name : {"Button1", "Button2", "Button3", "Button4"})
            QVERIFY(!w->findChild<QPushButton*>(QLatin1String(name))->isEnabled());
        press(w, "Button5");
        QTRY_VERIFY(app::ckct.isNull());
        QVERIFY(boxes->texts().isEmpty());
    }
};

VELMOOR_TEST_MAIN(TckctTest)
#include "tckct_test.moc"

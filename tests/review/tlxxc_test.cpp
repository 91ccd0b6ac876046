#include "reviewsupport.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include "app/shared.h"
#include "app/startup.h"
#include "data/tado.h"
#include "review/tllst.h"
#include "review/tlxxc.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <utility>

namespace {

using testing::press;

QStringList items(QWidget* w)
{
    QStringList texts;
    for (int i = 0;; ++i) {
        auto* item = w->findChild<QRadioButton*>(QStringLiteral("rgpItem%1").arg(i));
        if (!item)
            return texts;
        texts << item->text();
    }
}

int checkedItem(QWidget* w)
{
    for (int i = 0;; ++i) {
        auto* item = w->findChild<QRadioButton*>(QStringLiteral("rgpItem%1").arg(i));
        if (!item)
            return -1;
        if (item->isChecked())
            return i;
    }
}

// Picks a vehicle class as the learner does, so that the activation handler runs.
void pickClass(QWidget* w, int index)
{
    auto* cbx = w->findChild<QComboBox*>("cbx");
    while (cbx->currentIndex() < index)
        QTest::keyClick(cbx, Qt::Key_Down);
    while (cbx->currentIndex() > index)
        QTest::keyClick(cbx, Qt::Key_Up);
}

// Listing depends on scale0..scale2 only; the count covers every question of the category.
void addBank(testing::TestBank& bank)
{
    bank.addCategory(1, QStringLiteral("道路通行"), {10, 0, 5, 0, 0});
    bank.addCategory(2, QStringLiteral("交通信号"), {0, 8, 0, 0, 0});
    bank.addCategory(3, QStringLiteral("安全常识"), {3, 3, 0, 0, 0});
    bank.addCategory(4, QStringLiteral("摩托专用"), {0, 0, 0, 5, 5});
    bank.addQuestion(1, 1, 1, {"正确", "错误"}, 0);
    bank.addQuestion(2, 2, 1, {"a", "b", "c", "d"}, 1);
    bank.addQuestion(3, 2, 2, {"a", "b", "c", "d"}, 1);
    bank.addQuestion(4, 2, 2, {"a", "b", "c", "d"}, 1);
    bank.addQuestion(5, 1, 2, {"正确", "错误"}, 1);
    bank.addQuestion(6, 1, 4, {"正确", "错误"}, 1);
}

} // namespace

class TlxxcTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void listsTheCategoriesOfTheChosenClass()
    {
        addBank(*bank);
        app::startUp();
        app::lxxc = new Tlxxc;
        app::lxxc->show();
        Tlxxc* w = app::lxxc;
        QCOMPARE(w->findChild<QGroupBox*>("rgp")->title(), QStringLiteral("请选择题目类型："));

        const QStringList classC{QStringLiteral("道路通行 (2 题)"),
                                 QStringLiteral("安全常识 (0 题)")};
        QCOMPARE(items(w), classC);
        QCOMPARE(checkedItem(w), 0);
        QCOMPARE(w->selectedCategoryText(), classC.at(0));

        w->findChild<QRadioButton*>("rgpItem1")->click();
        pickClass(w, 1);
        QCOMPARE(items(w), QStringList({QStringLiteral("交通信号 (3 题)"),
                                        QStringLiteral("安全常识 (0 题)")}));
        QCOMPARE(checkedItem(w), 0);
        pickClass(w, 2);
        QCOMPARE(items(w), QStringList({QStringLiteral("道路通行 (2 题)")}));

        pickClass(w, 0);
        QCOMPARE(items(w), classC);
        QCOMPARE(checkedItem(w), 0);
    }

    void browseOpensTheSelectedCategory()
    {
        addBank(*bank);
        app::startUp();
        app::lxxc = new Tlxxc;
        app::lxxc->show();
        pickClass(app::lxxc, 1);

        press(app::lxxc, "Button1");
        QVERIFY(app::llst);
        QVERIFY(app::llst->isVisible());
        QCOMPARE(app::lxxc->Tag(), 2);
        QCOMPARE(app::llst->findChild<QLabel*>("noteinfo")->text(),
                 QStringLiteral("试题类型：交通信号 (3 题)"));
        app::llst->findChild<QPushButton*>("Button4")->click();
        QCOMPARE(app::llst->findChild<QLabel*>("note")->text(), QStringLiteral("第3题\n\n题目5"));

        // Closing the viewer leaves the chooser as it was.
        app::llst->findChild<QPushButton*>("Button5")->click();
        QTRY_VERIFY(app::llst.isNull());
        QVERIFY(app::lxxc->isVisible());
        QCOMPARE(checkedItem(app::lxxc), 0);

        press(app::lxxc, "Button2");
        QTRY_VERIFY(app::lxxc.isNull());
    }

    void classWithoutCategoriesBrowsesNothing()
    {
        bank->addCategory(1, QStringLiteral("道路通行"), {10, 0, 0, 0, 0});
        bank->addQuestion(1, 1, 1, {"正确", "错误"}, 0);
        app::startUp();
        app::lxxc = new Tlxxc;
        app::lxxc->show();
        pickClass(app::lxxc, 1);
        QCOMPARE(items(app::lxxc), QStringList());
        QCOMPARE(app::lxxc->selectedCategoryText(), QString());

        press(app::lxxc, "Button1");
        QVERIFY(app::llst.isNull());
        QCOMPARE(app::lxxc->Tag(), 0);
        QVERIFY(boxes->texts().isEmpty());
    }

    void eachOpeningMakesAFreshChooser()
    {
        addBank(*bank);
        app::startUp();
        auto* first = new Tlxxc;
        first->show();
        pickClass(first, 1);

        // A category added and the table re-read between the two openings.
        bank->addCategory(5, QStringLiteral("新增分类"), {4, 0, 0, 0, 0});
        app::ado->sort.close();
        app::ado->sort.open();
        app::lxxc = new Tlxxc;
        app::lxxc->show();
        QVERIFY(app::lxxc != first);
        QCOMPARE(items(app::lxxc),
                 QStringList({QStringLiteral("道路通行 (2 题)"), QStringLiteral("安全常识 (0 题)"),
                              QStringLiteral("新增分类 (0 题)")}));

        // The first keeps its own list until it is filled again.
        QCOMPARE(items(first).size(), 2);
        pickClass(first, 0);
        QCOMPARE(items(first), items(app::lxxc));
    }
};

VELMOOR_TEST_MAIN(TlxxcTest)
#include "tlxxc_test.moc"

#include "app/shared.h"
#include "app/startup.h"
#include "menu/tmain.h"
#include "reviewsupport.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windowtest.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

QWidget* shown(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

} // namespace

class TsstmTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void resultsFollowTheTypingAndOpenWithTheKeyMarked();
};

void TsstmTest::resultsFollowTheTypingAndOpenWithTheKeyMarked()
{
    bank->addCategory(1, QStringLiteral("法规"), {10, 0, 0, 0, 0});
    for (int id = 1; id <= 12; ++id)
        bank->addQuestion(id, 2, 1, {QStringLiteral("鸣喇叭"), QStringLiteral("减速让行")}, 1);
    app::startUp();
    app::main->show();
    QTest::keyClick(app::main, Qt::Key_3, Qt::KeypadModifier);
    QWidget* w = shown("sstm");
    QVERIFY(w);
    auto* entry = w->findChild<QLineEdit*>(QStringLiteral("ed_ss"));
    auto* list = w->findChild<QListWidget*>(QStringLiteral("lv_jg"));
    QVERIFY(entry->hasFocus() || !QApplication::focusWidget());

    // Text arrives as an input method commits it; each change searches again: one character
    // scans, three use the index.
    entry->insert(QStringLiteral("题"));
    QCOMPARE(list->count(), 12);
    entry->insert(QStringLiteral("目1"));
    QCOMPARE(list->count(), 4); // 1, 10, 11, 12
    QCOMPARE(list->item(1)->text(), QStringLiteral("2、题目10"));
    QCOMPARE(testing::text(w, "lb_sl"), QStringLiteral("找到4题："));
    QTest::keyClick(entry, Qt::Key_Down);
    QTest::keyClick(entry, Qt::Key_Return);

    QWidget* viewer = shown("ssjg");
    QVERIFY(viewer);
    QVERIFY(testing::text(viewer, "note").endsWith(QStringLiteral("题目10")));
    QCOMPARE(testing::text(viewer, "lb2"), QStringLiteral("减速让行√"));
    QVERIFY(testing::isRed(testing::label(viewer, "lb2")));
    QVERIFY(!testing::isRed(testing::label(viewer, "lb1")));
    QTest::keyClick(viewer, Qt::Key_Plus, Qt::KeypadModifier);
    QVERIFY(testing::text(viewer, "note").endsWith(QStringLiteral("题目11")));
    QTest::keyClick(viewer, Qt::Key_Delete, Qt::KeypadModifier);
    QTRY_VERIFY(!shown("ssjg"));

    entry->insert(QStringLiteral("没有"));
    QCOMPARE(list->count(), 0);
    QCOMPARE(testing::text(w, "lb_sl"), QStringLiteral("没有找到含“题目1没有”的试题。"));
    QTest::keyClick(entry, Qt::Key_Escape);
    QVERIFY(!shown("sstm"));
}

VELMOOR_TEST_MAIN(TsstmTest)
#include "tsstm_test.moc"

#include "reviewsupport.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windowtest.h"

#include "app/shared.h"
#include "app/startup.h"
#include "core/history.h"
#include "data/connection.h"
#include "menu/tmain.h"
#include "review/scoretrend.h"
#include "review/tksjl.h"

#include <QPushButton>
#include <QTableWidget>
#include <memory>

namespace {

using testing::label;
using testing::text;

QWidget* topLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    }
    return nullptr;
}

void key(QWidget* w, Qt::Key k)
{
    QTest::keyClick(w, k, Qt::KeypadModifier);
}

} // namespace

class TksjlTest : public testing::WindowTest
{
    Q_OBJECT

    // Papers of questions 1 (category 1) and 2, 3 (category 2); `right` says which were right.
    void record(int day, int mode, QList<bool> right)
    {
        data::Connection db(bank->dbPath());
        core::PaperRecord p;
        p.startedAt = QDateTime(QDate(2024, 5, day), QTime(9, 0));
        p.mode = mode;
        p.classCode = QStringLiteral("C1");
        p.setNumber = mode == core::kStudyMode ? 2 : 0;
        p.firstNoteId = day;
        for (int q = 1; q <= 3; ++q) {
            p.answers.push_back({q, q, right[q - 1] ? q * 10 + 1 : q * 10 + 2, right[q - 1]});
            p.rightCount += right[q - 1];
        }
        p.score = p.rightCount;
        p.passMark = 2;
        p.passed = p.score >= 2;
        p.secondsUsed = 65;
        QVERIFY(core::recordPaper(db, p));
    }

private slots:
    void init()
    {
        WindowTest::init();
        bank->writeFile(QStringLiteral("system.ini"), "alltime=60\nmark=2\n");
        bank->addCategory(1, QStringLiteral("法规"), {1, 0, 0, 0, 0});
        bank->addCategory(2, QStringLiteral("信号"), {2, 0, 0, 0, 0});
        bank->addQuestion(1, 1, 1, {QStringLiteral("对"), QStringLiteral("错")}, 0);
        bank->addQuestion(2, 1, 2, {QStringLiteral("对"), QStringLiteral("错")}, 0);
        bank->addQuestion(3, 1, 2, {QStringLiteral("对"), QStringLiteral("错")}, 0);
        record(1, core::kMockMode, {true, false, false});
        record(2, core::kStudyMode, {false, true, true});
        record(3, core::kMockMode, {true, true, false});
    }
    void cleanup() { WindowTest::cleanup(); }

    void showsTrendProbabilityAndCategories()
    {
        app::startUp();
        QTest::mouseClick(app::main->findChild<QLabel*>(QStringLiteral("lb_ksjl")), Qt::LeftButton);
        Tksjl* w = app::ksjl;
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("ksjl"));
        QCOMPARE(w->size(), QSize(795, 585));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);

        QCOMPARE(w->findChild<ScoreTrend*>(QStringLiteral("qs"))->scores(),
                 std::vector<int>({1, 2}));
        // Two mock papers of three questions: enough for a paper of three.
        QVERIFY2(text(w, "lb_gl").contains(QStringLiteral("基于最近 2 次、6 道题")),
                 qPrintable(text(w, "lb_gl")));
        // Signals: 1 of 4 right; rules: 2 of 2.
        const QStringList lines = text(w, "lb_fl").split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(QStringLiteral("信号")) && lines[0].endsWith(u"（1/4）"));
        QVERIFY(lines[1].startsWith(QStringLiteral("法规")) && lines[1].endsWith(u"（2/2）"));

        const auto* grid = w->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("2024-05-03 09:00"));
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("学习 第2套"));
        QCOMPARE(grid->item(2, 4)->text(), QStringLiteral("不合格"));
        QCOMPARE(grid->item(2, 5)->text(), QStringLiteral("1分05秒"));
    }

    void keypadMovesOpensAndCloses()
    {
        app::startUp();
        key(app::main, Qt::Key_Slash);
        QPointer<Tksjl> w = app::ksjl;
        QVERIFY(w && w->isVisible());
        QVERIFY(text(w, "lb_jp").contains(QStringLiteral("Enter 查看该卷错题")));
        QCOMPARE(w->selectedPaper(), 0);
        key(w, Qt::Key_8);
        QCOMPARE(w->selectedPaper(), 0);
        for (Qt::Key k : {Qt::Key_2, Qt::Key_Plus, Qt::Key_Plus})
            key(w, k);
        QCOMPARE(w->selectedPaper(), 2);
        key(w, Qt::Key_Minus);
        key(w, Qt::Key_8);
        QCOMPARE(w->selectedPaper(), 0);

        // The newest paper: question 3 wrong, shown as the wrong-answer review shows it.
        key(w, Qt::Key_Enter);
        QWidget* viewer = topLevel("lsct");
        QVERIFY(viewer);
        QCOMPARE(viewer->size(), QSize(795, 576));
        QCOMPARE(text(viewer, "note"), QStringLiteral("第1题\n\n题目3"));
        QCOMPARE(text(viewer, "lb1"), QStringLiteral("对√"));
        QCOMPARE(text(viewer, "lb2"), QStringLiteral("错×"));
        QVERIFY(text(viewer, "noteinfo").contains(QStringLiteral("错题与未答题 1 道")));
        key(viewer, Qt::Key_Delete);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!topLevel("lsct"));

        // The oldest: two wrong, paged with the keypad.
        key(w, Qt::Key_2);
        key(w, Qt::Key_2);
        key(w, Qt::Key_Enter);
        viewer = topLevel("lsct");
        QVERIFY(viewer);
        QCOMPARE(text(viewer, "note"), QStringLiteral("第1题\n\n题目2"));
        key(viewer, Qt::Key_Plus);
        QCOMPARE(text(viewer, "note"), QStringLiteral("第2题\n\n题目3"));
        key(viewer, Qt::Key_Delete);

        // Practice starts here: the drill says what is due, 6 searches.
        QVERIFY(w->findChild<QPushButton*>(QStringLiteral("bt_ctlx"))
                    ->text()
                    .contains(QStringLiteral("今日")));
        key(w, Qt::Key_6);
        QWidget* search = topLevel("sstm");
        QVERIFY(search);
        search->close();

        key(w, Qt::Key_Delete);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w);
    }
};

VELMOOR_TEST_MAIN(TksjlTest)
#include "tksjl_test.moc"

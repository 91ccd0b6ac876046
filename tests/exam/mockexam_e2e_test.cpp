// The whole road of a paper, driven as a learner at the examination terminal drives it: from the
// main menu with the keypad, through the real windows, to the result and the error counters.

#include "exam/tksqr.h"
#include "exam/tksxz.h"
#include "exam/tmnks.h"
#include "exam/txtxx.h"
#include "exam/txxts.h"

#include "app/shared.h"
#include "app/startup.h"
#include "data/connection.h"
#include "data/tado.h"
#include "menu/tmain.h"
#include "menu/txccx.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <sqlite3.h>
#include <vector>

#define RETURN_IF_FAILED()                                                                         \
    do {                                                                                           \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

namespace {

// Question pools: category 1 asks 60 questions of a C1 paper and 30 of an E1 paper, category 2
// asks 40 and 20. Each pool holds three times what a C1 paper draws from it, so that eleven misses
// in a row (a duplicate on the paper) practically never happen and the counters of a paper can be
// told exactly.
struct Pool
{
    int sortId;
    int typeId;
    int size;
};
constexpr Pool kPools[] = {{1, 1, 72}, {1, 2, 108}, {2, 1, 48}, {2, 2, 72}};

int subIdOf(int sortId, int typeId, int n)
{
    return sortId * 1000 + (typeId - 1) * 500 + n;
}
int sortOf(int subId)
{
    return subId / 1000;
}
int typeOf(int subId)
{
    return subId % 1000 > 500 ? 2 : 1;
}
// Study set 1: the first four true/false and six multiple-choice questions of category 1.
bool inStudySet(int sortId, int typeId, int n)
{
    return sortId == 1 && n <= (typeId == 1 ? 4 : 6);
}

void fillBank(testing::TestBank& bank)
{
    bank.addCategory(1, QStringLiteral("道路交通安全法律法规"), {60, 0, 0, 30, 0});
    bank.addCategory(2, QStringLiteral("安全行车常识"), {40, 0, 0, 20, 0});
    const QStringList judge{QStringLiteral("正确"), QStringLiteral("错误")};
    const QStringList choice{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                             QStringLiteral("丁")};
    bank.exec(QStringLiteral("BEGIN"));
    for (const Pool& p : kPools) {
        for (int n = 1; n <= p.size; ++n) {
            const int id = subIdOf(p.sortId, p.typeId, n);
            // The key moves round, so "×" and every letter are right somewhere.
            bank.addQuestion(id, p.typeId, p.sortId, p.typeId == 1 ? judge : choice,
                             p.typeId == 1 ? n % 2 : n % 4,
                             inStudySet(p.sortId, p.typeId, n) ? 1 : 0, {},
                             QStringLiteral("解析%1").arg(id));
        }
    }
    bank.exec(QStringLiteral("COMMIT"));
    // Counters 0 to 3, so that some start at 0.
    bank.exec(QStringLiteral("UPDATE subject SET errorTimes = subid % 4"));
}

QString labelText(QWidget* w, const char* name)
{
    auto* label = w ? w->findChild<QLabel*>(QLatin1String(name)) : nullptr;
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

// A keypad key, delivered where the window's keyboard focus is, as the terminal delivers it.
void keypad(QWidget* window, Qt::Key key)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key, Qt::KeypadModifier);
}

// Keypad 4/6 answer √/×, 1/2/3/5 answer A to D.
Qt::Key keyOf(const QString& sign)
{
    static const std::map<QString, Qt::Key> keys{
        {QStringLiteral("√"), Qt::Key_4}, {QStringLiteral("×"), Qt::Key_6},
        {QStringLiteral("A"), Qt::Key_1}, {QStringLiteral("B"), Qt::Key_2},
        {QStringLiteral("C"), Qt::Key_3}, {QStringLiteral("D"), Qt::Key_5}};
    const auto it = keys.find(sign);
    return it == keys.end() ? Qt::Key_unknown : it->second;
}

QString wrongSign(const QString& right)
{
    if (right == u"√")
        return QStringLiteral("×");
    if (right == u"×")
        return QStringLiteral("√");
    return right == u"A" ? QStringLiteral("B") : QStringLiteral("A");
}

// The number and subject id of the shown question, from its text "12、题目1003".
struct Shown
{
    int number = -1;
    int subId = -1;
};
Shown shownQuestion(QWidget* exam)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)、题目(\\d+)$"));
    const QRegularExpressionMatch m = pattern.match(labelText(exam, "Note"));
    if (!m.hasMatch())
        return {};
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

enum class Answer { Right, Wrong, None };

// (category, type) of every paper position as the quotas lay a paper out: the true/false share
// of each category first, then the multiple-choice rest.
std::vector<std::pair<int, int>> paperLayout(int scale1, int scale2)
{
    std::vector<std::pair<int, int>> layout;
    for (int type = 1; type <= 2; ++type) {
        for (auto [sortId, scale] : {std::pair{1, scale1}, std::pair{2, scale2}}) {
            const int trueFalse = scale * 4 / 10;
            layout.insert(layout.end(), size_t(type == 1 ? trueFalse : scale - trueFalse),
                          {sortId, type});
        }
    }
    return layout;
}

} // namespace

class MockExamE2eTest : public testing::WindowTest
{
    Q_OBJECT

    std::map<int, int> countersBefore;
    // What the learner did with each question of the paper, by subject id, and the paper order.
    std::map<int, Answer> answers;
    std::vector<int> paperOrder;

    std::map<int, int> counters()
    {
        std::map<int, int> result;
        const QString all =
            bank->scalar(QStringLiteral("SELECT group_concat(subid || ':' || errorTimes, ',') "
                                        "FROM subject"))
                .toString();
        for (const QString& pair : all.split(u',', Qt::SkipEmptyParts))
            result[pair.section(u':', 0, 0).toInt()] = pair.section(u':', 1).toInt();
        return result;
    }

    void startProgram()
    {
        countersBefore = counters();
        app::startUp();
        app::main->show();
    }

    // Main menu * → class dialog (choose) → Enter → instructions → Enter → exam window.
    void openMockExam(const std::function<void(QComboBox*)>& chooseClass)
    {
        keypad(app::main, Qt::Key_Asterisk);
        QVERIFY(app::xccx->isVisible());
        auto* combo = app::xccx->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        QVERIFY(combo);
        chooseClass(combo);
        RETURN_IF_FAILED();
        keypad(app::xccx, Qt::Key_Enter);
        QVERIFY(!app::xccx->isVisible());
        QVERIFY(app::ksxz && app::ksxz->isVisible());
        keypad(app::ksxz, Qt::Key_Enter);
        QVERIFY2(app::mnks && app::mnks->isVisible(), qPrintable(boxes->texts().join(u'|')));
        QVERIFY(!app::ksxz->isVisible());
        QCOMPARE(shownQuestion(app::mnks).number, 1);
    }

    // Goes through the paper question by question with the keypad: the right sign from LB_da,
    // another sign for a wrong answer, keypad + past an unanswered question.
    void answerPaper(int questions, const std::function<Answer(int)>& plan)
    {
        answers.clear();
        paperOrder.clear();
        Tmnks* exam = app::mnks;
        for (int q = 1; q <= questions; ++q) {
            const Shown shown = shownQuestion(exam);
            QCOMPARE(shown.number, q);
            QVERIFY2(!answers.count(shown.subId), qPrintable(QString::number(shown.subId)));
            const QString right = labelText(exam, "LB_da");
            // A true/false key on a true/false question, a letter on a multiple-choice one.
            QCOMPARE(right == u"√" || right == u"×", typeOf(shown.subId) == 1);
            const Answer answer = plan(q);
            answers[shown.subId] = answer;
            paperOrder.push_back(shown.subId);
            if (answer == Answer::None) {
                if (q < questions)
                    keypad(exam, Qt::Key_Plus);
            } else {
                keypad(exam, keyOf(answer == Answer::Right ? right : wrongSign(right)));
            }
            // Every answer in a mock examination moves on; the last question stays.
            QCOMPARE(shownQuestion(exam).number, q < questions ? q + 1 : q);
        }
        QCOMPARE(bank->scalar(QStringLiteral("SELECT count(*) FROM note")).toInt(), questions);
        QCOMPARE(bank->scalar(QStringLiteral("SELECT count(DISTINCT subid) FROM note")).toInt(),
                 questions);
    }

    void checkLayout(int scale1, int scale2)
    {
        const auto layout = paperLayout(scale1, scale2);
        QCOMPARE(paperOrder.size(), layout.size());
        for (size_t i = 0; i < layout.size(); ++i) {
            const std::pair<int, int> actual{sortOf(paperOrder[i]), typeOf(paperOrder[i])};
            QVERIFY2(actual == layout[i],
                     qPrintable(
                         QStringLiteral("position %1: question %2").arg(i + 1).arg(paperOrder[i])));
        }
    }

    // Keypad / opens the confirmation, keypad 0 hands in.
    void handIn()
    {
        QPointer<Tmnks> exam = app::mnks;
        keypad(exam, Qt::Key_Slash);
        QVERIFY(app::ksqr && app::ksqr->isVisible());
        QVERIFY(!app::xxts);
        keypad(app::ksqr, Qt::Key_0);
        QVERIFY(app::xxts && app::xxts->isVisible());
        QVERIFY(!app::ksqr || !app::ksqr->isVisible());
        QVERIFY(exam && !exam->isVisible());
    }

    void checkResult(const QString& score, bool passed, bool mock)
    {
        QCOMPARE(labelText(app::xxts, "lbksfs"), score);
        QCOMPARE(labelText(app::xxts, "lb_ksjg"),
                 passed ? QStringLiteral("恭喜您，考试合格！！")
                        : QStringLiteral("考试不合格，还需要努力！！"));
        QCOMPARE(labelText(app::xxts, "lb_tsxx"), mock ? QStringLiteral("您的本次模拟考试成绩为：")
                                                       : QStringLiteral("您的本次学习成绩为："));
    }

    // A mock examination moves each paper question's counter by one: down when answered right,
    // up otherwise; a study set and the questions off the paper keep theirs.
    void checkCounters(bool mock)
    {
        const std::map<int, int> after = counters();
        QCOMPARE(after.size(), countersBefore.size());
        QStringList wrong;
        for (const auto& [id, before] : countersBefore) {
            int expected = before;
            const auto it = answers.find(id);
            if (mock && it != answers.end())
                expected += it->second == Answer::Right ? -1 : 1;
            const auto actual = after.find(id);
            if (actual == after.end() || actual->second != expected)
                wrong << QStringLiteral("%1: %2 → %3, expected %4")
                             .arg(id)
                             .arg(before)
                             .arg(actual == after.end() ? QStringLiteral("gone")
                                                        : QString::number(actual->second))
                             .arg(expected);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 10).join(u'\n')));
    }

    // Enter leaves the result; the exam and instructions windows go with it.
    void closeResult()
    {
        QPointer<Tmnks> exam = app::mnks;
        QPointer<Tksxz> instructions = app::ksxz;
        QPointer<Txxts> result = app::xxts;
        QVERIFY(exam && result);
        keypad(result, Qt::Key_Enter);
        QTRY_VERIFY(!result);
        QTRY_VERIFY(!exam);
        QTRY_VERIFY(!instructions);
        QVERIFY(app::main->isVisible());
        // The pages the counters were written through are not kept from one paper to the next:
        // what stays is the database's first page (kept, the cache holds 20 pages here).
        int cached = -1;
        int highest = 0;
        sqlite3_db_status(app::ado->subject.connection().handle(), SQLITE_DBSTATUS_CACHE_USED,
                          &cached, &highest, 0);
        QCOMPARE_LE(cached, 8 * 1024);
    }

    void noMessages() { QVERIFY2(boxes->texts().isEmpty(), qPrintable(boxes->texts().join(u'|'))); }

    int resultWindows()
    {
        const QWidgetList all = QApplication::topLevelWidgets();
        return int(std::count_if(all.begin(), all.end(),
                                 [](QWidget* w) { return qobject_cast<Txxts*>(w); }));
    }

private slots:
    void init()
    {
        WindowTest::init();
        fillBank(*bank);
        answers.clear();
        paperOrder.clear();
    }

    void allRightPassesAndLowersEveryCounter()
    {
        startProgram();
        openMockExam([](QComboBox* combo) {
            // Keypad + three times comes back to the car classes' first entry.
            for (int i = 0; i < 3; ++i)
                keypad(app::xccx, Qt::Key_Plus);
            QCOMPARE(combo->currentIndex(), 0);
        });
        RETURN_IF_FAILED();
        QCOMPARE(app::mnks->lb_kscx()->text(), QStringLiteral("考试车型：C1"));
        answerPaper(100, [](int) { return Answer::Right; });
        RETURN_IF_FAILED();
        checkLayout(60, 40);
        RETURN_IF_FAILED();
        QCOMPARE(bank->scalar(QStringLiteral("SELECT sum(isright) FROM note")).toInt(), 100);
        handIn();
        RETURN_IF_FAILED();
        checkResult(QStringLiteral("100"), true, true);
        checkCounters(true);
        RETURN_IF_FAILED();
        closeResult();
        noMessages();
    }

    void elevenWrongFailsWith89()
    {
        startProgram();
        openMockExam([](QComboBox*) {});
        RETURN_IF_FAILED();
        // Questions 9, 18 ... 99: true/false and multiple-choice ones.
        answerPaper(100, [](int q) { return q % 9 == 0 ? Answer::Wrong : Answer::Right; });
        RETURN_IF_FAILED();
        QCOMPARE(bank->scalar(QStringLiteral("SELECT sum(isright) FROM note")).toInt(), 89);
        // Keypad / pressed twice: the first confirmation is still open after the hand-in.
        keypad(app::mnks, Qt::Key_Slash);
        QPointer<Tksqr> earlier = app::ksqr;
        QVERIFY(earlier);
        handIn();
        RETURN_IF_FAILED();
        checkResult(QStringLiteral("89"), false, true);
        checkCounters(true);
        RETURN_IF_FAILED();
        const std::map<int, int> scored = counters();
        if (earlier && earlier->isVisible())
            keypad(earlier, Qt::Key_0);
        QCOMPARE(resultWindows(), 1);
        QVERIFY(counters() == scored);
        closeResult();
        noMessages();
    }

    void motorcyclePaperScoresTwoPointsAnswer()
    {
        startProgram();
        openMockExam([](QComboBox* combo) {
            combo->setCurrentIndex(3);
            // The + key cycles the car classes only.
            keypad(app::xccx, Qt::Key_Plus);
            QCOMPARE(combo->currentText(), QStringLiteral("E1_摩托车"));
        });
        RETURN_IF_FAILED();
        QCOMPARE(app::mnks->lb_kscx()->text(), QStringLiteral("考试车型："));
        answerPaper(50, [](int q) { return q % 10 == 0 ? Answer::Wrong : Answer::Right; });
        RETURN_IF_FAILED();
        checkLayout(30, 20);
        RETURN_IF_FAILED();
        handIn();
        RETURN_IF_FAILED();
        checkResult(QStringLiteral("90"), true, true);
        checkCounters(true);
        RETURN_IF_FAILED();
        closeResult();
        noMessages();
    }

    void unansweredCountAsWrongAndCountersGoBelowZero()
    {
        bank->exec(QStringLiteral("UPDATE subject SET errorTimes = 0"));
        startProgram();
        openMockExam([](QComboBox*) {});
        RETURN_IF_FAILED();
        // 20 wrong, 20 left unanswered (the last one among them), 60 right.
        answerPaper(100, [](int q) {
            return q % 5 == 0 ? Answer::None : q % 5 == 1 ? Answer::Wrong : Answer::Right;
        });
        RETURN_IF_FAILED();
        QCOMPARE(bank->scalar(QStringLiteral("SELECT count(*) FROM note WHERE optionid = 0 AND "
                                             "isright = 0"))
                     .toInt(),
                 20);
        handIn();
        RETURN_IF_FAILED();
        checkResult(QStringLiteral("60"), false, true);
        checkCounters(true);
        RETURN_IF_FAILED();
        QCOMPARE(bank->scalar(QStringLiteral("SELECT count(*) FROM subject WHERE errorTimes = -1"))
                     .toInt(),
                 60);
        QCOMPARE(bank->scalar(QStringLiteral("SELECT count(*) FROM subject WHERE errorTimes = 1"))
                     .toInt(),
                 40);
        closeResult();
        noMessages();
    }

    void studySetStopsOnWrongAnswersAndKeepsCounters()
    {
        startProgram();
        auto* study = app::main->findChild<QLabel*>(QStringLiteral("Image9"));
        QVERIFY(study);
        QTest::mouseClick(study, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(app::xtxx->isVisible());
        keypad(app::xtxx, Qt::Key_Enter);
        QVERIFY2(app::mnks && app::mnks->isVisible(), qPrintable(boxes->texts().join(u'|')));
        QVERIFY(!app::xtxx->isVisible());
        Tmnks* exam = app::mnks;
        QCOMPARE(exam->lb_kscx()->text(), QStringLiteral("试卷编号：第1套"));
        auto* answerBox = exam->findChild<QGroupBox*>(QStringLiteral("GroupBox7"));
        QVERIFY(answerBox);

        // Every third question stays wrong (moved past with +), the one after each is corrected.
        std::set<int> seen;
        int right = 0;
        for (int q = 1; q <= 10; ++q) {
            const Shown shown = shownQuestion(exam);
            QCOMPARE(shown.number, q);
            seen.insert(shown.subId);
            const QString sign = labelText(exam, "LB_da");
            QVERIFY(keyOf(sign) != Qt::Key_unknown);
            if (q % 3 == 0 || q % 3 == 1) {
                keypad(exam, keyOf(wrongSign(sign)));
                QCOMPARE(shownQuestion(exam).number, q);
                QCOMPARE(shownQuestion(exam).subId, shown.subId);
                QVERIFY(answerBox->isVisible());
                QCOMPARE(labelText(exam, "LB_da"), sign);
                QCOMPARE(labelText(exam, "LB_info"), QStringLiteral("解析%1").arg(shown.subId));
            }
            if (q % 3 == 0) {
                keypad(exam, Qt::Key_Plus);
            } else {
                keypad(exam, keyOf(sign));
                ++right;
            }
            QCOMPARE(shownQuestion(exam).number, q < 10 ? q + 1 : q);
            QVERIFY(!answerBox->isVisible());
        }
        std::set<int> set1;
        for (int n = 1; n <= 6; ++n) {
            if (n <= 4)
                set1.insert(subIdOf(1, 1, n));
            set1.insert(subIdOf(1, 2, n));
        }
        QVERIFY(seen == set1);
        QCOMPARE(bank->scalar(QStringLiteral("SELECT sum(isright) FROM note")).toInt(), right);

        handIn();
        RETURN_IF_FAILED();
        checkResult(QString::number(right), false, false);
        checkCounters(false);
        RETURN_IF_FAILED();
        closeResult();
        noMessages();
    }

    void timeOutIsScoredOnce()
    {
        bank->writeFile(QStringLiteral("system.ini"), "[exam]\r\nalltime=3\r\nmark=90\r\n");
        startProgram();
        openMockExam([](QComboBox*) {});
        RETURN_IF_FAILED();
        QPointer<Tmnks> exam = app::mnks;
        auto* clock = exam->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(clock);
        clock->stop();
        QCOMPARE(labelText(exam, "atime"), QStringLiteral("0:03"));

        // Ten answered right, the rest only passed by.
        answerPaper(100, [](int q) { return q <= 10 ? Answer::Right : Answer::None; });
        RETURN_IF_FAILED();

        // A confirmation still open when the time runs out.
        keypad(exam, Qt::Key_Slash);
        QPointer<Tksqr> confirmation = app::ksqr;
        QVERIFY(confirmation && confirmation->isVisible());

        exam->Timer1Timer();
        exam->Timer1Timer();
        QCOMPARE(labelText(exam, "atime"), QStringLiteral("0:01"));
        noMessages();
        RETURN_IF_FAILED();
        QVERIFY(!app::xxts);

        // Ticks go on arriving while "时间到！" is up.
        boxes->whileUp([exam, ticked = false]() mutable {
            if (exam && !ticked) {
                ticked = true;
                exam->Timer1Timer();
                exam->Timer1Timer();
            }
        });
        exam->Timer1Timer();
        QCOMPARE(boxes->texts(), QStringList{QStringLiteral("时间到！")});
        boxes->whileUp(nullptr);
        QVERIFY(app::xxts && app::xxts->isVisible());
        QCOMPARE(resultWindows(), 1);
        QVERIFY(exam && !exam->isVisible());
        QCOMPARE(labelText(exam, "atime"), QStringLiteral("0:00"));
        checkResult(QStringLiteral("10"), false, true);
        checkCounters(true);
        RETURN_IF_FAILED();

        // Later ticks and a late hand-in change nothing.
        const std::map<int, int> scored = counters();
        for (int i = 0; i < 5; ++i)
            exam->Timer1Timer();
        if (confirmation && confirmation->isVisible())
            keypad(confirmation, Qt::Key_0);
        QCOMPARE(boxes->count(), 1);
        boxes->clear();
        QCOMPARE(resultWindows(), 1);
        QVERIFY(counters() == scored);
        QCOMPARE(labelText(app::xxts, "lbksfs"), QStringLiteral("10"));
        closeResult();
    }
};

VELMOOR_TEST_MAIN(MockExamE2eTest)
#include "mockexam_e2e_test.moc"

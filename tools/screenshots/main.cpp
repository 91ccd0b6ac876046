// Grabs the main menu, the examination window, the hand-in confirmation, the result window, the
// wrong-answer review, the category chooser, two study-set questions with long texts (a wrong
// answer with its explanation, long options), practice by category, the wrong-question drill,
// search and the learner's record on a given program folder (a bank in data.db, its pictures in
// upload/) and saves each as PNG. Each picture is taken from the screen, frame and all, so run it
// on a display with a window manager (scripts/screenshots.sh does).
#include "app/shared.h"
#include "app/startup.h"
#include "core/history.h"
#include "data/connection.h"
#include "data/programfolder.h"
#include "exam/practicepaper.h"
#include "exam/tflxl.h"
#include "exam/tksqr.h"
#include "exam/tmnks.h"
#include "exam/txtxx.h"
#include "exam/txxts.h"
#include "menu/tmain.h"
#include "platform/application.h"
#include "platform/navigation.h"
#include "review/tckct.h"
#include "review/tksjl.h"
#include "review/tlxxc.h"
#include "review/tsstm.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <map>
#include <random>

namespace {

// The window as the learner sees it: its part of the screen, frame included, once the window
// manager has framed it and it has painted.
bool save(QWidget* w, const QString& path)
{
    if (!QTest::qWaitForWindowExposed(w))
        std::fprintf(stderr, "%s was not shown\n", qPrintable(path));
    QTest::qWait(400);
    const QRect outer = w->frameGeometry();
    const QPixmap shot =
        w->screen()->grabWindow(0, outer.x(), outer.y(), outer.width(), outer.height());
    if (!shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void keypad(QWidget* w, Qt::Key key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(w, key, Qt::KeypadModifier);
}

// 40 true/false questions, pictures first, then 60 multiple-choice ones: a paper as the
// instructions window would draw it, without the chance.
void makePaper(const QString& folder)
{
    data::Connection db(folder + QStringLiteral("data.db"));
    db.exec(QStringLiteral(
        "DELETE FROM note;"
        "INSERT INTO note (subid) SELECT subid FROM subject WHERE typeId = 1 ORDER BY "
        "(subpic IS NULL OR subpic = 'NULL'), subid LIMIT 40;"
        "INSERT INTO note (subid) SELECT subid FROM subject WHERE typeId = 2 ORDER BY subid "
        "LIMIT 60;"));
    QFile ini(folder + QStringLiteral("system.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[system]\r\nalltime=5400\r\nmark=90\r\n");
}

// Eight earlier C1 mock examinations of a learner who improves, so that the result window and
// the record have a history to show.
void seedHistory(const QString& folder)
{
    data::Connection db(folder + QStringLiteral("data.db"));
    core::ensureHistoryTables(db);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const QDateTime first = QDateTime::currentDateTime().addDays(-9);
    for (int n = 0; n < 8; ++n) {
        core::PaperRecord p;
        p.startedAt = first.addDays(n).addSecs(-3 * 3600);
        p.handedInAt = p.startedAt.addSecs(2400 - 60 * n);
        p.mode = core::kMockMode;
        p.classCode = QStringLiteral("C1");
        p.passMark = 90;
        p.secondsUsed = 2400 - 60 * n;
        p.firstNoteId = -1 - n;
        data::Statement questions(
            db, QStringLiteral("SELECT s.subid, s.sortid, (SELECT optid FROM options o WHERE "
                               "o.subid = s.subid AND o.iskey = 1), (SELECT optid FROM options o "
                               "WHERE o.subid = s.subid AND o.iskey <> 1) FROM sort c JOIN "
                               "subject s ON s.sortid = c.sortID WHERE c.scale0 > 0 AND "
                               "s.subid % 3 = ? ORDER BY s.sortid, s.subid"));
        questions.bind(1, n % 3);
        std::map<qint64, int> taken;
        while (questions.step()) {
            const qint64 sortId = questions.column(1).toLongLong();
            if (++taken[sortId] > 20)
                continue;
            // Signals are the weak spot; everything gets better with practice.
            const double p0 = (sortId == 2 ? 0.68 : 0.78) + 0.025 * n;
            const bool right = chance(rng) < p0;
            p.answers.push_back({int(p.answers.size()) + 1, questions.column(0).toLongLong(),
                                 questions.column(right ? 2 : 3).toLongLong(), right});
            p.rightCount += right ? 1 : 0;
        }
        p.score = p.rightCount * 100 / std::max<int>(int(p.answers.size()), 1);
        p.passed = p.score >= p.passMark;
        core::recordPaper(db, p);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    app::Application application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: velmoor-screenshots PROGRAM-FOLDER OUTPUT-FOLDER\n");
        return 2;
    }
    const QString folder = QDir(args.at(1)).absolutePath() + u'/';
    const QString out = QDir(args.at(2)).absolutePath() + u'/';
    QDir().mkpath(out);
    data::setProgramFolder(folder);
    makePaper(folder);
    seedHistory(folder);

    app::startUp();
    app::main->show();
    bool ok = save(app::main, out + QStringLiteral("main.png"));

    app::mnks = new Tmnks;
    Tmnks* exam = app::mnks;
    exam->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    exam->lb_kscx()->setText(QStringLiteral("考试车型：C1"));
    exam->setTag(2);
    exam->show();
    // A few answers in the grid, then back to question 1, with a few minutes gone.
    for (Qt::Key key : {Qt::Key_4, Qt::Key_6, Qt::Key_4, Qt::Key_4, Qt::Key_6, Qt::Key_7})
        QTest::keyClick(exam, key, Qt::KeypadModifier);
    for (int i = 0; i < 187; ++i)
        exam->Timer1Timer();
    ok = save(exam, out + QStringLiteral("exam.png")) && ok;

    exam->findChild<QPushButton*>(QStringLiteral("bt_jj"))->click();
    ok = app::ksqr && save(app::ksqr, out + QStringLiteral("handin.png")) && ok;
    app::ksqr->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    ok = app::xxts && save(app::xxts, out + QStringLiteral("result.png")) && ok;
    app::xxts->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    ok = app::ckct && save(app::ckct, out + QStringLiteral("review.png")) && ok;

    app::ckct->close();

    app::lxxc = new Tlxxc;
    app::lxxc->show();
    ok = save(app::lxxc, out + QStringLiteral("browse.png")) && ok;
    app::lxxc->close();

    // Study set 1: fifteen true/false questions, then the long multiple-choice ones. A wrong
    // answer to question 16 shows the key and its long explanation; question 17 has long options.
    nav::showStudySets();
    app::xtxx->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    Tmnks* study = app::mnks;
    ok = study && ok;
    if (study) {
        study->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        keypad(study, Qt::Key_Plus, 15);
        keypad(study, Qt::Key_1);
        ok = save(study, out + QStringLiteral("study.png")) && ok;
        keypad(study, Qt::Key_Plus);
        ok = save(study, out + QStringLiteral("options.png")) && ok;
        study->close();
    }

    // The examination's misses are due in the drill now; practice by category lists the weakest.
    auto* categories = new Tflxl;
    categories->show();
    ok = save(categories, out + QStringLiteral("categories.png")) && ok;
    categories->close();
    ok = exam::startDrill(app::main) && ok;
    if (app::mnks) {
        app::mnks->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        QTest::keyClick(app::mnks, Qt::Key_6, Qt::KeypadModifier); // a wrong answer stops
        ok = save(app::mnks, out + QStringLiteral("drill.png")) && ok;
        app::mnks->close();
    }
    auto* search = new Tsstm;
    search->show();
    search->findChild<QLineEdit*>(QStringLiteral("ed_ss"))->setText(QStringLiteral("安全带"));
    ok = save(search, out + QStringLiteral("search.png")) && ok;
    search->close();
    nav::openRecord();
    ok = app::ksjl && save(app::ksjl, out + QStringLiteral("record.png")) && ok;

    app::shutDown();
    return ok ? 0 : 1;
}

// The program's side of the idle benchmark (bench/idle.sh): one of its screens left alone for a
// while, then the CPU time (user + system, milliseconds) it used, counted from one second after
// the start so that the first paint is not in it, on stdout. bare_peer has the
// same modes with plain Qt widgets.
//
//   idle_program menu SECONDS FOLDER    the main menu on the program folder FOLDER (its data.db)
//   idle_program clock SECONDS          the examination window of a mock examination, its clock
//                                       running, on a question without a picture
//   idle_program movie SECONDS GIF      the picture control playing GIF in the examination
//                                       window's question box

#include "app/shared.h"
#include "app/startup.h"
#include "data/programfolder.h"
#include "exam/tmnks.h"
#include "idlefor.h"
#include "menu/tmain.h"
#include "pictures/picture.h"
#include "platform/application.h"
#include "platform/navigation.h"
#include "platform/picturebox.h"
#include "support/testbank.h"

#include <QGroupBox>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    int rc = 2;
    if (mode == u"menu" && argc > 3) {
        data::setProgramFolder(QString::fromLocal8Bit(argv[3]) + u'/');
        app::startUp();
        app::main->show();
        rc = bench::idleFor(argv[2]);
        app::shutDown();
    } else if (mode == u"clock") {
        testing::TestBank bank;
        bank.addGeneratedQuestions(2000);
        bank.exec(QStringLiteral("INSERT INTO note (subid) SELECT subid FROM subject LIMIT 100"));
        app::startUp();
        nav::openExam(2, QString());
        rc = bench::idleFor(argv[2]);
        app::shutDown();
    } else if (mode == u"movie" && argc > 3) {
        auto window = std::make_unique<QWidget>();
        window->resize(796, 580);
        auto* box = new QGroupBox(QStringLiteral("考试题目："), window.get());
        box->setGeometry(157, 8, 630, 297);
        auto* pic = new app::PictureBox(box);
        pic->setGeometry(400, 104, 225, 137);
        pic->setPicture(pictures::loadPictureFile(QString::fromLocal8Bit(argv[3])));
        window->show();
        rc = bench::idleFor(argv[2]);
    } else {
        std::fprintf(
            stderr,
            "usage: idle_program menu SECONDS FOLDER | clock SECONDS | movie SECONDS GIF\n");
    }
    return rc;
}

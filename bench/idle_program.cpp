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
#include "menu/tmain.h"
#include "pictures/picture.h"
#include "platform/application.h"
#include "platform/navigation.h"
#include "platform/picturebox.h"
#include "support/testbank.h"

#include <QGroupBox>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Measures from one second after the start, once the first paint is done, for SECONDS.
int idleFor(const char* seconds)
{
    double before = 0;
    QTimer::singleShot(1000, qApp, [&before] { before = cpuMs(); });
    QTimer::singleShot(1000 + int(std::atof(seconds) * 1000), qApp, &QCoreApplication::quit);
    app::Application::exec();
    std::printf("%.1f\n", cpuMs() - before);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    int rc = 2;
    if (mode == u"menu" && argc > 3) {
        data::setProgramFolder(QString::fromLocal8Bit(argv[3]) + u'/');
        app::startUp();
        app::main->show();
        rc = idleFor(argv[2]);
        app::shutDown();
    } else if (mode == u"clock") {
        testing::TestBank bank;
        bank.addGeneratedQuestions(2000);
        bank.exec(QStringLiteral("INSERT INTO note (subid) SELECT subid FROM subject LIMIT 100"));
        app::startUp();
        nav::openExam(2, QString());
        rc = idleFor(argv[2]);
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
        rc = idleFor(argv[2]);
    } else {
        std::fprintf(
            stderr,
            "usage: idle_program menu SECONDS FOLDER | clock SECONDS | movie SECONDS GIF\n");
    }
    return rc;
}

// The yardstick for the whole-process benchmarks: a bare Qt Widgets program doing the least that
// the learner's view needs, with no data, artwork or logic of its own.
//
//   bare_peer startup         six windows (the program's start-up set, one with a combo box, so
//                             seven top-level widgets), the 786 x 576 menu shown; quits once that
//                             is painted and idle, as the program does with VELMOOR_QUIT_WHEN_IDLE
//   bare_peer startup-chinese the same, the menu also showing the main menu's Chinese texts in the
//                             faces and sizes the program uses: what Chinese text alone costs
//   bare_peer menu SECONDS    the shown menu window, idle for SECONDS
//   bare_peer clock SECONDS   a window whose label counts down once a second, for SECONDS
//   bare_peer movie SECONDS GIF
//                             a GIF playing in a QLabel through QMovie, inside a group box
//
// The idle modes print the CPU time (user + system, milliseconds) used over SECONDS, counted from
// one second after the start, on stdout.

#include "idlefor.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMovie>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Quits once the window has been painted and the work queued by then is done.
class QuitAfterFirstPaint final : public QObject
{
public:
    explicit QuitAfterFirstPaint(QWidget* window) : QObject(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp,
                               [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
        }
        return false;
    }
};

std::unique_ptr<QWidget> window(const QString& title, QSize size)
{
    auto w = std::make_unique<QWidget>();
    w->setWindowTitle(title);
    w->resize(size);
    return w;
}

// The main menu's texts as the program shows them: links in a bold Song face, 13 px, and the
// status line, 12 px.
void chineseTexts(QWidget* menu)
{
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferNoShaping);
    const struct
    {
        const char* text;
        QRect box;
        int pixels;
    } texts[] = {
        {"1 错题练习（今日0题）", {456, 10, 150, 18}, 13},
        {"2 分类练习", {616, 10, 80, 18}, 13},
        {"3 搜索试题", {700, 10, 80, 18}, 13},
        {"考试记录（小键盘 /）", {616, 34, 160, 20}, 13},
        {"Velmoor 驾驶理论考试练习系统    小键盘 * 键进入模拟考试    安全驾驶、文明出行",
         {21, 557, 788, 13},
         12},
    };
    for (const auto& t : texts) {
        auto* label = new QLabel(QString::fromUtf8(t.text), menu);
        font.setPixelSize(t.pixels);
        label->setFont(font);
        label->setGeometry(t.box);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("startup");

    if (mode == u"startup" || mode == u"startup-chinese" || mode == u"menu") {
        std::vector<std::unique_ptr<QWidget>> windows;
        windows.push_back(window(QStringLiteral("Velmoor"), QSize(786, 576)));
        for (int i = 0; i < 5; ++i)
            windows.push_back(window(QStringLiteral("page %1").arg(i), QSize(640, 480)));
        auto* classes = new QComboBox(windows.back().get());
        classes->addItems({QStringLiteral("C1"), QStringLiteral("A2")});
        classes->view(); // its popup is a top-level widget of its own, as in the program
        new QLabel(QStringLiteral("Velmoor"), windows.front().get());
        if (mode == u"startup-chinese")
            chineseTexts(windows.front().get());
        if (mode != u"menu") {
            new QuitAfterFirstPaint(windows.front().get());
            windows.front()->show();
            return QApplication::exec();
        }
        windows.front()->show();
        return argc > 2 ? bench::idleFor(argv[2]) : 2;
    }
    if (mode == u"clock" && argc > 2) {
        auto w = window(QStringLiteral("clock"), QSize(796, 580));
        auto* time = new QLabel(QStringLiteral("45:00"), w.get());
        time->setGeometry(40, 327, 49, 13);
        int left = 2700;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, time, [&] {
            --left;
            time->setText(
                QStringLiteral("%1:%2").arg(left / 60).arg(left % 60, 2, 10, QLatin1Char('0')));
        });
        tick.start(1000);
        w->show();
        return bench::idleFor(argv[2]);
    }
    if (mode == u"movie" && argc > 3) {
        auto w = window(QStringLiteral("movie"), QSize(796, 580));
        auto* box = new QGroupBox(QStringLiteral("考试题目："), w.get());
        box->setGeometry(157, 8, 630, 297);
        auto* label = new QLabel(box);
        label->setGeometry(400, 104, 225, 137);
        label->setAlignment(Qt::AlignCenter);
        QMovie movie(QString::fromLocal8Bit(argv[3]));
        label->setMovie(&movie);
        movie.start();
        w->show();
        return bench::idleFor(argv[2]);
    }
    std::fprintf(stderr,
                 "usage: bare_peer startup | menu SECONDS | clock SECONDS | movie SECONDS GIF\n");
    return 2;
}

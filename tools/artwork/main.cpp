// Draws every picture of the program's windows and writes them as JPEG into one folder.
// Usage: velmoor-artwork <output folder>

#include "art.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSize>

#include <cstdio>
#include <functional>

namespace {

struct Picture
{
    const char* file;
    QSize size;
    std::function<QImage()> draw;
};

QList<Picture> pictures()
{
    using art::Icon;
    auto btn = [](Icon icon, const char* zh, const char* en) {
        return [=] { return art::button(icon, QString::fromUtf8(zh), QString::fromUtf8(en)); };
    };
    const QSize buttonSize(220, 46);
    return {
        {"main_banner.jpg", {800, 90}, art::mainBanner},
        {"main_picture.jpg", {580, 460}, art::mainPicture},
        {"btn_study.jpg", buttonSize, btn(Icon::Study, "试题学习", "Study Questions")},
        {"btn_exam.jpg", buttonSize, btn(Icon::Exam, "模拟考试", "Exams")},
        {"btn_errors.jpg", buttonSize, btn(Icon::Errors, "易错试题", "Error-prone Questions")},
        {"btn_browse.jpg", buttonSize, btn(Icon::Browse, "浏览题库", "View item bank")},
        {"btn_skills.jpg", buttonSize, btn(Icon::Skills, "学车技巧", "Study Skills car")},
        {"btn_signs.jpg", buttonSize, btn(Icon::Signs, "交通标志", "Traffic signs")},
        {"btn_school.jpg", buttonSize, btn(Icon::School, "驾校介绍", "My alma mater")},
        {"btn_exit.jpg", buttonSize, btn(Icon::Exit, "结束练习", "End of the exercise")},
        {"exam_banner.jpg", {800, 153}, art::examBanner},
        {"study_banner.jpg", {800, 153}, art::studyBanner},
        {"examinee.jpg", {121, 121}, art::examinee},
        {"viewer_header.jpg", {794, 84}, art::viewerHeader},
        {"xccx_icon.jpg", {32, 32}, art::vehicleClassIcon},
    };
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs fonts but no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2) {
        std::fprintf(stderr, "usage: velmoor-artwork <output folder>\n");
        return 2;
    }
    if (!art::fontAvailable()) {
        // Another typeface would draw the Chinese lines as empty boxes.
        std::fprintf(stderr, "velmoor-artwork: font \"WenQuanYi Micro Hei\" is missing "
                             "(install fonts-wqy-microhei)\n");
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "velmoor-artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    int failures = 0;
    for (const Picture& pic : pictures()) {
        const QImage img = pic.draw();
        const QString path = out.filePath(QString::fromLatin1(pic.file));
        if (img.size() != pic.size) {
            std::fprintf(stderr, "velmoor-artwork: %s drawn at the wrong size\n", pic.file);
            ++failures;
            continue;
        }
        QImageWriter writer(path, "jpeg");
        writer.setQuality(90);
        writer.setOptimizedWrite(true);
        if (!writer.write(img)) {
            std::fprintf(stderr, "velmoor-artwork: %s: %s\n", qPrintable(path),
                         qPrintable(writer.errorString()));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return failures == 0 ? 0 : 1;
}

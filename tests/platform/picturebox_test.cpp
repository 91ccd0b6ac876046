#include "fixtures.h"
#include "platform/artwork.h"
#include "platform/picturebox.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using app::PictureBox;

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);
const QRgb blue = qRgb(0, 0, 255);
const QRgb white = qRgb(255, 255, 255);

// A still picture of one colour with a marked pixel.
pictures::Picture still(QSize size, QRgb fill, QPoint mark = {-1, -1}, QRgb markColour = 0)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    if (image.rect().contains(mark))
        image.setPixel(mark, markColour);
    pictures::Picture p;
    p.frames.append({image, 0});
    p.loopCount = 1;
    return p;
}

pictures::Picture animation(int frames, int loopCount, int delayMs = 200)
{
    pictures::Picture p;
    const QRgb colours[] = {red, green, blue};
    for (int i = 0; i < frames; ++i)
        p.frames.append(still(QSize(4, 4), colours[i % 3]).frames[0]);
    p.frames[0].delayMs = delayMs;
    p.loopCount = loopCount;
    return p;
}

QRgb shown(PictureBox& box, QPoint at)
{
    return box.grab().toImage().pixel(at);
}

} // namespace

class PictureBoxTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QTimer* timer(PictureBox& box)
    {
        return box.findChild<QTimer*>(QStringLiteral("animationTimer"));
    }

    void write(const QString& relative, const QByteArray& bytes)
    {
        QDir().mkpath(dir_.filePath(QStringLiteral("upload")));
        QFile file(dir_.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void centresASmallPicture()
    {
        PictureBox box;
        box.resize(225, 137);
        box.setPicture(still(QSize(100, 50), green, {0, 0}, red));
        QCOMPARE(box.size(), QSize(225, 137)); // not scaled, the box keeps its size
        QCOMPARE(shown(box, {62, 43}), red);
        QCOMPARE(shown(box, {63, 44}), green);
        QCOMPARE(shown(box, {161, 92}), green);
        QVERIFY(shown(box, {162, 93}) != green);
        QVERIFY(shown(box, {61, 42}) != green);
    }

    void showsTheMiddleOfALargePicture()
    {
        PictureBox box;
        box.resize(225, 137);
        box.setPicture(still(QSize(300, 200), green, {37, 31}, red));
        QCOMPARE(box.size(), QSize(225, 137));
        QCOMPARE(shown(box, {0, 0}), red);
        QCOMPARE(shown(box, {224, 136}), green);
    }

    void growsWithItsPanel()
    {
        QWidget window;
        auto* panel = new QWidget(&window);
        panel->setGeometry(5, 303, 226, 74);
        auto* box = new PictureBox(panel);
        box->setGeometry(2, 3, 10, 10);
        box->setFit(PictureBox::Fit::Grow);
        QCOMPARE(box->fit(), PictureBox::Fit::Grow);
        box->setPicture(still(QSize(300, 100), green, {0, 0}, red));
        QCOMPARE(box->geometry(), QRect(2, 3, 300, 100));
        QCOMPARE(panel->geometry(), QRect(5, 303, 226 + 290, 74 + 90));
        QCOMPARE(shown(*box, {0, 0}), red);
        box->setPicture(still(QSize(50, 20), green));
        QCOMPARE(box->geometry(), QRect(2, 3, 50, 20));
        QCOMPARE(panel->geometry(), QRect(5, 303, 226 - 250 + 290, 74 + 10));
    }

    void showsWhiteThroughTransparentPixels()
    {
        const QByteArray gif = fixtures::writeGif(
            QSize(2, 1), {red, green}, {fixtures::solidFrame(QRect(0, 0, 1, 1), 0, 10, 0, 1)});
        PictureBox box;
        box.resize(2, 1);
        box.setPicture(pictures::decodeGif(gif));
        QCOMPARE(shown(box, {0, 0}), red);
        QCOMPARE(shown(box, {1, 0}), white);
    }

    void playsAnAnimationForEver()
    {
        PictureBox box;
        box.setPicture(animation(3, 0));
        QVERIFY(!box.isAnimating()); // nothing runs for a hidden box
        box.show();
        QVERIFY(box.isAnimating());
        QCOMPARE(box.currentFrame(), 0);
        QCOMPARE(timer(box)->interval(), 200);
        box.advanceFrame();
        QCOMPARE(box.currentFrame(), 1);
        QCOMPARE(timer(box)->interval(), 100); // a stored delay of 0 plays at 10 frames a second
        QCOMPARE(shown(box, {0, 0}), green);
        box.advanceFrame();
        box.advanceFrame();
        QCOMPARE(box.currentFrame(), 0);
        QVERIFY(box.isAnimating());
        box.hide();
        QVERIFY(!box.isAnimating());
        box.show();
        QVERIFY(box.isAnimating());
        QCOMPARE(box.currentFrame(), 0);
    }

    void pausesWhileItsWindowIsHidden()
    {
        QWidget window;
        auto* box = new PictureBox(&window);
        box->setPicture(animation(3, 0));
        QVERIFY(!box->isAnimating());
        window.show();
        QVERIFY(box->isAnimating());
        window.hide();
        QVERIFY(!box->isAnimating());
        window.show();
        QVERIFY(box->isAnimating());
    }

    void advancesOnTheTimer()
    {
        PictureBox box;
        box.setPicture(animation(2, 0, 20));
        box.show();
        QTRY_COMPARE(box.currentFrame(), 1);
    }

    void stopsAfterTheStoredLoops_data()
    {
        QTest::addColumn<int>("loopCount");
        QTest::newRow("once") << 1;
        QTest::newRow("three times") << 3;
    }

    void stopsAfterTheStoredLoops()
    {
        QFETCH(int, loopCount);
        PictureBox box;
        box.setPicture(animation(3, loopCount));
        box.show();
        for (int i = 0; i < 3 * loopCount - 1; ++i) {
            QVERIFY(box.isAnimating());
            box.advanceFrame();
        }
        QCOMPARE(box.currentFrame(), 2);
        QVERIFY(box.isAnimating()); // the last frame stays for its delay
        box.advanceFrame();
        QCOMPARE(box.currentFrame(), 2);
        QVERIFY(!box.isAnimating());
        box.advanceFrame();
        QCOMPARE(box.currentFrame(), 2);
    }

    void stopsWhenThePictureIsReplaced()
    {
        PictureBox box;
        box.show();
        box.setPicture(animation(3, 0));
        box.advanceFrame();
        QVERIFY(box.isAnimating());
        box.setPicture(still(QSize(4, 4), blue));
        QVERIFY(!box.isAnimating());
        QCOMPARE(box.currentFrame(), 0);
        box.setPicture(animation(3, 0));
        QCOMPARE(box.currentFrame(), 0);
        QVERIFY(box.isAnimating());
        box.clearPicture();
        QVERIFY(!box.isAnimating());
        QVERIFY(box.picture().isNull());
    }

    void showsAStoredPicture()
    {
        write(QStringLiteral("upload/Q1.JPG"), fixtures::photoJpeg(QSize(30, 20)));
        QWidget window;
        auto* box = new PictureBox(&window);
        window.show();
        QStringList reports;
        const auto report = [&reports](const QString& text) { reports.append(text); };
        const QString folder = dir_.path() + QLatin1Char('/');

        QVERIFY(app::showStoredPicture(box, QStringLiteral("q1.jpg"), folder, report));
        QVERIFY(box->isVisible());
        QCOMPARE(box->picture().size(), QSize(30, 20));

        QVERIFY(app::showStoredPicture(box, QStringLiteral("NULL"), folder, report));
        QVERIFY(!box->isVisible());
        QCOMPARE(box->picture().size(), QSize(30, 20)); // hiding does not unload

        QVERIFY(app::showStoredPicture(box, QStringLiteral("Q1.JPG"), folder, report));
        QVERIFY(app::showStoredPicture(box, QVariant(), folder, report));
        QVERIFY(!box->isVisible());
        QVERIFY(reports.isEmpty());
    }

    void hidesThePictureOnAnError()
    {
        QWidget window;
        auto* box = new PictureBox(&window);
        window.show();
        QStringList reports;
        const auto report = [&reports](const QString& text) { reports.append(text); };
        const QString folder = dir_.path() + QLatin1Char('/');
        box->setPicture(animation(3, 0));
        box->show();

        QVERIFY(!app::showStoredPicture(box, QStringLiteral("gone.jpg"), folder, report));
        QVERIFY(!box->isVisible());
        QVERIFY(box->picture().isNull());
        QVERIFY(!box->isAnimating());
        QCOMPARE(reports, QStringList{QStringLiteral(
                                          "Cannot open file \"%1upload/gone.jpg\". No such file or "
                                          "directory")
                                          .arg(folder)});

        write(QStringLiteral("upload/a.png"), QByteArray("x"));
        QVERIFY(!app::showStoredPicture(box, QStringLiteral("a.png"), folder, report));
        QCOMPARE(reports.last(), QStringLiteral("未知的图象文件扩展名 (.png)"));
    }

    void decodesArtwork()
    {
        write(QStringLiteral("banner.jpg"), fixtures::photoJpeg(QSize(64, 32)));
        const QPixmap pixmap = app::artwork(dir_.filePath(QStringLiteral("banner.jpg")));
        QCOMPARE(pixmap.size(), QSize(64, 32));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^artwork :/none.jpg")));
        QVERIFY(app::artwork(QStringLiteral(":/none.jpg")).isNull());
    }
};

QTEST_MAIN(PictureBoxTest)
#include "picturebox_test.moc"

#include "fixtures.h"
#include "pictures/picture.h"

#include <QCoreApplication>
#include <QTest>

using fixtures::GifFrame;
using fixtures::solidFrame;
using fixtures::writeGif;
using pictures::decodeGif;

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);
const QRgb blue = qRgb(0, 0, 255);
const QRgb black = qRgb(0, 0, 0);
const QRgb clear = 0;
const QList<QRgb> colours{red, green, blue, black};

enum { Red, Green, Blue, Black };

QString errorOf(const QByteArray& bytes, const pictures::Limits& limits = {})
{
    try {
        decodeGif(bytes, limits);
    } catch (const base::Error& e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

} // namespace

class GifDecoderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // GIF never goes through Qt's image plugins: without them it still decodes.
        QCoreApplication::setLibraryPaths({});
    }

    void decodesAStillPicture()
    {
        GifFrame f;
        f.rect = QRect(0, 0, 2, 2);
        f.pixels = {Red, Green, Blue, Black};
        const pictures::Picture p = decodeGif(writeGif(QSize(2, 2), colours, {f}));
        QCOMPARE(p.frames.size(), 1);
        QVERIFY(!p.isAnimated());
        QCOMPARE(p.loopCount, 1);
        QCOMPARE(p.frames[0].delayMs, 0);
        const QImage& image = p.frames[0].image;
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        QCOMPARE(image.pixel(0, 0), red);
        QCOMPARE(image.pixel(1, 0), green);
        QCOMPARE(image.pixel(0, 1), blue);
        QCOMPARE(image.pixel(1, 1), black);
    }

    void keepsTheDelays()
    {
        const QRect all(0, 0, 4, 4);
        const pictures::Picture p =
            decodeGif(writeGif(QSize(4, 4), colours,
                               {solidFrame(all, Red, 25), solidFrame(all, Green, 0),
                                solidFrame(all, Blue, 1), solidFrame(all, Black, 11)}));
        QCOMPARE(p.frames.size(), 4);
        QVERIFY(p.isAnimated());
        QCOMPARE(p.frames[0].delayMs, 250);
        QCOMPARE(p.frames[1].delayMs, 0);
        QCOMPARE(p.frames[2].delayMs, 10);
        QCOMPARE(p.frames[3].delayMs, 110);
        // Browsers play 0 and 1 hundredth at ten frames a second.
        QCOMPARE(pictures::playbackDelayMs(p.frames[0]), 250);
        QCOMPARE(pictures::playbackDelayMs(p.frames[1]), 100);
        QCOMPARE(pictures::playbackDelayMs(p.frames[2]), 100);
        QCOMPARE(pictures::playbackDelayMs(p.frames[3]), 110);
        QCOMPARE(p.frames[1].image.pixel(2, 2), green);
    }

    void readsTheLoopCount_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("plays");
        QTest::newRow("no NETSCAPE2.0: once") << -1 << 1;
        QTest::newRow("0: for ever") << 0 << 0;
        QTest::newRow("1 repeat: twice") << 1 << 2;
        QTest::newRow("5 repeats") << 5 << 6;
    }

    void readsTheLoopCount()
    {
        QFETCH(int, stored);
        QFETCH(int, plays);
        const QRect all(0, 0, 2, 2);
        const pictures::Picture p = decodeGif(
            writeGif(QSize(2, 2), colours, {solidFrame(all, Red), solidFrame(all, Blue)}, stored));
        QCOMPARE(p.loopCount, plays);
    }

    void leavesTransparentPixelsClear()
    {
        GifFrame first;
        first.rect = QRect(0, 0, 2, 1);
        first.pixels = {Red, Black};
        first.delayCs = 10;
        first.transparent = Black;
        GifFrame second = first;
        second.pixels = {Black, Green};
        const pictures::Picture p = decodeGif(writeGif(QSize(2, 1), colours, {first, second}));
        QCOMPARE(p.frames[0].image.pixel(0, 0), red);
        QCOMPARE(p.frames[0].image.pixel(1, 0), clear);
        // A transparent pixel of a later frame keeps what lay beneath.
        QCOMPARE(p.frames[1].image.pixel(0, 0), red);
        QCOMPARE(p.frames[1].image.pixel(1, 0), green);
    }

    void disposes_data()
    {
        QTest::addColumn<int>("disposal");
        QTest::addColumn<QRgb>("underSecond"); // frame 3 at the place of frame 2
        // Frame 1 fills the screen red, frame 2 paints a green square, frame 3 a blue pixel
        // elsewhere.
        QTest::newRow("unspecified") << 0 << green;
        QTest::newRow("keep") << 1 << green;
        QTest::newRow("background") << 2 << clear;
        QTest::newRow("previous") << 3 << red;
    }

    void disposes()
    {
        QFETCH(int, disposal);
        QFETCH(QRgb, underSecond);
        const pictures::Picture p =
            decodeGif(writeGif(QSize(4, 4), colours,
                               {solidFrame(QRect(0, 0, 4, 4), Red, 10),
                                solidFrame(QRect(1, 1, 2, 2), Green, 10, disposal),
                                solidFrame(QRect(3, 3, 1, 1), Blue, 10)}));
        QCOMPARE(p.frames.size(), 3);
        QCOMPARE(p.frames[1].image.pixel(1, 1), green);
        QCOMPARE(p.frames[1].image.pixel(0, 0), red);
        QCOMPARE(p.frames[2].image.pixel(1, 1), underSecond);
        QCOMPARE(p.frames[2].image.pixel(2, 2), underSecond);
        QCOMPARE(p.frames[2].image.pixel(0, 0), red);
        QCOMPARE(p.frames[2].image.pixel(3, 3), blue);
        // Every frame is a picture of its own.
        QCOMPARE(p.frames[0].image.pixel(1, 1), red);
    }

    void restoresTheCanvasBeforeTheFrame()
    {
        // Disposal "previous" after a kept frame returns to that frame, not to the first.
        const pictures::Picture p = decodeGif(writeGif(QSize(3, 1), colours,
                                                       {solidFrame(QRect(0, 0, 3, 1), Red, 10),
                                                        solidFrame(QRect(0, 0, 1, 1), Green, 10, 1),
                                                        solidFrame(QRect(1, 0, 1, 1), Blue, 10, 3),
                                                        solidFrame(QRect(2, 0, 1, 1), Black, 10)}));
        QCOMPARE(p.frames[3].image.pixel(0, 0), green);
        QCOMPARE(p.frames[3].image.pixel(1, 0), red);
        QCOMPARE(p.frames[3].image.pixel(2, 0), black);
    }

    void usesTheLocalColourMap()
    {
        GifFrame f = solidFrame(QRect(0, 0, 2, 2), 1);
        f.localColours = {qRgb(1, 2, 3), qRgb(10, 20, 30)};
        GifFrame g = solidFrame(QRect(0, 0, 1, 1), 1);
        const pictures::Picture p = decodeGif(writeGif(QSize(2, 2), colours, {f, g}));
        QCOMPARE(p.frames[0].image.pixel(0, 0), qRgb(10, 20, 30));
        QCOMPARE(p.frames[1].image.pixel(0, 0), green);
        QCOMPARE(p.frames[1].image.pixel(1, 1), qRgb(10, 20, 30));
        // Without any colour map at all the pixels are black.
        QByteArray bytes = writeGif(QSize(1, 1), colours, {solidFrame(QRect(0, 0, 1, 1), 1)});
        const int tableBytes = 3 << ((bytes[10] & 7) + 1);
        bytes[10] = char(bytes[10] & 0x7f);
        bytes.remove(13, tableBytes);
        const pictures::Picture none = decodeGif(bytes);
        QCOMPARE(none.frames[0].image.pixel(0, 0), black);
    }

    void readsInterlacedRows()
    {
        GifFrame f;
        f.rect = QRect(0, 0, 1, 11);
        f.interlaced = true;
        for (int y = 0; y < 11; ++y)
            f.pixels.append(quint8(y % 4));
        const QImage image = decodeGif(writeGif(QSize(1, 11), colours, {f})).frames[0].image;
        for (int y = 0; y < 11; ++y)
            QCOMPARE(image.pixel(0, y), colours[y % 4]);
    }

    void clipsFramesToTheScreen()
    {
        const QImage image =
            decodeGif(writeGif(QSize(3, 3), colours, {solidFrame(QRect(2, 2, 5, 5), Blue)}))
                .frames[0]
                .image;
        QCOMPARE(image.size(), QSize(3, 3));
        QCOMPARE(image.pixel(2, 2), blue);
        QCOMPARE(image.pixel(1, 1), clear);
        // Without a logical screen the first frame gives the size.
        const QImage sized =
            decodeGif(writeGif(QSize(0, 0), colours, {solidFrame(QRect(1, 1, 2, 3), Red)}))
                .frames[0]
                .image;
        QCOMPARE(sized.size(), QSize(3, 4));
    }

    void givesTheFramesBeforeABreak()
    {
        // Enough noise for several data blocks, so that the cut leaves the first rows whole.
        const QRect all(0, 0, 100, 100);
        QList<GifFrame> frames{solidFrame(all, Red), solidFrame(all, Green)};
        frames[1].pixels[1] = Blue;
        for (int i = 200; i < 10000; ++i)
            frames[1].pixels[i] = quint8((unsigned(i) * 2654435761u) >> 30);
        const QByteArray whole = writeGif(all.size(), colours, frames);
        const pictures::Picture cut = decodeGif(whole.left(whole.size() - 30));
        QCOMPARE(cut.frames.size(), 2);
        QCOMPARE(cut.frames[0].image.pixel(0, 0), red);
        QCOMPARE(cut.frames[1].image.pixel(1, 0), blue);
        QVERIFY(errorOf(whole.left(10)).startsWith(QStringLiteral("GIF 图象无法解码：")));
        QVERIFY(errorOf(whole.left(30)).startsWith(QStringLiteral("GIF 图象无法解码：")));
    }

    void refusesBrokenFiles()
    {
        QVERIFY(errorOf(QByteArray()).startsWith(QStringLiteral("GIF 图象无法解码：")));
        QVERIFY(errorOf(QByteArray("\xff\xd8\xff\xe0 not a gif"))
                    .startsWith(QStringLiteral("GIF 图象无法解码：")));
        QCOMPARE(errorOf(writeGif(QSize(2, 2), colours, {})),
                 QStringLiteral("GIF 图象无法解码：文件中没有图象"));
    }

    void refusesPicturesBeyondTheBudget()
    {
        QVERIFY(errorOf(writeGif(QSize(8193, 1), colours, {solidFrame(QRect(0, 0, 1, 1), Red)}))
                    .contains(QStringLiteral("图象过大")));
        QVERIFY(errorOf(writeGif(QSize(1, 1), colours, {solidFrame(QRect(0, 0, 8193, 1), Red)}))
                    .contains(QStringLiteral("图象过大")));
        QList<GifFrame> many(1001, solidFrame(QRect(0, 0, 1, 1), Red));
        QCOMPARE(errorOf(writeGif(QSize(1, 1), colours, many)),
                 QStringLiteral("GIF 图象无法解码：帧数超过 1000"));
        many.resize(1000);
        QCOMPARE(decodeGif(writeGif(QSize(1, 1), colours, many)).frames.size(), 1000);
        // The pixels of all frames count together.
        pictures::Limits limits;
        limits.maxPixels = 250;
        const QList<GifFrame> three(3, solidFrame(QRect(0, 0, 10, 10), Red));
        QVERIFY(errorOf(writeGif(QSize(10, 10), colours, three), limits)
                    .contains(QStringLiteral("图象过大")));
        limits.maxPixels = 300;
        QCOMPARE(decodeGif(writeGif(QSize(10, 10), colours, three), limits).frames.size(), 3);
    }
};

QTEST_GUILESS_MAIN(GifDecoderTest)
#include "gifdecoder_test.moc"

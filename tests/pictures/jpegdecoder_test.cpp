#include "fixtures.h"
#include "pictures/picture.h"

#include <QCoreApplication>
#include <QTest>

using fixtures::JpegSpace;
using pictures::decodeJpeg;

namespace {

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QByteArray quadrants(JpegSpace space, bool progressive = false, bool adobe = true)
{
    // Top left red, top right green, bottom left blue, bottom right white.
    return fixtures::writeJpeg(
        QSize(32, 32), space,
        [space, adobe](int x, int y, unsigned char* p) {
            const int q = (y >= 16) * 2 + (x >= 16);
            const QRgb rgb[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                qRgb(255, 255, 255)};
            const QRgb c = rgb[q];
            if (space == JpegSpace::Rgb) {
                p[0] = uchar(qRed(c));
                p[1] = uchar(qGreen(c));
                p[2] = uchar(qBlue(c));
            } else {
                // Adobe files store the inks inverted: 255 = no ink.
                const uchar ink[] = {uchar(255 - qRed(c)), uchar(255 - qGreen(c)),
                                     uchar(255 - qBlue(c)), 0};
                for (int i = 0; i < 4; ++i)
                    p[i] = adobe ? uchar(255 - ink[i]) : ink[i];
            }
        },
        100, progressive, adobe);
}

} // namespace

class JpegDecoderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // JPEG never goes through Qt's image plugins: without them it still decodes.
        QCoreApplication::setLibraryPaths({});
    }

    void decodesGrey()
    {
        const QByteArray bytes = fixtures::writeJpeg(
            QSize(64, 48), JpegSpace::Grey, [](int x, int, unsigned char* p) { *p = uchar(x * 4); },
            100);
        const pictures::Picture picture = decodeJpeg(bytes);
        QCOMPARE(picture.frames.size(), 1);
        QCOMPARE(picture.size(), QSize(64, 48));
        QVERIFY(!picture.isAnimated());
        const QImage& image = picture.frames.first().image;
        QCOMPARE(image.format(), QImage::Format_RGB32);
        QVERIFY(near(image.pixel(0, 10), qRgb(0, 0, 0), 3));
        QVERIFY(near(image.pixel(32, 10), qRgb(128, 128, 128), 3));
        QVERIFY(near(image.pixel(63, 47), qRgb(252, 252, 252), 3));
    }

    void decodesRgb_data()
    {
        QTest::addColumn<bool>("progressive");
        QTest::newRow("baseline") << false;
        QTest::newRow("progressive") << true;
    }

    void decodesRgb()
    {
        QFETCH(bool, progressive);
        const QImage image = decodeJpeg(quadrants(JpegSpace::Rgb, progressive)).frames[0].image;
        QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY(near(image.pixel(8, 8), qRgb(255, 0, 0), 8));
        QVERIFY(near(image.pixel(24, 8), qRgb(0, 255, 0), 8));
        QVERIFY(near(image.pixel(8, 24), qRgb(0, 0, 255), 8));
        QVERIFY(near(image.pixel(24, 24), qRgb(255, 255, 255), 8));
    }

    void decodesCmyk_data()
    {
        QTest::addColumn<bool>("adobe");
        QTest::newRow("Adobe, inverted") << true;
        QTest::newRow("plain") << false;
    }

    void decodesCmyk()
    {
        QFETCH(bool, adobe);
        const QImage image = decodeJpeg(quadrants(JpegSpace::Cmyk, false, adobe)).frames[0].image;
        QVERIFY(near(image.pixel(8, 8), qRgb(255, 0, 0), 8));
        QVERIFY(near(image.pixel(24, 8), qRgb(0, 255, 0), 8));
        QVERIFY(near(image.pixel(8, 24), qRgb(0, 0, 255), 8));
        QVERIFY(near(image.pixel(24, 24), qRgb(255, 255, 255), 8));
    }

    void givesATruncatedFilePartly()
    {
        const QByteArray whole = fixtures::photoJpeg(QSize(200, 160));
        const pictures::Picture picture = decodeJpeg(whole.left(whole.size() / 2));
        QCOMPARE(picture.size(), QSize(200, 160));
        const QImage full = decodeJpeg(whole).frames[0].image;
        QCOMPARE(picture.frames[0].image.pixel(5, 5), full.pixel(5, 5));
    }

    void refusesBrokenFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray whole = fixtures::photoJpeg(QSize(20, 20));
        QTest::newRow("empty") << QByteArray() << QStringLiteral("JPEG 图象无法解码：");
        QTest::newRow("not a JPEG") << QByteArray("GIF89a and more bytes")
                                    << QStringLiteral("JPEG 图象无法解码：不是 JPEG 文件");
        QTest::newRow("header cut") << whole.left(40) << QStringLiteral("JPEG 图象无法解码：");
        QTest::newRow("SOI only") << whole.left(2) << QStringLiteral("JPEG 图象无法解码：");
    }

    void refusesBrokenFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        try {
            decodeJpeg(bytes);
            QFAIL("no error");
        } catch (const base::Error& e) {
            QVERIFY2(e.text().startsWith(message), qPrintable(e.text()));
        }
    }

    void refusesPicturesBeyondTheBudget()
    {
        const QByteArray wide = fixtures::writeJpeg(QSize(8193, 8), JpegSpace::Grey,
                                                    [](int, int, unsigned char* p) { *p = 0; });
        QVERIFY_THROWS_EXCEPTION(base::Error, decodeJpeg(wide));
        try {
            decodeJpeg(wide);
        } catch (const base::Error& e) {
            QVERIFY2(e.text().contains(QStringLiteral("图象过大")), qPrintable(e.text()));
        }
        const QByteArray square = fixtures::photoJpeg(QSize(100, 100));
        QCOMPARE(decodeJpeg(square).size(), QSize(100, 100));
        pictures::Limits limits;
        limits.maxPixels = 9999;
        QVERIFY_THROWS_EXCEPTION(base::Error, decodeJpeg(square, limits));
    }
};

QTEST_GUILESS_MAIN(JpegDecoderTest)
#include "jpegdecoder_test.moc"

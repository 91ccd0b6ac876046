#include "fixtures.h"
#include "pictures/picture.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

using pictures::loadPictureFile;

class LoadPictureFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static QString errorOf(const QString& path)
    {
        try {
            loadPictureFile(path);
        } catch (const base::Error& e) {
            return e.text();
        }
        return QStringLiteral("<no error>");
    }

    static QByteArray jpeg() { return fixtures::photoJpeg(QSize(30, 20)); }

    static QByteArray gif()
    {
        return fixtures::writeGif(QSize(3, 2), {qRgb(255, 0, 0), qRgb(0, 0, 255)},
                                  {fixtures::solidFrame(QRect(0, 0, 3, 2), 1)});
    }

    // The peak resident memory of the process so far, in kilobytes.
    static long peakKb()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }

    // A GIF of one 1 × 1 frame whose headers declare other sizes.
    static QByteArray tinyGif(quint16 screen, quint16 frame)
    {
        QByteArray gif("GIF89a");
        const auto word = [&gif](quint16 v) { gif.append(char(v & 0xff)).append(char(v >> 8)); };
        word(screen);
        word(screen);
        gif.append("\x80\x00\x00\x00\x00\x00\xff\xff\xff", 9); // two colours
        gif.append(',');
        word(0);
        word(0);
        word(frame);
        word(frame);
        gif.append("\x00\x02\x02\x44\x01\x00;", 7);
        return gif;
    }

private slots:
    // First, while the process is still small: a peak reached here is this test's own.
    void refusesHostileSizesBeforeAllocating()
    {
        QByteArray jpeg = fixtures::writeJpeg(QSize(8, 8), fixtures::JpegSpace::Grey,
                                              [](int, int, unsigned char* p) { *p = 128; });
        const qsizetype sof = jpeg.indexOf("\xff\xc0");
        QVERIFY(sof > 0);
        for (int i : {5, 7}) {
            jpeg[sof + i] = char(0x20); // 8192
            jpeg[sof + i + 1] = char(0x00);
        }
        QVERIFY(jpeg.size() < 1024);
        const QList<std::pair<QString, QByteArray>> hostile{
            {QStringLiteral("screen.gif"), tinyGif(8192, 1)},
            {QStringLiteral("frame.gif"), tinyGif(0, 8192)},
            {QStringLiteral("wide.gif"), tinyGif(2100, 1)},
            {QStringLiteral("declared.jpg"), jpeg},
        };
        const long before = peakKb();
        for (const auto& [name, bytes] : hostile) {
            const QString error = errorOf(write(name, bytes));
            QVERIFY2(error.contains(QStringLiteral("图象过大")), qPrintable(name + u' ' + error));
        }
        // 8192 × 8192 pixels would take 256 MB; refused from their headers, they take nothing.
        const long grownKb = peakKb() - before;
        QVERIFY2(grownKb < 16 * 1024, qPrintable(QString::number(grownKb)));
        // A real question picture passes.
        QCOMPARE(loadPictureFile(write(QStringLiteral("real.gif"), tinyGif(300, 1))).size(),
                 QSize(300, 300));
    }

    void chosesTheDecoderByExtensionInAnyCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("jpg") << QStringLiteral("a.jpg") << QSize(30, 20);
        QTest::newRow("JPG") << QStringLiteral("b.JPG") << QSize(30, 20);
        QTest::newRow("Jpeg") << QStringLiteral("c.Jpeg") << QSize(30, 20);
        QTest::newRow("gif") << QStringLiteral("d.gif") << QSize(3, 2);
        QTest::newRow("GIF") << QStringLiteral("e.GIF") << QSize(3, 2);
        QTest::newRow("leading blank") << QStringLiteral(" f.jpg") << QSize(30, 20);
    }

    void chosesTheDecoderByExtensionInAnyCase()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const bool isGif = name.endsWith(QStringLiteral("gif"), Qt::CaseInsensitive);
        const QString path = write(name, isGif ? gif() : jpeg());
        QCOMPARE(loadPictureFile(path).size(), size);
    }

    void readsBitmapsAndIcons()
    {
        QImage image(5, 4, QImage::Format_RGB32);
        image.fill(qRgb(10, 200, 30));
        QVERIFY(image.save(dir_.filePath(QStringLiteral("p.BMP")), "bmp"));
        const pictures::Picture bmp = loadPictureFile(dir_.filePath(QStringLiteral("p.BMP")));
        QCOMPARE(bmp.size(), QSize(5, 4));
        QCOMPARE(bmp.frames[0].image.pixel(2, 2), qRgb(10, 200, 30));

        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(qRgba(0, 0, 255, 255));
        icon.setPixel(0, 0, 0);
        QVERIFY(icon.save(dir_.filePath(QStringLiteral("i.ico")), "ico"));
        const pictures::Picture ico = loadPictureFile(dir_.filePath(QStringLiteral("i.ico")));
        QCOMPARE(ico.size(), QSize(16, 16));
        QCOMPARE(ico.frames[0].image.pixel(5, 5), qRgb(0, 0, 255));
        QCOMPARE(qAlpha(ico.frames[0].image.pixel(0, 0)), 0);
    }

    void reportsAMissingFile()
    {
        const QString path = dir_.filePath(QStringLiteral("missing.jpg"));
        QCOMPARE(errorOf(path),
                 QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));
    }

    void reportsAnUnknownExtension()
    {
        const QString png = write(QStringLiteral("x.png"), jpeg());
        QCOMPARE(errorOf(png), QStringLiteral("未知的图象文件扩展名 (.png)"));
        QCOMPARE(errorOf(dir_.filePath(QStringLiteral("none"))),
                 QStringLiteral("未知的图象文件扩展名 (.)"));
        // The extension is checked before the file is opened, and is taken as stored.
        QCOMPARE(errorOf(dir_.filePath(QStringLiteral("gone.Tif"))),
                 QStringLiteral("未知的图象文件扩展名 (.Tif)"));
        QCOMPARE(errorOf(dir_.filePath(QStringLiteral("0123.jpg "))),
                 QStringLiteral("未知的图象文件扩展名 (.jpg )"));
    }

    void reportsMetafiles()
    {
        const QString wmf = write(QStringLiteral("m.wmf"), QByteArray(40, '\1'));
        QVERIFY2(errorOf(wmf).contains(QStringLiteral("图元文件 (.wmf)")),
                 qPrintable(errorOf(wmf)));
        const QString emf = write(QStringLiteral("m.EMF"), QByteArray(40, '\1'));
        QVERIFY(errorOf(emf).contains(QStringLiteral("(.EMF)")));
    }

    void reportsAnUndecodableFile()
    {
        // The extension decides: a JPEG named .gif is a broken GIF.
        const QString gifPath = write(QStringLiteral("wrong.gif"), jpeg());
        QVERIFY2(errorOf(gifPath).contains(gifPath), qPrintable(errorOf(gifPath)));
        QVERIFY(errorOf(gifPath).contains(QStringLiteral("GIF 图象无法解码：")));
        const QString jpegPath = write(QStringLiteral("junk.jpg"), QByteArray("junk"));
        QVERIFY(errorOf(jpegPath).contains(QStringLiteral("JPEG 图象无法解码：")));
        const QString bmpPath = write(QStringLiteral("junk.bmp"), QByteArray("BM junk"));
        QVERIFY(errorOf(bmpPath).contains(bmpPath));
    }

    void refusesABitmapBeyondTheBudget()
    {
        QImage wide(8193, 1, QImage::Format_RGB32);
        wide.fill(Qt::red);
        const QString path = dir_.filePath(QStringLiteral("wide.bmp"));
        QVERIFY(wide.save(path, "bmp"));
        QVERIFY2(errorOf(path).contains(QStringLiteral("图象过大")), qPrintable(errorOf(path)));
    }
};

QTEST_GUILESS_MAIN(LoadPictureFileTest)
#include "loadpicturefile_test.moc"

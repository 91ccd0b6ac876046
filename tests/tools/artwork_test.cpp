// The committed window artwork: every picture the windows load is present, decodes as JPEG
// at the size its window lays out, stays small, and keeps light the areas that carry text.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTest>

namespace {

QString artPath(const QString& name)
{
    return QDir(QStringLiteral(VELMOOR_SOURCE_DIR "/src/resources/art")).filePath(name);
}

// Mean luma of a region, 0 (black) to 255 (white).
double meanLuma(const QImage& img, const QRect& r)
{
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            sum += 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
        }
    return sum / (r.width() * r.height());
}

QImage load(const QString& name)
{
    QImageReader reader(artPath(name));
    return reader.read();
}

} // namespace

class ArtworkTest : public QObject
{
    Q_OBJECT

private slots:
    void pictureHasItsSize_data();
    void pictureHasItsSize();
    void viewerHeaderLeavesTitleAreaLight();
    void buttonsHaveLightFaces_data();
    void buttonsHaveLightFaces();
};

void ArtworkTest::pictureHasItsSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    const QSize button(220, 46);
    QTest::newRow("main banner") << "main_banner.jpg" << QSize(800, 90);
    QTest::newRow("main picture") << "main_picture.jpg" << QSize(580, 460);
    for (const char* b : {"study", "exam", "errors", "browse", "skills", "signs", "school", "exit"})
        QTest::newRow(b) << QStringLiteral("btn_%1.jpg").arg(QLatin1String(b)) << button;
    QTest::newRow("exam banner") << "exam_banner.jpg" << QSize(800, 153);
    QTest::newRow("study banner") << "study_banner.jpg" << QSize(800, 153);
    QTest::newRow("examinee") << "examinee.jpg" << QSize(121, 121);
    QTest::newRow("viewer header") << "viewer_header.jpg" << QSize(794, 84);
    QTest::newRow("class icon") << "xccx_icon.jpg" << QSize(32, 32);
}

void ArtworkTest::pictureHasItsSize()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QString path = artPath(file);
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));

    QImageReader reader(path);
    // The program decodes these with its own baseline JPEG decoder, so the content must
    // really be JPEG whatever the file name says.
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.size(), size);
    const QImage img = reader.read();
    QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(img.size(), size);

    // Committed to the repository and compiled into the program: keep each one small.
    QVERIFY2(QFileInfo(path).size() < 64 * 1024, qPrintable(file));
}

void ArtworkTest::viewerHeaderLeavesTitleAreaLight()
{
    // The viewers draw their dark title label from (24,64) or (32,56) over this header,
    // shown stretched to 801 x 89; in picture pixels that area starts near y = 52.
    const QImage img = load(QStringLiteral("viewer_header.jpg"));
    QVERIFY(!img.isNull());
    const QRect titleArea(20, 52, 420, img.height() - 52);
    QVERIFY(meanLuma(img, titleArea) > 235);
    // Darkest pixel too: one stray dark line would cross the title.
    for (int y = titleArea.top(); y <= titleArea.bottom(); ++y)
        for (int x = titleArea.left(); x <= titleArea.right(); ++x)
            QVERIFY2(qGray(img.pixel(x, y)) > 200,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void ArtworkTest::buttonsHaveLightFaces_data()
{
    QTest::addColumn<QString>("file");
    for (const char* b : {"study", "exam", "errors", "browse", "skills", "signs", "school", "exit"})
        QTest::newRow(b) << QStringLiteral("btn_%1.jpg").arg(QLatin1String(b));
}

void ArtworkTest::buttonsHaveLightFaces()
{
    // The buttons sit on the highlight colour; a light face with dark words keeps them
    // readable there. Right of the icon, the face is mostly light, the words clearly dark.
    QFETCH(QString, file);
    const QImage img = load(file);
    QVERIFY(!img.isNull());
    const QRect face(48, 3, 168, 40);
    QVERIFY(meanLuma(img, face) > 200);
    int darkest = 255;
    for (int y = face.top(); y <= face.bottom(); ++y)
        for (int x = face.left(); x <= face.right(); ++x)
            darkest = qMin(darkest, qGray(img.pixel(x, y)));
    QVERIFY2(darkest < 110, "the button words are missing or too faint");
}

QTEST_MAIN(ArtworkTest)
#include "artwork_test.moc"

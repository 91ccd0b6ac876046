#include "pictures/picture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using pictures::picturePath;

class PicturePathTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString folder_;

    QString path(const QString& field, const QString& folder = {})
    {
        return picturePath(field, folder.isEmpty() ? folder_ : folder)
            .value_or(QStringLiteral("<none>"));
    }

    void touch(const QString& relative)
    {
        const QString path = folder_ + relative;
        QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        folder_ = dir_.path() + QLatin1Char('/');
        touch(QStringLiteral("upload/0123.jpg"));
        touch(QStringLiteral("upload/ABC.JPG"));
        touch(QStringLiteral("upload/both.gif"));
        touch(QStringLiteral("upload/Both.gif"));
        touch(QStringLiteral("upload/Signs/Stop.GIF"));
    }

    void namesNoPicture_data()
    {
        QTest::addColumn<QVariant>("field");
        QTest::newRow("NULL") << QVariant(QStringLiteral("NULL"));
        QTest::newRow("Null") << QVariant();
        QTest::newRow("null string") << QVariant(QString());
        QTest::newRow("empty") << QVariant(QStringLiteral(""));
        QTest::newRow("blanks") << QVariant(QStringLiteral("   "));
        QTest::newRow("control characters") << QVariant(QStringLiteral("\t\r\n \x1f"));
    }

    void namesNoPicture()
    {
        QFETCH(QVariant, field);
        QVERIFY(!picturePath(field, folder_).has_value());
    }

    void takesTheFieldAsStored()
    {
        QCOMPARE(path(QStringLiteral("0123.jpg")), folder_ + "upload/0123.jpg");
        // Only the exact four letters mean none; anything else is a name.
        QCOMPARE(path(QStringLiteral("null")), folder_ + "upload/null");
        QCOMPARE(path(QStringLiteral(" NULL")), folder_ + "upload/ NULL");
    }

    void keepsALeadingBlank()
    {
        QCOMPARE(path(QStringLiteral(" 0123.jpg")), folder_ + "upload/ 0123.jpg");
        QCOMPARE(path(QStringLiteral("\t0123.jpg ")), folder_ + "upload/\t0123.jpg ");
    }

    void takesABackslashAsAFolderSeparator()
    {
        QCOMPARE(path(QStringLiteral("Signs\\Stop.GIF")), folder_ + "upload/Signs/Stop.GIF");
        QCOMPARE(path(QStringLiteral("new\\0001.jpg")), folder_ + "upload/new/0001.jpg");
    }

    void fallsBackOnLetterCase()
    {
        QCOMPARE(path(QStringLiteral("abc.jpg")), folder_ + "upload/ABC.JPG");
        QCOMPARE(path(QStringLiteral("signs\\stop.gif")), folder_ + "upload/Signs/Stop.GIF");
        QCOMPARE(path(QStringLiteral("0123.JPG")), folder_ + "upload/0123.jpg");
    }

    void prefersTheExactName()
    {
        QCOMPARE(path(QStringLiteral("Both.gif")), folder_ + "upload/Both.gif");
        QCOMPARE(path(QStringLiteral("both.gif")), folder_ + "upload/both.gif");
    }

    void keepsTheNameOfAMissingFile()
    {
        QCOMPARE(path(QStringLiteral("Missing.jpg")), folder_ + "upload/Missing.jpg");
    }

    void addsAMissingTrailingSlash()
    {
        QCOMPARE(path(QStringLiteral("0123.jpg"), dir_.path()), folder_ + "upload/0123.jpg");
    }
};

QTEST_GUILESS_MAIN(PicturePathTest)
#include "picturepath_test.moc"

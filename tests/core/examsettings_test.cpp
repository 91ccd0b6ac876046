#include "core/examsettings.h"

#include "support/testbank.h"

#include <QDir>
#include <QTest>
#include <sys/stat.h>

using core::ExamSettings;

class ExamSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "5400" << true << 5400;
        QTest::newRow("leading blanks") << "  2700" << true << 2700;
        QTest::newRow("plus") << "+80" << true << 80;
        QTest::newRow("minus") << "-3" << true << -3;
        QTest::newRow("blanks then sign") << "  -3" << true << -3;
        QTest::newRow("int max") << "2147483647" << true << 2147483647;
        QTest::newRow("int min") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blank only") << "  " << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("trailing blank") << "90 " << false << 0;
        QTest::newRow("blank after sign") << "- 3" << false << 0;
        QTest::newRow("tab") << "\t90" << false << 0;
        QTest::newRow("letters") << "9O" << false << 0;
        QTest::newRow("decimal") << "90.5" << false << 0;
        QTest::newRow("overflow") << "2147483648" << false << 0;
        QTest::newRow("two signs") << "+-1" << false << 0;
    }
    void wholeInteger()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<int> parsed = core::parseWholeInteger(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void settings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("mark");
        QTest::newRow("last lines, final break")
            << QByteArray("[exam]\nalltime=5400\nmark=90\nalltime=2700\nmark=80\n") << 2700 << 80;
        QTest::newRow("last lines, no final break")
            << QByteArray("alltime=5400\nmark=90\nalltime=2700\nmark=80") << 2700 << 80;
        QTest::newRow("crlf") << QByteArray("[exam]\r\nalltime=2700\r\nmark=80\r\n") << 2700 << 80;
        QTest::newRow("no mark line") << QByteArray("alltime=2700\n") << 5400 << 90;
        QTest::newRow("no time line") << QByteArray("mark=80\n") << 5400 << 90;
        QTest::newRow("blank before =") << QByteArray("alltime =2700\nmark=80\n") << 5400 << 90;
        QTest::newRow("blank after value") << QByteArray("alltime=2700\nmark=80 \n") << 5400 << 90;
        QTest::newRow("blanks after =") << QByteArray("alltime=  2700\nmark= 80\n") << 2700 << 80;
        QTest::newRow("last line invalid, earlier valid")
            << QByteArray("alltime=2700\nmark=80\nmark=x\n") << 5400 << 90;
        QTest::newRow("last line valid, earlier invalid")
            << QByteArray("alltime=junk\nmark=80\nalltime=60\n") << 60 << 80;
        // The value is whatever follows the first 8 or 5 characters, whatever the key's spelling.
        QTest::newRow("key inside a word") << QByteArray("alltime=100\nremark=7\n") << 5400 << 90;
        QTest::newRow("first characters not checked")
            << QByteArray("xalltime2700\nmark=80\n") << 2700 << 80;
        QTest::newRow("section named like a key")
            << QByteArray("alltime=2700\nmark=80\n[mark]\n") << 5400 << 90;
        QTest::newRow("zero time") << QByteArray("alltime=0\nmark=0\n") << 0 << 0;
        QTest::newRow("empty file") << QByteArray() << 5400 << 90;
    }
    void settings()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, time);
        QFETCH(int, mark);
        const ExamSettings parsed = core::parseExamSettings(content);
        QCOMPARE(parsed.timeLeft, time);
        QCOMPARE(parsed.passMark, mark);
    }

    void fromFile()
    {
        testing::TestBank bank;
        QCOMPARE(core::readExamSettings(bank.folder() + QStringLiteral("system.ini")),
                 ExamSettings{});
        bank.writeFile(QStringLiteral("system.ini"), "alltime=1800\r\nmark=95\r\n");
        QCOMPARE(core::readExamSettings(bank.folder() + QStringLiteral("system.ini")),
                 (ExamSettings{1800, 95}));
        // A byte-order mark, as Windows editors write one.
        bank.writeFile(QStringLiteral("system.ini"), "\xef\xbb\xbf"
                                                     "alltime=2700\nmark=80\n");
        QCOMPARE(core::readExamSettings(bank.folder() + QStringLiteral("system.ini")),
                 (ExamSettings{2700, 80}));
        // No settings file is this large.
        bank.writeFile(QStringLiteral("system.ini"),
                       QByteArray(2 * 1024 * 1024, ';') + "\nalltime=2700\nmark=80\n");
        QCOMPARE(core::readExamSettings(bank.folder() + QStringLiteral("system.ini")),
                 ExamSettings{});
    }

    void onlyARegularFileIsRead()
    {
        // Opening a FIFO would wait for a writer for ever; a folder cannot be read.
        testing::TestBank bank;
        const QString path = bank.folder() + QStringLiteral("system.ini");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QCOMPARE(core::readExamSettings(path), ExamSettings{});
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        QCOMPARE(core::readExamSettings(path), ExamSettings{});
    }
};

QTEST_GUILESS_MAIN(ExamSettingsTest)
#include "examsettings_test.moc"

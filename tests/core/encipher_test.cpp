#include "core/cipher.h"
#include "core/ciphertexts.h"
#include <QTest>

#include <QProcess>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
};

Run encipher(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(VELMOOR_ENCIPHER), args);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitCode(), QString::fromLatin1(process.readAllStandardOutput()).trimmed()};
}

} // namespace

class EncipherTest : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsThroughDecipherText()
    {
        const QString text = QStringLiteral("小键盘 * 键进入模拟考试，祝您顺利通过！");
        const Run run = encipher({text});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(core::DecipherText(run.out), text);
    }

    void padsWithBlanks()
    {
        const Run run =
            encipher({QStringLiteral("--pad"), QStringLiteral("12"), QStringLiteral("驾考")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.size(), 24);
        QCOMPARE(core::DecipherText(run.out), QStringLiteral("驾考        "));
        QVERIFY(encipher({QStringLiteral("--pad"), QStringLiteral("3"), QStringLiteral("驾考")})
                    .exitCode != 0);
    }

    void refusesTextGbkCannotHold()
    {
        QVERIFY(encipher({QStringLiteral("\U0001F697")}).exitCode != 0);
        QVERIFY(encipher({}).exitCode != 0);
    }

    void storedTextsMatchTheCurrentKey()
    {
        const Run run = encipher({QStringLiteral("准考证号：2026120800001")});
        QCOMPARE(run.out, QString::fromLatin1(core::kExamCardText));
    }
};

QTEST_GUILESS_MAIN(EncipherTest)
#include "encipher_test.moc"

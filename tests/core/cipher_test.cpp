#include "core/cipher.h"
#include "core/cipherkey.h"
#include "core/ciphertexts.h"

#include <QStringEncoder>
#include <QTest>

namespace {

// Enciphers bytes the way the stored texts are made.
QString encipher(const QByteArray& plain)
{
    QString hex;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const unsigned key = core::kCipherKey[size_t(i) % 8];
        hex += QStringLiteral("%1").arg(uint(uchar(plain[i])) ^ key, 2, 16, QLatin1Char('0'));
    }
    return hex;
}

} // namespace

class CipherTest : public QObject
{
    Q_OBJECT

private slots:
    void decipherText()
    {
        QCOMPARE(core::DecipherText(QString()), QString());
        QCOMPARE(core::DecipherText(QStringLiteral("4")), QString());
        // An unpaired last digit is dropped, upper or lower case digits alike.
        QCOMPARE(core::DecipherText(encipher("AB") + u'7'), QStringLiteral("AB"));
        QCOMPARE(core::DecipherText(encipher("AB").toUpper()), QStringLiteral("AB"));
        // Past the eighth byte the key starts again from its first byte.
        const QByteArray long_ = "Velmoor driving theory 2026";
        QCOMPARE(core::DecipherText(encipher(long_)), QString::fromLatin1(long_));
        // A GBK character is two bytes: D6 D0 is 中, and one straddling the key's wrap.
        QCOMPARE(core::DecipherText(encipher("\xD6\xD0")), QStringLiteral("中"));
        QCOMPARE(core::DecipherText(encipher("1234567\xBC\xDD")), QStringLiteral("1234567驾"));
        QVERIFY_THROWS_EXCEPTION(std::exception, core::DecipherText(QStringLiteral("4G")));
    }

    void storedTexts()
    {
        // The status line is 110 GBK bytes; both texts decipher to readable text.
        const QString status = core::DecipherText(QString::fromLatin1(core::kStatusText));
        QCOMPARE(qstrlen(core::kStatusText), size_t(220));
        QStringEncoder gbk("GBK");
        QCOMPARE(QByteArray(gbk.encode(status)).size(), 110);
        QVERIFY(status.startsWith(QStringLiteral("Velmoor ")));
        QVERIFY(!status.contains(QChar::ReplacementCharacter));
        QCOMPARE(core::DecipherText(QString::fromLatin1(core::kExamCardText)),
                 QStringLiteral("准考证号：2026120800001"));
    }
};

QTEST_GUILESS_MAIN(CipherTest)
#include "cipher_test.moc"

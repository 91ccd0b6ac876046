// velmoor-encipher [--pad N] TEXT: prints the hex digits of TEXT's GBK bytes XORed with the
// program's key, padded with blanks to N bytes when asked.
#include "core/cipherkey.h"

#include <QCoreApplication>
#include <QStringEncoder>
#include <QStringList>
#include <cstdio>

namespace {

int fail(const char* message)
{
    std::fprintf(stderr, "velmoor-encipher: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    qsizetype pad = -1;
    if (args.size() == 3 && args.at(0) == QLatin1String("--pad")) {
        bool ok = false;
        pad = args.at(1).toLongLong(&ok);
        if (!ok || pad < 0)
            return fail("--pad takes a byte count");
        args = args.mid(2);
    }
    if (args.size() != 1)
        return fail("usage: velmoor-encipher [--pad N] TEXT");

    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        return fail("this system cannot encode GBK");
    QByteArray bytes = encoder.encode(args.at(0));
    if (encoder.hasError())
        return fail("the text has characters that GBK cannot hold");
    if (pad >= 0) {
        if (bytes.size() > pad)
            return fail("the text is longer than the padded width");
        bytes.append(pad - bytes.size(), ' ');
    }

    QByteArray hex;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i)) ^
                          core::kCipherKey[static_cast<size_t>(i) % core::kCipherKey.size()];
        hex += QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
    }
    std::printf("%s\n", hex.constData());
    return 0;
}

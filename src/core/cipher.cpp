#include "cipher.h"

#include "cipherkey.h"

#include <QByteArray>
#include <QStringDecoder>
#include <stdexcept>

namespace core {

QString DecipherText(const QString& hex)
{
    const qsizetype pairs = hex.size() / 2;
    QByteArray bytes;
    bytes.reserve(pairs);
    size_t keyPos = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        bool ok = false;
        const uint value = QStringView(hex).mid(2 * i, 2).toUInt(&ok, 16);
        if (!ok)
            throw std::runtime_error(
                QStringLiteral("“%1”不是有效的十六进制数").arg(hex.mid(2 * i, 2)).toStdString());
        bytes.append(char(value ^ kCipherKey[keyPos]));
        keyPos = (keyPos + 1) % kCipherKey.size();
    }
    QStringDecoder gbk("GBK");
    if (!gbk.isValid())
        throw std::runtime_error("系统不支持 GBK 编码");
    return gbk.decode(bytes);
}

} // namespace core

#include "check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const pictures::Limits limits = fuzz::limits();
    try {
        fuzz::check(pictures::decodeJpeg(bytes, limits), limits);
    } catch (const base::Error&) {
        // Refusing a hostile file with a clear error is the expected outcome.
    }
    return 0;
}

#pragma once

#include "pictures/picture.h"

#include <cstdlib>

namespace fuzz {

// A smaller budget than the program's, so that each input is quick; the checks are the same.
inline pictures::Limits limits()
{
    pictures::Limits l;
    l.maxSide = 4096;
    l.maxPixels = 4 * 1024 * 1024;
    l.maxFrames = 200;
    return l;
}

// What every decoded picture promises its callers; a broken promise is a crash for libFuzzer.
inline void check(const pictures::Picture& picture, const pictures::Limits& l)
{
    if (picture.frames.isEmpty() || picture.frames.size() > l.maxFrames || picture.loopCount < 0)
        std::abort();
    qint64 pixels = 0;
    for (const pictures::Frame& frame : picture.frames) {
        const QImage& image = frame.image;
        if (image.isNull() || image.size() != picture.size() || frame.delayMs < 0 ||
            (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_RGB32))
            std::abort();
        pixels += qint64(image.width()) * image.height();
        // Touch every row, so that a short or shared buffer shows up under AddressSanitizer.
        for (int y = 0; y < image.height(); ++y) {
            const uchar* row = image.constScanLine(y);
            volatile uchar sink = row[0] ^ row[image.bytesPerLine() - 1];
            (void)sink;
        }
    }
    if (pixels > l.maxPixels)
        std::abort();
}

} // namespace fuzz

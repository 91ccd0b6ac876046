#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <functional>

// Writers of test pictures, so that no generated binary is committed: GIF through giflib's EGif
// API, JPEG through libjpeg's compress API.
namespace fixtures {

struct GifFrame
{
    QRect rect;               // position and size on the logical screen
    QList<quint8> pixels;     // colour indices, rect.width() × rect.height(), row by row
    int delayCs = -1;         // hundredths of a second; -1 writes no graphics control block
    int disposal = 0;         // 0 unspecified, 1 keep, 2 background, 3 previous
    int transparent = -1;     // colour index, -1 for none
    QList<QRgb> localColours; // empty: the global colour map
    bool interlaced = false;
};

// loop < 0 writes no NETSCAPE2.0 block.
QByteArray writeGif(QSize screen, const QList<QRgb>& globalColours, const QList<GifFrame>& frames,
                    int loop = -1);

// A frame filled with one colour index.
GifFrame solidFrame(QRect rect, quint8 index, int delayCs = 10, int disposal = 0,
                    int transparent = -1);

enum class JpegSpace { Grey, Rgb, Cmyk };

// pixel(x, y, out) writes 1, 3 or 4 samples for the colour space.
QByteArray writeJpeg(QSize size, JpegSpace space,
                     const std::function<void(int, int, unsigned char*)>& pixel, int quality = 95,
                     bool progressive = false, bool adobeMarker = true);

// A photograph-like RGB test picture: gradients with some texture.
QByteArray photoJpeg(QSize size, int quality = 85);

// An animated picture of frames × size, with partial frames, transparency and every disposal.
QByteArray animatedGif(QSize size, int frames);

} // namespace fixtures

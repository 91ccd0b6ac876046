#include "fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <gif_lib.h>
#include <jpeglib.h>
#include <stdexcept>
#include <vector>

namespace fixtures {
namespace {

int writeBytes(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

ColorMapObject* makeMap(const QList<QRgb>& colours)
{
    int count = 2;
    while (count < colours.size())
        count *= 2;
    std::vector<GifColorType> entries(size_t(count), GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < colours.size(); ++i)
        entries[size_t(i)] = {GifByteType(qRed(colours[i])), GifByteType(qGreen(colours[i])),
                              GifByteType(qBlue(colours[i]))};
    return GifMakeMapObject(count, entries.data());
}

void check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(what);
}

} // namespace

QByteArray writeGif(QSize screen, const QList<QRgb>& globalColours, const QList<GifFrame>& frames,
                    int loop)
{
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeBytes, &error);
    check(gif, "EGifOpen");
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = globalColours.isEmpty() ? nullptr : makeMap(globalColours);
    check(EGifPutScreenDesc(gif, screen.width(), screen.height(), 8, 0, global) == GIF_OK,
          "screen");
    GifFreeMapObject(global);
    if (loop >= 0) {
        check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK, "leader");
        check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK, "app");
        const unsigned char sub[3] = {1, quint8(loop & 0xff), quint8(loop >> 8)};
        check(EGifPutExtensionBlock(gif, 3, sub) == GIF_OK, "loop");
        check(EGifPutExtensionTrailer(gif) == GIF_OK, "trailer");
    }
    for (const GifFrame& f : frames) {
        if (f.delayCs >= 0) {
            GraphicsControlBlock gcb{f.disposal, false, f.delayCs, f.transparent};
            GifByteType ext[4];
            EGifGCBToExtension(&gcb, ext);
            check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK, "gcb");
        }
        ColorMapObject* local = f.localColours.isEmpty() ? nullptr : makeMap(f.localColours);
        // giflib 5.2 drops the previous frame's local map without freeing it.
        if (!local && gif->Image.ColorMap) {
            GifFreeMapObject(gif->Image.ColorMap);
            gif->Image.ColorMap = nullptr;
        }
        check(EGifPutImageDesc(gif, f.rect.x(), f.rect.y(), f.rect.width(), f.rect.height(),
                               f.interlaced, local) == GIF_OK,
              "image");
        GifFreeMapObject(local);
        std::vector<int> rows;
        if (f.interlaced) {
            const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < f.rect.height(); y += step[pass])
                    rows.push_back(y);
        } else {
            for (int y = 0; y < f.rect.height(); ++y)
                rows.push_back(y);
        }
        for (int y : rows) {
            std::vector<GifPixelType> line(f.pixels.begin() + qsizetype(y) * f.rect.width(),
                                           f.pixels.begin() + qsizetype(y + 1) * f.rect.width());
            check(EGifPutLine(gif, line.data(), f.rect.width()) == GIF_OK, "line");
        }
    }
    check(EGifCloseFile(gif, &error) == GIF_OK, "close");
    return out;
}

GifFrame solidFrame(QRect rect, quint8 index, int delayCs, int disposal, int transparent)
{
    GifFrame f;
    f.rect = rect;
    f.pixels = QList<quint8>(qsizetype(rect.width()) * rect.height(), index);
    f.delayCs = delayCs;
    f.disposal = disposal;
    f.transparent = transparent;
    return f;
}

QByteArray writeJpeg(QSize size, JpegSpace space,
                     const std::function<void(int, int, unsigned char*)>& pixel, int quality,
                     bool progressive, bool adobeMarker)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&cinfo, &buffer, &length);
    cinfo.image_width = JDIMENSION(size.width());
    cinfo.image_height = JDIMENSION(size.height());
    const int components = space == JpegSpace::Grey ? 1 : space == JpegSpace::Rgb ? 3 : 4;
    cinfo.input_components = components;
    cinfo.in_color_space = space == JpegSpace::Grey  ? JCS_GRAYSCALE
                           : space == JpegSpace::Rgb ? JCS_RGB
                                                     : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    if (space == JpegSpace::Cmyk)
        cinfo.write_Adobe_marker = adobeMarker;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(size_t(size.width() * components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (int x = 0; x < size.width(); ++x)
            pixel(x, y, row.data() + x * components);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(length));
    std::free(buffer);
    return out;
}

QByteArray photoJpeg(QSize size, int quality)
{
    return writeJpeg(
        size, JpegSpace::Rgb,
        [size](int x, int y, unsigned char* p) {
            const unsigned noise = (unsigned(x) * 2654435761u ^ unsigned(y) * 40503u) >> 27;
            p[0] = static_cast<unsigned char>(x * 255 / size.width() / 2 + noise * 3);
            p[1] = static_cast<unsigned char>(y * 255 / size.height() / 2 +
                                              ((x / 16 + y / 16) % 2) * 60);
            p[2] = static_cast<unsigned char>((x + y) % 256 / 2 + noise * 2);
        },
        quality);
}

QByteArray animatedGif(QSize size, int frames)
{
    QList<QRgb> colours;
    for (int i = 0; i < 256; ++i)
        colours.append(qRgb(i, (i * 7) % 256, 255 - i));
    QList<GifFrame> list;
    GifFrame first;
    first.rect = QRect(QPoint(0, 0), size);
    first.delayCs = 8;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            first.pixels.append(quint8((x / 4 + y / 4) % 200));
    list.append(first);
    for (int i = 1; i < frames; ++i) {
        GifFrame f;
        const int w = size.width() / 2, h = size.height() / 2;
        f.rect = QRect((i * 7) % (size.width() - w), (i * 5) % (size.height() - h), w, h);
        f.delayCs = 8;
        f.disposal = i % 4;
        f.transparent = 255;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                f.pixels.append((x + y) % 5 == 0 ? 255 : quint8((x * i + y) % 250));
        list.append(f);
    }
    return writeGif(size, colours, list, 0);
}

} // namespace fixtures

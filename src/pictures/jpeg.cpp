// JPEG through libjpeg-turbo's own API. libjpeg reports errors by calling error_exit, which
// longjmps back here; the functions that call setjmp keep no object with a destructor alive, and
// the image is allocated between the two phases, outside them.
#include "picture.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

namespace pictures {
namespace {

// libjpeg-turbo's fuzzers stop progressive files at this many scans: each scan costs a full pass
// over the coefficients, so a small hostile file could otherwise take minutes.
constexpr int maxScans = 500;
// Corrupt data yields a warning per damaged segment; past this many the file is refused.
constexpr int maxWarnings = 10000;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int warnings = 0;
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    // libjpeg's own texts are English; the learner reads what went wrong in Chinese.
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    const char* reason = "文件已损坏";
    if (cinfo->err->msg_code == JERR_NO_SOI)
        reason = "不是 JPEG 文件";
    else if (cinfo->err->msg_code == JERR_OUT_OF_MEMORY)
        reason = "内存不足";
    std::snprintf(err->message, sizeof err->message, "%s", reason);
    std::longjmp(err->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int level)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level >= 0)
        return; // trace messages
    if (++err->warnings > maxWarnings) {
        std::snprintf(err->message, sizeof err->message, "数据错误过多");
        std::longjmp(err->jump, 1);
    }
}

void progress(j_common_ptr cinfo)
{
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > maxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "扫描超过 %d 遍", maxScans);
        std::longjmp(err->jump, 1);
    }
}

struct Decoder
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    bool created = false;
    bool cmyk = false;
};

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE rgb32Space = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE rgb32Space = JCS_EXT_XRGB;
#endif

bool readHeader(Decoder* d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d->err.jump))
        return false;
    jpeg_create_decompress(&d->cinfo);
    d->created = true;
    d->progress.progress_monitor = progress;
    d->cinfo.progress = &d->progress;
    jpeg_mem_src(&d->cinfo, data, size);
    if (jpeg_read_header(&d->cinfo, TRUE) != JPEG_HEADER_OK) {
        std::snprintf(d->err.message, sizeof d->err.message, "文件中没有图象");
        return false;
    }
    if (d->cinfo.jpeg_color_space == JCS_CMYK || d->cinfo.jpeg_color_space == JCS_YCCK) {
        d->cinfo.out_color_space = JCS_CMYK;
        d->cmyk = true;
    } else {
        d->cinfo.out_color_space = rgb32Space;
    }
    return true;
}

// Adobe's applications write CMYK inverted (0 = full ink) and mark it with their APP14 marker.
void cmykToRgb32(const JSAMPLE* in, QRgb* out, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// Decodes into the image rows; *rowsDone tells how far it came when libjpeg gives up.
bool decodeRows(Decoder* d, uchar* bits, qsizetype bytesPerLine, JDIMENSION* rowsDone)
{
    if (setjmp(d->err.jump))
        return false;
    j_decompress_ptr cinfo = &d->cinfo;
    jpeg_start_decompress(cinfo);
    if (d->cmyk) {
        JSAMPARRAY buffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                        JPOOL_IMAGE, cinfo->output_width * 4, 1);
        while (cinfo->output_scanline < cinfo->output_height) {
            const JDIMENSION row = cinfo->output_scanline;
            if (jpeg_read_scanlines(cinfo, buffer, 1) != 1)
                break;
            cmykToRgb32(buffer[0], reinterpret_cast<QRgb*>(bits + row * bytesPerLine),
                        cinfo->output_width, cinfo->saw_Adobe_marker);
            *rowsDone = row + 1;
        }
    } else {
        constexpr int batch = 16;
        JSAMPROW rows[batch];
        while (cinfo->output_scanline < cinfo->output_height) {
            const JDIMENSION first = cinfo->output_scanline;
            const JDIMENSION count = std::min<JDIMENSION>(batch, cinfo->output_height - first);
            for (JDIMENSION i = 0; i < count; ++i)
                rows[i] = bits + (first + i) * bytesPerLine;
            const JDIMENSION read = jpeg_read_scanlines(cinfo, rows, count);
            if (read == 0)
                break;
            *rowsDone = first + read;
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

void destroy(Decoder* d)
{
    if (d->created)
        jpeg_destroy_decompress(&d->cinfo);
}

// Whole-image coefficient buffers (progressive and multi-scan files) cost 128 bytes per block of
// every component, allocated by libjpeg before the first row.
qint64 coefficientBytes(const jpeg_decompress_struct& cinfo)
{
    if (!cinfo.progressive_mode && cinfo.comps_in_scan >= cinfo.num_components)
        return 0;
    qint64 blocks = 0;
    for (int i = 0; i < cinfo.num_components; ++i)
        blocks += qint64(cinfo.comp_info[i].width_in_blocks) * cinfo.comp_info[i].height_in_blocks;
    return blocks * DCTSIZE2 * qint64(sizeof(JCOEF));
}

Error jpegError(const char* message)
{
    return Error(QStringLiteral("JPEG 图象无法解码：%1").arg(QString::fromUtf8(message)));
}

} // namespace

Picture decodeJpeg(const QByteArray& bytes)
{
    return decodeJpeg(bytes, Limits());
}

Picture decodeJpeg(const QByteArray& bytes, const Limits& limits)
{
    Decoder d{};
    d.cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = errorExit;
    d.err.pub.emit_message = emitMessage;

    if (bytes.isEmpty())
        throw jpegError("文件为空");
    if (!readHeader(&d, reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size()))) {
        destroy(&d);
        throw jpegError(d.err.message);
    }
    const qint64 width = d.cinfo.image_width;
    const qint64 height = d.cinfo.image_height;
    const qint64 budget = std::min(limits.maxFramePixels, limits.maxPixels);
    if (width > limits.maxSide || height > limits.maxSide || width * height > budget ||
        coefficientBytes(d.cinfo) > budget * 6) {
        destroy(&d);
        throw Error(QStringLiteral("图象过大：%1 × %2 像素（每边至多 %3 像素，合计至多 %4 像素）")
                        .arg(width)
                        .arg(height)
                        .arg(limits.maxSide)
                        .arg(budget));
    }
    d.cinfo.mem->max_memory_to_use = static_cast<long>(budget * 8);

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull()) {
        destroy(&d);
        throw jpegError("内存不足");
    }
    JDIMENSION rowsDone = 0;
    const bool ok = decodeRows(&d, image.bits(), image.bytesPerLine(), &rowsDone);
    destroy(&d);
    // A file that breaks off gives what was decoded before; one that yields no row is refused.
    if (!ok && rowsDone == 0)
        throw jpegError(d.err.message);
    for (int y = int(rowsDone); y < image.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), image.width(), qRgb(255, 255, 255));

    Picture picture;
    picture.frames.append(Frame{std::move(image), 0});
    picture.loopCount = 1;
    return picture;
}

} // namespace pictures

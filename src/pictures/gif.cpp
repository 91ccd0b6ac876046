// GIF through giflib's record-level API: DGifSlurp would allocate every frame's raster at the size
// its descriptor claims, so frames are read line by line and composited on the logical screen.
#include "picture.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <vector>

namespace pictures {
namespace {

struct Source
{
    const QByteArray* bytes;
    qsizetype pos = 0;
};

int readSource(GifFileType* gif, GifByteType* out, int length)
{
    auto* source = static_cast<Source*>(gif->UserData);
    const qsizetype n = std::clamp<qsizetype>(source->bytes->size() - source->pos, 0, length);
    std::memcpy(out, source->bytes->constData() + source->pos, size_t(n));
    source->pos += n;
    return int(n);
}

struct CloseGif
{
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

QString gifErrorText(int code)
{
    // giflib's own texts are English; the learner reads what went wrong in Chinese.
    const QString reason = code == D_GIF_ERR_NOT_GIF_FILE     ? QStringLiteral("不是 GIF 文件")
                           : code == D_GIF_ERR_NOT_ENOUGH_MEM ? QStringLiteral("内存不足")
                                                              : QStringLiteral("文件已损坏");
    return QStringLiteral("GIF 图象无法解码：") + reason;
}

Error tooLarge(qint64 width, qint64 height, const Limits& limits)
{
    return Error(
        QStringLiteral("图象过大：%1 × %2 像素（每边至多 %3 像素，每帧至多 %4 像素，所有帧合计至多 "
                       "%5 像素）")
            .arg(width)
            .arg(height)
            .arg(limits.maxSide)
            .arg(limits.maxFramePixels)
            .arg(limits.maxPixels));
}

bool beyond(qint64 width, qint64 height, const Limits& limits)
{
    return width > limits.maxSide || height > limits.maxSide ||
           width * height > limits.maxFramePixels;
}

// The order in which the rows of an interlaced image are stored.
std::vector<int> interlacedRows(int height)
{
    std::vector<int> rows;
    rows.reserve(size_t(height));
    constexpr int start[] = {0, 4, 2, 1};
    constexpr int step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = start[pass]; y < height; y += step[pass])
            rows.push_back(y);
    }
    return rows;
}

// Reads past the data of an image that has no pixels.
bool skipImageData(GifFileType* gif)
{
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR)
        return false;
    while (block) {
        if (DGifGetCodeNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

class Compositor
{
public:
    Compositor(GifFileType* gif, const Limits& limits) : gif_(gif), limits_(limits) {}

    Picture run();

private:
    bool readExtension();
    bool readImage();
    void beginCanvas(const GifImageDesc& desc);

    GifFileType* gif_;
    const Limits& limits_;
    Picture picture_;
    QImage canvas_;
    qint64 pixels_ = 0;
    GraphicsControlBlock control_{};
    bool haveControl_ = false;
};

Picture Compositor::run()
{
    picture_.loopCount = 1;
    int failure = 0;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif_, &type) == GIF_ERROR) {
            failure = gif_->Error;
            break;
        }
        if (type == TERMINATE_RECORD_TYPE)
            break;
        const bool ok = type == EXTENSION_RECORD_TYPE    ? readExtension()
                        : type == IMAGE_DESC_RECORD_TYPE ? readImage()
                                                         : false;
        if (!ok) {
            failure = gif_->Error ? gif_->Error : D_GIF_ERR_WRONG_RECORD;
            break;
        }
    }
    // A file that breaks off gives the frames decoded before; one without any is refused.
    if (picture_.frames.isEmpty())
        throw Error(failure ? gifErrorText(failure)
                            : QStringLiteral("GIF 图象无法解码：文件中没有图象"));
    return std::move(picture_);
}

bool Compositor::readExtension()
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR)
        return false;
    bool loopBlock = false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4) {
        haveControl_ = DGifExtensionToGCB(4, block + 1, &control_) == GIF_OK;
    } else if (code == APPLICATION_EXT_FUNC_CODE && block && block[0] == 11) {
        loopBlock = std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 ||
                    std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0;
    }
    while (block) {
        if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR)
            return false;
        if (loopBlock && block && block[0] >= 3 && (block[1] & 7) == 1) {
            // The stored count is the number of repeats after the first play, 0 for ever.
            const int repeats = block[2] | (block[3] << 8);
            picture_.loopCount = repeats == 0 ? 0 : repeats + 1;
        }
    }
    return true;
}

void Compositor::beginCanvas(const GifImageDesc& desc)
{
    qint64 width = gif_->SWidth;
    qint64 height = gif_->SHeight;
    // Like browsers, a picture without a logical screen takes its first frame's extent.
    if (width <= 0 || height <= 0) {
        width = qint64(desc.Left) + desc.Width;
        height = qint64(desc.Top) + desc.Height;
    }
    if (width <= 0 || height <= 0)
        throw Error(QStringLiteral("GIF 图象无法解码：图象为空"));
    if (beyond(width, height, limits_))
        throw tooLarge(width, height, limits_);
    canvas_ = QImage(int(width), int(height), QImage::Format_ARGB32);
    if (canvas_.isNull())
        throw Error(QStringLiteral("GIF 图象无法解码：内存不足"));
    canvas_.fill(0);
}

bool Compositor::readImage()
{
    if (DGifGetImageDesc(gif_) == GIF_ERROR)
        return false;
    const GifImageDesc desc = gif_->Image;
    if (beyond(desc.Width, desc.Height, limits_))
        throw tooLarge(desc.Width, desc.Height, limits_);
    if (canvas_.isNull())
        beginCanvas(desc);
    if (picture_.frames.size() >= limits_.maxFrames)
        throw Error(QStringLiteral("GIF 图象无法解码：帧数超过 %1").arg(limits_.maxFrames));
    pixels_ += qint64(canvas_.width()) * canvas_.height();
    if (pixels_ > limits_.maxPixels)
        throw tooLarge(canvas_.width(), canvas_.height(), limits_);

    const int transparent = haveControl_ ? control_.TransparentColor : NO_TRANSPARENT_COLOR;
    const int disposal = haveControl_ ? control_.DisposalMode : DISPOSAL_UNSPECIFIED;
    const int delayMs = haveControl_ ? control_.DelayTime * 10 : 0;
    haveControl_ = false;

    QRgb palette[256];
    std::fill_n(palette, 256, qRgb(0, 0, 0));
    if (const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif_->SColorMap) {
        const int count = std::min(map->ColorCount, 256);
        for (int i = 0; i < count; ++i)
            palette[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    }

    const QImage previous = canvas_; // shared until drawing detaches the canvas
    bool complete = true;
    if (desc.Width <= 0 || desc.Height <= 0) {
        complete = skipImageData(gif_);
    } else {
        const int width = canvas_.width();
        const int height = canvas_.height();
        const int left = std::max(0, desc.Left);
        const int right = int(std::min<qint64>(width, qint64(desc.Left) + desc.Width));
        uchar* bits = canvas_.bits();
        const qsizetype bytesPerLine = canvas_.bytesPerLine();
        std::vector<GifPixelType> line(size_t(desc.Width));
        const std::vector<int> order =
            desc.Interlace ? interlacedRows(desc.Height) : std::vector<int>();
        for (int i = 0; i < desc.Height; ++i) {
            if (DGifGetLine(gif_, line.data(), desc.Width) == GIF_ERROR) {
                complete = false;
                break;
            }
            const int y = desc.Top + (desc.Interlace ? order[size_t(i)] : i);
            if (y < 0 || y >= height)
                continue;
            auto* out = reinterpret_cast<QRgb*>(bits + y * bytesPerLine);
            const GifPixelType* in = line.data() + (left - desc.Left);
            for (int x = left; x < right; ++x) {
                const int index = *in++;
                if (index != transparent)
                    out[x] = palette[index];
            }
        }
    }
    picture_.frames.append(Frame{canvas_, delayMs});

    if (disposal == DISPOSE_BACKGROUND) {
        const QRect area = QRect(desc.Left, desc.Top, desc.Width, desc.Height) & canvas_.rect();
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(canvas_.scanLine(y)) + area.left(), area.width(),
                        QRgb(0));
    } else if (disposal == DISPOSE_PREVIOUS) {
        canvas_ = previous;
    }
    return complete;
}

} // namespace

Picture decodeGif(const QByteArray& bytes)
{
    return decodeGif(bytes, Limits());
}

Picture decodeGif(const QByteArray& bytes, const Limits& limits)
{
    Source source{&bytes};
    int error = 0;
    std::unique_ptr<GifFileType, CloseGif> gif(DGifOpen(&source, readSource, &error));
    if (!gif)
        throw Error(gifErrorText(error));
    // The logical screen is the size of every frame.
    if (beyond(gif->SWidth, gif->SHeight, limits))
        throw tooLarge(gif->SWidth, gif->SHeight, limits);
    return Compositor(gif.get(), limits).run();
}

} // namespace pictures

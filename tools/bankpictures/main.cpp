// Draws every picture of the bundled question bank: signs, markings, lights and road
// situations as flat vector drawings, saved as JPEG and as looping animated GIF.
#include "draw.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSet>

#include <gif_lib.h>

#include <cstdio>

namespace {

QImage render(const pics::Painter& draw, bool transparent)
{
    QImage img(pics::W, pics::H, QImage::Format_ARGB32_Premultiplied);
    img.fill(transparent ? Qt::transparent : Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    return img;
}

bool writeJpeg(const QString& path, const pics::Painter& draw)
{
    QImageWriter w(path, "jpeg");
    w.setQuality(90);
    if (!w.write(render(draw, false).convertToFormat(QImage::Format_RGB32))) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(w.errorString()));
        return false;
    }
    return true;
}

// All frames share one palette, quantised over the frames stacked on top of each other.
// With transparency, index 255 is kept free for the see-through pixels.
bool writeGif(const QString& path, const pics::Animation& a)
{
    const int n = int(a.frames.size());
    const int area = pics::W * pics::H;
    std::vector<GifByteType> r(size_t(area) * n), g(r.size()), b(r.size()), out(r.size());
    std::vector<bool> clear(r.size(), false);
    for (int f = 0; f < n; ++f) {
        const QImage img =
            render(a.frames[f], a.transparent).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < pics::H; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < pics::W; ++x) {
                const size_t i = size_t(f) * area + size_t(y) * pics::W + x;
                const QRgb px = row[x];
                const int alpha = qAlpha(px);
                if (alpha < 128) {
                    clear[i] = true;
                    r[i] = g[i] = b[i] = 255;
                    continue;
                }
                // Edge pixels are blended onto white, the colour of the window behind them.
                auto blend = [alpha](int c) {
                    return GifByteType((c * alpha + 255 * (255 - alpha)) / 255);
                };
                r[i] = blend(qRed(px));
                g[i] = blend(qGreen(px));
                b[i] = blend(qBlue(px));
            }
        }
    }
    GifColorType colours[256] = {};
    int mapSize = a.transparent ? 255 : 256;
    if (GifQuantizeBuffer(pics::W, pics::H * n, &mapSize, r.data(), g.data(), b.data(), out.data(),
                          colours) == GIF_ERROR) {
        std::fprintf(stderr, "%s: quantising failed\n", qPrintable(path));
        return false;
    }
    const int transparentIndex = a.transparent ? 255 : NO_TRANSPARENT_COLOR;
    if (a.transparent) {
        colours[255] = {255, 255, 255};
        for (size_t i = 0; i < out.size(); ++i)
            if (clear[i])
                out[i] = 255;
    }

    int error = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (!gif) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), GifErrorString(error));
        return false;
    }
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(256, colours);
    bool ok = map && EGifPutScreenDesc(gif, pics::W, pics::H, 8, 0, map) == GIF_OK;
    // NETSCAPE2.0 block: loop for ever.
    const unsigned char loop[3] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    for (int f = 0; ok && f < n; ++f) {
        GraphicsControlBlock gcb{};
        // Clearing to the background keeps a lit lamp's glow from lingering over transparent parts.
        gcb.DisposalMode = a.transparent ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT;
        gcb.UserInputFlag = false;
        gcb.DelayTime = a.delaysCs[size_t(f)];
        gcb.TransparentColor = transparentIndex;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(len), ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, pics::W, pics::H, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < pics::H; ++y)
            ok = EGifPutLine(gif, out.data() + size_t(f) * area + size_t(y) * pics::W, pics::W) ==
                 GIF_OK;
    }
    if (!ok)
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), GifErrorString(gif->Error));
    if (EGifCloseFile(gif, &error) == GIF_ERROR && ok) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), GifErrorString(error));
        ok = false;
    }
    GifFreeMapObject(map);
    // giflib creates the file readable by its owner only.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::ReadOther);
    return ok;
}

// Sign and marking pictures that the traffic-signs page shows as well.
const QSet<QString> kPageImages{QStringLiteral("sign_warn_crossroads.jpg"),
                                QStringLiteral("sign_warn_sharp_left.jpg"),
                                QStringLiteral("sign_warn_signals.jpg"),
                                QStringLiteral("sign_warn_children.jpg"),
                                QStringLiteral("sign_no_entry.jpg"),
                                QStringLiteral("sign_no_left_turn.jpg"),
                                QStringLiteral("sign_speed_limit_40.jpg"),
                                QStringLiteral("sign_stop.jpg"),
                                QStringLiteral("sign_yield.jpg"),
                                QStringLiteral("sign_no_parking.jpg"),
                                QStringLiteral("sign_ind_straight.jpg"),
                                QStringLiteral("sign_ind_roundabout.jpg"),
                                QStringLiteral("sign_ind_min_speed.jpg"),
                                QStringLiteral("sign_ind_lanes.jpg"),
                                QStringLiteral("sign_guide_exit.jpg"),
                                QStringLiteral("sign_guide_junction.jpg"),
                                QStringLiteral("mark_white_dashed.jpg"),
                                QStringLiteral("mark_white_solid.jpg"),
                                QStringLiteral("mark_yellow_double.jpg"),
                                QStringLiteral("mark_guide_arrows.jpg"),
                                QStringLiteral("mark_crosswalk_diamond.jpg"),
                                QStringLiteral("mark_net_yellow.jpg"),
                                QStringLiteral("light_arrows.jpg"),
                                QStringLiteral("light_lane_signals.jpg")};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <upload-dir> [page-images-dir]\n", argv[0]);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString pageDir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!QDir().mkpath(outDir) || (!pageDir.isEmpty() && !QDir().mkpath(pageDir))) {
        std::fprintf(stderr, "cannot create the output folders\n");
        return 1;
    }
    std::vector<pics::Picture> all;
    for (auto part : {pics::signPictures, pics::lightPictures, pics::markingPictures,
                      pics::scenePictures, pics::explanationPictures})
        for (auto& pic : part())
            all.push_back(std::move(pic));

    bool ok = true;
    int count = 0;
    QSet<QString> names;
    for (const auto& pic : all) {
        if (names.contains(pic.name)) {
            std::fprintf(stderr, "duplicate picture name %s\n", qPrintable(pic.name));
            ok = false;
        }
        names.insert(pic.name);
        ok = writeJpeg(outDir + QLatin1Char('/') + pic.name, pic.draw) && ok;
        if (!pageDir.isEmpty() && kPageImages.contains(pic.name))
            ok = writeJpeg(pageDir + QLatin1Char('/') + pic.name, pic.draw) && ok;
        ++count;
    }
    for (const auto& a : pics::animations()) {
        ok = writeGif(outDir + QLatin1Char('/') + a.name, a) && ok;
        ++count;
    }
    for (const QString& name : kPageImages)
        if (!names.contains(name)) {
            std::fprintf(stderr, "page picture %s is not drawn\n", qPrintable(name));
            ok = false;
        }
    std::printf("%d pictures written to %s\n", count, qPrintable(outDir));
    return ok ? 0 : 1;
}

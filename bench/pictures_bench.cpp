// Our JPEG and GIF decoders side by side with Qt's QImageReader on the same bytes.
#include "fixtures.h"
#include "pictures/picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <benchmark/benchmark.h>

namespace {

const QByteArray& smallJpeg()
{
    static const QByteArray bytes = fixtures::photoJpeg(QSize(225, 137));
    return bytes;
}

const QByteArray& largeJpeg()
{
    static const QByteArray bytes = fixtures::photoJpeg(QSize(1920, 1080));
    return bytes;
}

const QByteArray& animatedGif()
{
    static const QByteArray bytes = fixtures::animatedGif(QSize(320, 240), 20);
    return bytes;
}

void ours(benchmark::State& state, const QByteArray& bytes,
          pictures::Picture (*decode)(const QByteArray&))
{
    qsizetype frames = 0;
    for (auto _ : state) {
        pictures::Picture picture = decode(bytes);
        frames = picture.frames.size();
        benchmark::DoNotOptimize(picture.frames.first().image.constBits());
    }
    state.counters["frames"] = double(frames);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void qt(benchmark::State& state, const QByteArray& bytes, const char* format)
{
    qsizetype frames = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, format);
        frames = 0;
        QImage image;
        while (reader.canRead() && reader.read(&image)) {
            ++frames;
            benchmark::DoNotOptimize(image.constBits());
        }
        if (frames == 0) {
            state.SkipWithError(qPrintable(reader.errorString()));
            return;
        }
    }
    state.counters["frames"] = double(frames);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void Ours_Jpeg_225x137(benchmark::State& s)
{
    ours(s, smallJpeg(), pictures::decodeJpeg);
}
void Qt_Jpeg_225x137(benchmark::State& s)
{
    qt(s, smallJpeg(), "jpeg");
}
void Ours_Jpeg_1920x1080(benchmark::State& s)
{
    ours(s, largeJpeg(), pictures::decodeJpeg);
}
void Qt_Jpeg_1920x1080(benchmark::State& s)
{
    qt(s, largeJpeg(), "jpeg");
}
void Ours_Gif_320x240x20(benchmark::State& s)
{
    ours(s, animatedGif(), pictures::decodeGif);
}
void Qt_Gif_320x240x20(benchmark::State& s)
{
    qt(s, animatedGif(), "gif");
}

BENCHMARK(Ours_Jpeg_225x137);
BENCHMARK(Qt_Jpeg_225x137);
BENCHMARK(Ours_Jpeg_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(Qt_Jpeg_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(Ours_Gif_320x240x20)->Unit(benchmark::kMillisecond);
BENCHMARK(Qt_Gif_320x240x20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv); // for Qt's image plugins
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Video import: 10 s of a 1920 x 1080 video at 25 pictures a second (H.264
// in MP4, made once before the runs) imported into a 64 x 64 grid at 25
// frames a second, beside FFmpeg's own decoding of the same file into
// pictures. "fps" is pictures of the video per second; the import costs
// the decoding plus the fit into the grid.
// With BRIGHTLOOM_BENCH_SMOKE set: 1 s of 320 x 180.
#include "capture/movie_import.h"
#include "capture/video_file.h"
#include "document/document.h"
#include "scripted_prompt.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

bool captureSmoke() { return std::getenv("BRIGHTLOOM_BENCH_SMOKE") != nullptr; }

struct BenchClip
{
    QTemporaryDir dir;
    QString path;
    int pictures = 0;
};

const BenchClip &benchClip()
{
    static BenchClip clip = [] {
        BenchClip c;
        const bool smoke = captureSmoke();
        const QSize size = smoke ? QSize(320, 180) : QSize(1920, 1080);
        c.pictures = smoke ? 25 : 250;
        c.path = c.dir.filePath(QStringLiteral("clip.mp4"));
        VideoWriter writer;
        writer.open(c.path, size.width(), size.height(), 25);
        QImage picture(size, QImage::Format_RGB32);
        for (int i = 0; i < c.pictures; ++i) {
            picture.fill(QColor::fromHsv((i * 7) % 360, 255, 255));
            QPainter p(&picture);
            p.fillRect(QRect(i * size.width() / c.pictures, 0, size.width() / 10, size.height()), Qt::white);
            p.end();
            writer.write(picture);
        }
        writer.finish();
        return c;
    }();
    return clip;
}

void BM_FfmpegDecode(benchmark::State &state)
{
    const BenchClip &clip = benchClip();
    int64_t pictures = 0;
    for (auto _ : state) {
        VideoReader reader;
        reader.open(clip.path);
        QImage picture;
        double at = 0;
        while (reader.next(picture, at))
            ++pictures;
    }
    state.counters["fps"] = benchmark::Counter(double(pictures), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FfmpegDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportInto64x64(benchmark::State &state)
{
    const BenchClip &clip = benchClip();
    int64_t pictures = 0;
    for (auto _ : state) {
        GridGeometry g;
        g.rows = 64;
        g.cols = 64;
        Document doc(g);
        doc.startNew(g);
        VideoReader reader;
        reader.open(clip.path);
        MovieImportOptions o;
        o.fps = 25;
        o.mode = DisplayMode::Fit;
        PatternTarget target(doc, 0);
        ScriptedPrompt prompt;
        pictures += importMovie(target, reader, o, prompt);
    }
    state.counters["fps"] = benchmark::Counter(double(pictures), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportInto64x64)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

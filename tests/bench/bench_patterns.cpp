// Pattern runs next to a plain memory copy of one frame. The water drip on
// a 100 x 100 grid makes 10,050 frames, inserted after frame 1 of a
// 10,000-frame document: each frame costs one new frame buffer and one copy
// of the water so far, so a frame should take about as long as copying a
// frame into fresh memory. PaletteFlow recolours a whole 100 x 100 frame.
// With BRIGHTLOOM_BENCH_SMOKE set: a 20 x 20 grid and a 100-frame document.
#include "document/document.h"
#include "palette/palette_state.h"
#include "patterns/palette_flow.h"
#include "patterns/water_drip.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

bool smoke() { return std::getenv("BRIGHTLOOM_BENCH_SMOKE") != nullptr; }
int side() { return smoke() ? 20 : 100; }
int documentFrames() { return smoke() ? 100 : 10000; }

size_t frameBytes() { return size_t(side()) * size_t(side()) * sizeof(ColorValue); }

struct BigDocument
{
    Document doc;

    BigDocument()
    {
        GridGeometry g;
        g.rows = int16_t(side());
        g.cols = int16_t(side());
        doc.setGeometry(g);
        doc.startNew(g);
        for (int i = 1; i < documentFrames(); ++i)
            doc.frames().append(doc.backgroundFrame());
    }
};

void reportPerFrame(benchmark::State &state, int64_t frames)
{
    state.SetBytesProcessed(frames * int64_t(frameBytes()));
    state.counters["frames"] = double(frames) / double(state.iterations());
    state.counters["per_frame"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_MemoryCopyOneFrame(benchmark::State &state)
{
    std::vector<ColorValue> src(frameBytes() / sizeof(ColorValue), 0x123456);
    std::vector<ColorValue> dst(src.size(), 1);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), frameBytes());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, state.iterations());
}

// What every inserted frame needs at least: new memory and a copy into it.
void BM_MemoryCopyOneFrameToFreshMemory(benchmark::State &state)
{
    std::vector<ColorValue> src(frameBytes() / sizeof(ColorValue), 0x123456);
    for (auto _ : state) {
        std::unique_ptr<ColorValue[]> dst(new ColorValue[src.size()]);
        std::memcpy(dst.get(), src.data(), frameBytes());
        benchmark::DoNotOptimize(dst.get());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, state.iterations());
}

// The same number of frames as one water drip run, each copied into its own
// new buffer and kept until the run ends: the floor for any run that hands
// the document thousands of new frames (the first touch of fresh pages
// costs more than the copy itself).
void BM_MemoryCopyFramesKept(benchmark::State &state)
{
    const int64_t perRun = waterDripFrameCount(side(), side());
    const Frame src(frameBytes() / sizeof(ColorValue), 0x123456);
    int64_t made = 0;
    for (auto _ : state) {
        std::vector<Frame> kept;
        kept.reserve(size_t(perRun));
        for (int64_t i = 0; i < perRun; ++i)
            kept.push_back(src);
        benchmark::DoNotOptimize(kept.data());
        made += perRun;
        state.PauseTiming();
        kept.clear();
        state.ResumeTiming();
    }
    reportPerFrame(state, made);
}

void BM_WaterDripIntoLongDocument(benchmark::State &state)
{
    static BigDocument big;
    Document &doc = big.doc;
    const int64_t perRun = waterDripFrameCount(side(), side());
    int64_t made = 0;
    for (auto _ : state) {
        doc.goToFrame(0); // the run lands after frame 1
        PatternTarget target(doc);
        made += generateWaterDrip(target, {0, 7, 0});
        state.PauseTiming();
        if (doc.frameCount() != documentFrames() + perRun)
            state.SkipWithError("wrong frame count");
        doc.frames().remove(1, int(perRun));
        state.ResumeTiming();
    }
    reportPerFrame(state, made);
}

void BM_PaletteFlowOneFrame(benchmark::State &state)
{
    const int n = side();
    Frame frame(size_t(n) * size_t(n), 0x0000FF);
    PaletteState palette;
    palette.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x00FFFF};
    PaletteFlow flow;
    for (auto _ : state) {
        flow.apply(frame, n, n, {0, 0, n - 1, n - 1}, 0, FlowDirection::WaveUp, palette);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, state.iterations());
}

} // namespace

BENCHMARK(BM_MemoryCopyOneFrame);
BENCHMARK(BM_MemoryCopyOneFrameToFreshMemory);
BENCHMARK(BM_MemoryCopyFramesKept)->Unit(benchmark::kMillisecond)->Iterations(smoke() ? 2 : 3);
BENCHMARK(BM_WaterDripIntoLongDocument)->Unit(benchmark::kMillisecond)->Iterations(smoke() ? 2 : 3);
BENCHMARK(BM_PaletteFlowOneFrame);

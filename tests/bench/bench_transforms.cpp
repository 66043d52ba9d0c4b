// Throughput of the whole-document transforms that touch every colour of
// every frame, next to a plain memory copy of the same bytes.

#include "document/document.h"
#include "document/transform_rotate.h"
#include "editing/invert.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kSide = 64;

int frameCount() { return std::getenv("BRIGHTLOOM_BENCH_SMOKE") ? 50 : 10000; }

int64_t bytesPerRun() { return int64_t(frameCount()) * kSide * kSide * int64_t(sizeof(ColorValue)); }

// One document of 64 x 64 frames, filled once with seeded colours.
Document &sharedDocument()
{
    static Document *doc = [] {
        GridGeometry g;
        g.rows = kSide;
        g.cols = kSide;
        auto *d = new Document(g);
        std::mt19937 gen(1);
        for (int f = 0; f < frameCount(); ++f) {
            Frame fr(size_t(kSide) * kSide);
            for (ColorValue &c : fr.pixels())
                c = gen() & 0xFFFFFFu;
            d->frames().append(std::move(fr));
        }
        d->frames().setCurrentIndex(0);
        return d;
    }();
    return *doc;
}

void BM_MemcpyOfTheSameBytes(benchmark::State &state)
{
    Document &doc = sharedDocument();
    std::vector<ColorValue> dst(size_t(kSide) * kSide);
    for (auto _ : state) {
        for (int f = 0; f < doc.frameCount(); ++f)
            std::memcpy(dst.data(), doc.frames()[f].data(), dst.size() * sizeof(ColorValue));
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytesPerRun());
}

void BM_RotateQuarterTurn(benchmark::State &state)
{
    Document &doc = sharedDocument();
    for (auto _ : state) {
        rotateQuarterTurn(doc);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytesPerRun());
}

void BM_InvertWholeFrames(benchmark::State &state)
{
    Document &doc = sharedDocument();
    const FrameRange all{0, doc.frameCount()};
    for (auto _ : state) {
        invertFrames(doc, all, BlockArea{});
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytesPerRun());
}

BENCHMARK(BM_MemcpyOfTheSameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateQuarterTurn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvertWholeFrames)->Unit(benchmark::kMillisecond);

} // namespace

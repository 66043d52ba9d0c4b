// Range operations over a long run of frames: copy to the frame clipboard,
// invert, and overwrite-paste, each next to a plain memcpy of the same
// bytes. BRIGHTLOOM_BENCH_SMOKE shrinks the run for CI.
#include "document/document.h"
#include "editing/range_operations.h"
#include "editing/paste.h"
#include "scripted_prompt.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int kSide = 64;

int frameCount() { return std::getenv("BRIGHTLOOM_BENCH_SMOKE") ? 100 : 10000; }

std::unique_ptr<Document> makeDocument(int frames)
{
    GridGeometry g;
    g.rows = kSide;
    g.cols = kSide;
    auto doc = std::make_unique<Document>(g);
    for (int k = 0; k < frames; ++k)
        doc->frames().append(Frame(size_t(kSide * kSide), ColorValue(k * 0x010101) & 0xFFFFFF));
    doc->frames().setCurrentIndex(0);
    return doc;
}

int64_t bytesOf(int frames) { return int64_t(frames) * kSide * kSide * int64_t(sizeof(ColorValue)); }

void BM_MemcpyOfTheFrames(benchmark::State &state)
{
    const int frames = frameCount();
    std::vector<ColorValue> from(size_t(frames) * kSide * kSide, 0x123456), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(ColorValue));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytesOf(frames));
}

void BM_CopyFramesToTheClipboard(benchmark::State &state)
{
    const int frames = frameCount();
    auto doc = makeDocument(frames);
    EditingState editing;
    ScriptedPrompt prompt;
    for (auto _ : state) {
        runFrameRange(*doc, editing, 4, 1, frames, prompt);
        benchmark::DoNotOptimize(editing.clipboard.frames.data());
    }
    state.SetBytesProcessed(state.iterations() * bytesOf(frames));
}

void BM_CopyBlockToTheClipboard(benchmark::State &state)
{
    // The middle half of each frame: a quarter of the bytes.
    const int frames = frameCount();
    auto doc = makeDocument(frames);
    EditingState editing;
    editing.area = BlockArea::initialFor(kSide, kSide);
    editing.area.defined = true;
    ScriptedPrompt prompt;
    for (auto _ : state) {
        runFrameRange(*doc, editing, 3, 1, frames, prompt);
        benchmark::DoNotOptimize(editing.clipboard.frames.data());
    }
    state.SetBytesProcessed(state.iterations() * bytesOf(frames) / 4);
}

void BM_InvertFrames(benchmark::State &state)
{
    const int frames = frameCount();
    auto doc = makeDocument(frames);
    EditingState editing;
    ScriptedPrompt prompt;
    for (auto _ : state) {
        runFrameRange(*doc, editing, 8, 1, frames, prompt);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytesOf(frames));
}

void BM_PasteOverwrite(benchmark::State &state)
{
    const int frames = frameCount();
    auto doc = makeDocument(frames);
    EditingState editing;
    ScriptedPrompt prompt;
    runFrameRange(*doc, editing, 4, 1, frames, prompt);
    PasteOptions options;
    options.overwrite = true;
    options.transparent = state.range(0) != 0;
    editing.colourAction = colourActionFromIndex(int(state.range(1)));
    for (auto _ : state) {
        pasteClipboard(*doc, editing, options, prompt);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytesOf(frames));
}

void BM_PasteInsert(benchmark::State &state)
{
    // Inserting after the first frame of a short document, then removing
    // the pasted frames again (outside the timing).
    const int frames = frameCount();
    auto source = makeDocument(frames);
    EditingState editing;
    ScriptedPrompt prompt;
    runFrameRange(*source, editing, 4, 1, frames, prompt);
    auto doc = makeDocument(1);
    PasteOptions options;
    for (auto _ : state) {
        pasteClipboard(*doc, editing, options, prompt);
        state.PauseTiming();
        doc->frames().remove(1, frames);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytesOf(frames));
}

} // namespace

BENCHMARK(BM_MemcpyOfTheFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFramesToTheClipboard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyBlockToTheClipboard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvertFrames)->Unit(benchmark::kMillisecond);
// Arguments: transparent overlay, colour action (0 replace, 5 add).
BENCHMARK(BM_PasteOverwrite)->Args({0, 0})->Args({1, 0})->Args({0, 5})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteInsert)->Unit(benchmark::kMillisecond);

// Defining one large rectangle and checking the result: both must stay
// linear in the number of grid points (a 512 x 512 rectangle well under a
// second each). Throughput counts the 48-byte records made or checked,
// beside a plain copy of the same bytes.
#include "document/document.h"
#include "wiring/circuitry_check.h"
#include "wiring/wiring_operations.h"

#include "scripted_prompt.h"
#include "wiring/wiring_display.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int side()
{
    return std::getenv("BRIGHTLOOM_BENCH_SMOKE") ? 64 : 512;
}

GridGeometry square(int n)
{
    GridGeometry g;
    g.rows = int16_t(n);
    g.cols = int16_t(n);
    return g;
}

int64_t recordBytes(int n)
{
    return int64_t(n) * n * WiringPixel::kRecordSize;
}

void BM_DefineRectangle(benchmark::State &state)
{
    const int n = side();
    Document doc(square(n));
    doc.wiring().setKind(CircuitryKind::Led);
    for (auto _ : state) {
        doc.wiring().clear();
        auto done = defineRectangle(doc.wiring(), 0, {0, 0}, {n - 1, n - 1}, WiringModifier::Ctrl);
        benchmark::DoNotOptimize(done);
    }
    state.SetBytesProcessed(state.iterations() * recordBytes(n));
    state.counters["points"] = double(n) * n;
}
BENCHMARK(BM_DefineRectangle)->Unit(benchmark::kMillisecond);

void BM_CircuitryCheck(benchmark::State &state)
{
    const int n = side();
    Document doc(square(n));
    doc.wiring().setKind(CircuitryKind::Led);
    defineRectangle(doc.wiring(), 0, {0, 0}, {n - 1, n / 2 - 1}, WiringModifier::Alt);
    defineRectangle(doc.wiring(), 1, {n - 1, n - 1}, {0, n / 2}, WiringModifier::None);
    ScriptedPrompt prompt;
    for (auto _ : state) {
        prompt.shown.clear();
        runCircuitryCheck(doc, prompt);
        if (prompt.shown.size() != 1) // a clean wiring: just the "passed" message
            state.SkipWithError("the check found errors in a clean wiring");
    }
    state.SetBytesProcessed(state.iterations() * recordBytes(n));
}
BENCHMARK(BM_CircuitryCheck)->Unit(benchmark::kMillisecond);

// One repaint of the wiring display with every cell of the rectangle in
// view (2-pixel cells): crosses, chains and one ellipse per cell.
void BM_WiringDisplay(benchmark::State &state)
{
    const int n = side();
    Document doc(square(n));
    doc.wiring().setKind(CircuitryKind::Led);
    defineRectangle(doc.wiring(), 0, {0, 0}, {n - 1, n - 1}, WiringModifier::Ctrl);
    CanvasGeometry g;
    g.setGrid(n, n, 2, 2);
    g.setClientSize(QSize(2 * n + 40, 2 * n + 40));
    g.actualSize();
    QImage image(g.usableSize(), QImage::Format_ARGB32_Premultiplied);
    WiringDisplay d;
    d.wiring = &doc.wiring();
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter p(&image);
        paintWiring(p, g, d);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(image.sizeInBytes()));
}
BENCHMARK(BM_WiringDisplay)->Unit(benchmark::kMillisecond);

void BM_MemcpySameBytes(benchmark::State &state)
{
    const size_t bytes = size_t(recordBytes(side()));
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes));
}
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond);

} // namespace

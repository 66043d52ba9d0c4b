// Undo and redo of one long pattern run: a water drip (4,128 frames on a
// 64 x 64 grid) inserted after frame 1 of a 10,000-frame project. Undo
// takes the run's frames out into its entry (moved, not copied) and redo
// puts them back, so each should stay well under 50 ms; the entry holds an
// index range while the run is done and exactly the run's frames while it
// is undone. The counters report the bytes the history holds in both
// states next to the bytes of the frames the run added.
// With BRIGHTLOOM_BENCH_SMOKE set: a 16 x 16 grid and a 100-frame project.
#include "document/document.h"
#include "document/edit_history.h"
#include "patterns/water_drip.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

bool undoSmoke() { return std::getenv("BRIGHTLOOM_BENCH_SMOKE") != nullptr; }
int undoSide() { return undoSmoke() ? 16 : 64; }
int undoProjectFrames() { return undoSmoke() ? 100 : 10000; }

struct DripProject
{
    Document doc;
    int added = 0;

    DripProject()
    {
        GridGeometry g;
        g.rows = int16_t(undoSide());
        g.cols = int16_t(undoSide());
        doc.setGeometry(g);
        doc.startNew(g);
        for (int i = 1; i < undoProjectFrames(); ++i)
            doc.frames().append(doc.backgroundFrame());
        doc.history().clear();
        doc.goToFrame(1);
        PatternTarget target(doc, 0);
        added = generateWaterDrip(target, WaterDripParams{});
    }

    double runBytes() const { return double(added) * double(doc.pointCount()) * sizeof(ColorValue); }
};

void reportBytes(benchmark::State &state, DripProject &p, bool undoneNow)
{
    EditHistory &h = p.doc.history();
    state.counters["run_frames"] = p.added;
    state.counters["run_bytes"] = p.runBytes();
    const double now = double(h.bytes());
    undoneNow ? h.redo() : h.undo();
    const double other = double(h.bytes());
    undoneNow ? h.undo() : h.redo();
    state.counters["held_done"] = undoneNow ? other : now;
    state.counters["held_undone"] = undoneNow ? now : other;
}

void BM_UndoWaterDrip(benchmark::State &state)
{
    DripProject p;
    for (auto _ : state) {
        p.doc.history().undo();
        state.PauseTiming();
        if (p.doc.frameCount() != undoProjectFrames())
            state.SkipWithError("undo left the wrong number of frames");
        p.doc.history().redo();
        state.ResumeTiming();
    }
    reportBytes(state, p, false);
}
BENCHMARK(BM_UndoWaterDrip)->Unit(benchmark::kMillisecond);

void BM_RedoWaterDrip(benchmark::State &state)
{
    DripProject p;
    p.doc.history().undo();
    for (auto _ : state) {
        p.doc.history().redo();
        state.PauseTiming();
        if (p.doc.frameCount() != undoProjectFrames() + p.added)
            state.SkipWithError("redo left the wrong number of frames");
        p.doc.history().undo();
        state.ResumeTiming();
    }
    reportBytes(state, p, true);
}
BENCHMARK(BM_RedoWaterDrip)->Unit(benchmark::kMillisecond);

} // namespace

// Repainting the canvas: a 256 x 256 grid with every cell visible, drawn
// into the off-screen image the way the view does, next to a plain fill and
// a plain copy of the same image bytes.

#include "canvas/canvas_renderer.h"
#include "document/document.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cstring>
#include <memory>
#include <random>

namespace {

// Painting ellipses needs a GUI application; the offscreen platform needs
// no display. It lives until the process ends: destroying it from a static
// destructor, after Qt's own statics are gone, crashes.
void ensureApplication()
{
    static QGuiApplication *app = nullptr;
    if (app)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_canvas";
    static char *argv[] = {name, nullptr};
    app = new QGuiApplication(argc, argv);
}

int gridSide() { return qEnvironmentVariableIsSet("BRIGHTLOOM_BENCH_SMOKE") ? 64 : 256; }

// The grid exactly fills the usable area: 4-pixel cells, 1024 x 1024.
struct CanvasFixture
{
    explicit CanvasFixture(CanvasLook look)
    {
        ensureApplication();
        const int side = gridSide();
        GridGeometry g;
        g.rows = int16_t(side);
        g.cols = int16_t(side);
        g.celWidth = 4;
        g.celHeight = 4;
        doc = std::make_unique<Document>(g);
        doc->startNew(g);
        std::mt19937 rng(20240611);
        Frame *f = doc->currentFrame();
        for (size_t i = 0; i < f->size(); ++i)
            (*f)[i] = rng() & 0xFFFFFFu;
        for (int i = 0; i < side * side / 2; ++i)
            doc->wiring().append(WiringPixel{.pixel = i, .column = i % side, .row = (2 * i) / side});

        scene.doc = doc.get();
        scene.look = look;
        scene.geometry.setGrid(side, side, 4, 4);
        scene.geometry.setClientSize(QSize(side * 4 + CanvasGeometry::kScrollBarExtent,
                                           side * 4 + CanvasGeometry::kScrollBarExtent));
        scene.geometry.actualSize();
        image = QImage(scene.geometry.usableSize(), QImage::Format_RGB32);
    }

    std::unique_ptr<Document> doc;
    CanvasScene scene;
    QImage image;
};

void report(benchmark::State &state, const QImage &image)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(image.sizeInBytes()));
    state.counters["cells"] = benchmark::Counter(double(gridSide()) * gridSide(), benchmark::Counter::kIsIterationInvariantRate);
}

void runCanvas(benchmark::State &state, CanvasLook look)
{
    CanvasFixture f(look);
    for (auto _ : state) {
        renderCanvas(f.image, f.scene);
        benchmark::DoNotOptimize(f.image.constBits());
    }
    report(state, f.image);
}

void BM_CanvasSquareCells(benchmark::State &state)
{
    runCanvas(state, CanvasLook{.showGrid = false});
}
BENCHMARK(BM_CanvasSquareCells);

void BM_CanvasSquareCellsWithGrid(benchmark::State &state)
{
    runCanvas(state, CanvasLook{.showGrid = true});
}
BENCHMARK(BM_CanvasSquareCellsWithGrid);

void BM_CanvasWiredOnlyWithGrid(benchmark::State &state)
{
    runCanvas(state, CanvasLook{.showGrid = true, .wiredOnly = true});
}
BENCHMARK(BM_CanvasWiredOnlyWithGrid);

void BM_CanvasRoundCellsWithGrid(benchmark::State &state)
{
    runCanvas(state, CanvasLook{.showGrid = true, .cellShape = CellShape::Round});
}
BENCHMARK(BM_CanvasRoundCellsWithGrid);

// The floor: filling the same image with one colour.
void BM_PlainImageFill(benchmark::State &state)
{
    CanvasFixture f(CanvasLook{});
    uint32_t colour = 0xFF102030u;
    for (auto _ : state) {
        f.image.fill(colour++);
        benchmark::DoNotOptimize(f.image.constBits());
    }
    report(state, f.image);
}
BENCHMARK(BM_PlainImageFill);

void BM_PlainMemcpy(benchmark::State &state)
{
    CanvasFixture f(CanvasLook{});
    QImage source = f.image.copy();
    source.fill(0xFF405060u);
    for (auto _ : state) {
        std::memcpy(f.image.bits(), source.constBits(), size_t(source.sizeInBytes()));
        benchmark::DoNotOptimize(f.image.constBits());
    }
    report(state, f.image);
}
BENCHMARK(BM_PlainMemcpy);

} // namespace

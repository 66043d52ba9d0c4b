// The transition effects: all 53 effects x 20 entrance steps on a 64 x 64
// area, as the picture page draws them (a fresh canvas per step, then into
// a frame). "fps" is frames drawn per second over all effects; the picture
// page needs a few hundred a second to feel instant. A second benchmark
// renders a line of Latin and Chinese text.
// With BRIGHTLOOM_BENCH_SMOKE set: 2 steps per effect.
#include "patterns/pattern_random.h"
#include "patterns/text_pattern.h"
#include "patterns/transition_effects.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

bool smokeRun() { return std::getenv("BRIGHTLOOM_BENCH_SMOKE") != nullptr; }

void needGuiApp()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_transitions";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

QImage benchPicture(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 4, 255 - x * 2));
    return image;
}

void BM_AllEffectsTwentySteps64(benchmark::State &state)
{
    needGuiApp();
    constexpr int kSide = 64;
    const int steps = smokeRun() ? 2 : 20;
    const QImage picture = benchPicture(kSide);
    const QImage blank = transitionCanvas(kSide, kSide);
    PatternRandom random;
    Frame frame(size_t(kSide) * kSide);
    int64_t frames = 0;
    for (auto _ : state) {
        for (int effect = 0; effect < kTransitionEffectCount; ++effect)
            for (int i = 1; i <= steps; ++i) {
                QImage canvas = transitionCanvas(kSide, kSide);
                drawTransition(canvas, effect, TransitionPhase::Entrance, i, steps, picture, blank, random);
                copyCanvasIntoFrame(canvas, frame, kSide, kSide, GridRect{0, 0, kSide - 1, kSide - 1});
                ++frames;
            }
        benchmark::DoNotOptimize(frame.data());
    }
    state.counters["fps"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AllEffectsTwentySteps64)->Unit(benchmark::kMillisecond);

void BM_TextRender(benchmark::State &state)
{
    needGuiApp();
    const QString text = smokeRun() ? QStringLiteral("LED 你好") : QStringLiteral("Brightloom LED 文字 scroll 你好世界");
    for (auto _ : state) {
        const RenderedText rendered =
            renderTextLines(plainTextLines(text, defaultTextFont(), QColor(Qt::red)));
        benchmark::DoNotOptimize(rendered.width());
    }
}
BENCHMARK(BM_TextRender)->Unit(benchmark::kMillisecond);

} // namespace

// make-demo: writes the demo project that the README's first command opens:
// a colourful looping animation on the default 24 x 40 grid, and beside it
// its wiring (OUT.line): every lamp on one of four controller ports, six
// rows each, so that the demo plays, exports and makes LED data as a real
// project does.
//
//   make-demo OUT.wst
//
// The frames and the wiring are computed, so the demo can be remade at any
// time:
//   make-demo resources/demo/demo.wst
#include "document/project_file.h"
#include "wiring/wiring_files.h"
#include "wiring/wiring_operations.h"

#include <QFileInfo>

#include <QColor>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int kFrames = 48;
constexpr int kPorts = 4;

// A rainbow that drifts sideways, bent by a slow vertical wave, under rings
// of light that run out from the middle of the grid. Every frame loops back
// into the first.
Frame demoFrame(const GridGeometry &g, int t)
{
    const double phase = 2 * std::numbers::pi * t / kFrames;
    const double cx = (g.cols - 1) / 2.0;
    const double cy = (g.rows - 1) / 2.0;
    Frame frame(size_t(g.pointCount()));
    for (int y = 0; y < g.rows; ++y) {
        for (int x = 0; x < g.cols; ++x) {
            const double bend = 40 * std::sin(y * 0.35 + phase);
            const int hue = int(std::lround(360.0 * x / g.cols + 360.0 * t / kFrames + bend + 720)) % 360;
            const double dist = std::hypot((x - cx) / 1.6, y - cy);
            const double ring = 0.5 + 0.5 * std::cos(dist * 0.9 - 4 * phase);
            const int value = int(std::lround(70 + 185 * ring));
            const QColor c = QColor::fromHsv(hue, 255, value);
            frame.set(x, y, g.cols, makeColor(unsigned(c.red()), unsigned(c.green()), unsigned(c.blue())));
        }
    }
    return frame;
}

// Each port takes a band of rows, numbered as one drag over the band on the
// Line page numbers it.
Wiring demoWiring(const GridGeometry &g)
{
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(g.rows, g.cols);
    const int band = (int(g.rows) + kPorts - 1) / kPorts;
    for (int port = 0; port < kPorts; ++port) {
        const int top = port * band;
        const int bottom = std::min(int(g.rows), top + band) - 1;
        if (top <= bottom)
            defineRectangle(w, port, QPoint(0, top), QPoint(g.cols - 1, bottom), WiringModifier::None);
    }
    return w;
}

// OUT.wst gives OUT.line; any other name gets ".line" added.
QString wiringPathFor(const QString &project)
{
    const QFileInfo info(project);
    if (info.suffix().compare(QLatin1String("wst"), Qt::CaseInsensitive) == 0)
        return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".line");
    return project + QStringLiteral(".line");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs("usage: make-demo OUT.wst   (writes OUT.wst and its wiring OUT.line)\n",
                   argc == 2 ? stdout : stderr);
        return argc == 2 ? 0 : 2;
    }
    GridGeometry g;
    g.rows = 24;
    g.cols = 40;
    g.celWidth = 20;
    g.celHeight = 20;
    g.baseColorNum = 3;
    g.scanMode = 1;

    FrameSequence frames;
    for (int t = 0; t < kFrames; ++t)
        frames.append(demoFrame(g, t));

    QString reason;
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!writeProjectFile(out, g, frames, &reason)) {
        std::fprintf(stderr, "make-demo: %s: %s\n", argv[1], reason.toLocal8Bit().constData());
        return 1;
    }
    const QString wiringOut = wiringPathFor(out);
    const Wiring wiring = demoWiring(g);
    if (!writeLineFile(wiringOut, g.rows, g.cols, uint8_t(CircuitryKind::Led), wiring.pixels(), &reason)) {
        std::fprintf(stderr, "make-demo: %s: %s\n", wiringOut.toLocal8Bit().constData(),
                     reason.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

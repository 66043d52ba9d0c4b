#pragma once
// Wired grids for the output tests and benchmarks. Every port drives a run
// of points in reading order and the frames are painted by a rule, so that
// a test names its own layout and colours once and works out the bytes it
// expects from them.

#include "document/document.h"
#include "document/frame.h"
#include "document/wiring.h"

#include <functional>
#include <memory>
#include <random>
#include <vector>

// The ports in wiring order, each taking the next `pointsPerPort` points of
// the grid (left to right, row by row), its pixel 0 where its run starts.
// With `snake` the odd rows run right to left, as a strip laid back and
// forth does.
struct PortRuns
{
    std::vector<int> ports{0}; // counted from 0
    int pointsPerPort = 0;
    bool snake = false;
    CircuitryKind kind = CircuitryKind::Led;
};

// Ports 0 .. count - 1.
inline std::vector<int> portsFromZero(int count)
{
    std::vector<int> ports;
    for (int i = 0; i < count; ++i)
        ports.push_back(i);
    return ports;
}

// Gives `wiring` the kind of `runs` and appends its records, on a grid
// `cols` points wide.
inline void wirePortRuns(Wiring &wiring, int cols, const PortRuns &runs)
{
    wiring.setKind(runs.kind);
    int point = 0;
    for (int port : runs.ports)
        for (int k = 0; k < runs.pointsPerPort; ++k, ++point) {
            WiringPixel p;
            p.port = port;
            p.pixel = k;
            p.row = point / cols;
            p.column = runs.snake && p.row % 2 ? cols - 1 - point % cols : point % cols;
            wiring.append(p);
        }
}

// The colour of point `point` (reading order) in frame `frame`. Frames are
// painted in order and their points in order, so a rule may draw from a
// random sequence.
using PointColours = std::function<ColorValue(int frame, int point)>;

inline void paintFrame(Frame &frame, int index, const PointColours &colour)
{
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = colour(index, int(i));
}

// Paints the frames `doc` has (without a rule they stay as they are) and
// wires it.
inline void wireDocument(Document &doc, const PortRuns &runs, const PointColours &colour = {})
{
    if (colour)
        for (int f = 0; f < doc.frames().count(); ++f)
            paintFrame(doc.frames()[f], f, colour);
    wirePortRuns(doc.wiring(), doc.cols(), runs);
}

// A rows x cols document of `frames` frames, painted and wired.
inline std::unique_ptr<Document> makeWiredDocument(int rows, int cols, int frames, const PortRuns &runs,
                                                   const PointColours &colour)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    auto doc = std::make_unique<Document>(g);
    for (int f = 0; f < frames; ++f)
        doc->frames().append(Frame(size_t(rows) * size_t(cols)));
    wireDocument(*doc, runs, colour);
    return doc;
}

// One frame of random colours (the same ones for the same seed) on a
// rows x cols grid with its wiring: what a benchmark of the output works on.
struct RandomWiredFrame
{
    RandomWiredFrame(int rows, int cols, unsigned seed, const PortRuns &runs) : frame(size_t(rows) * size_t(cols))
    {
        paintFrame(frame, 0, [random = std::mt19937(seed)](int, int) mutable { return ColorValue(random() & 0xFFFFFF); });
        wiring.resetCellMap(rows, cols);
        wirePortRuns(wiring, cols, runs);
    }

    Frame frame;
    Wiring wiring;
};

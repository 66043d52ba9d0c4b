#pragma once
// Small documents whose every point has its own colour, so a transform that
// moves a point to the wrong place is seen.

#include "document/document.h"
#include "../wiring/wiring_test_support.h"

#include <random>

inline GridGeometry gridOf(int rows, int cols, int celWidth = 20, int celHeight = 20)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    g.celWidth = int16_t(celWidth);
    g.celHeight = int16_t(celHeight);
    return g;
}

// Point (x, y) of frame f holds a colour naming all three.
inline ColorValue tagged(int f, int x, int y) { return makeColor(unsigned(x), unsigned(y), unsigned(f + 1)); }

inline Frame taggedFrame(int f, int rows, int cols)
{
    Frame fr(size_t(rows) * size_t(cols));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            fr.set(x, y, cols, tagged(f, x, y));
    return fr;
}

inline void fillTagged(Document &doc, int frames)
{
    for (int f = 0; f < frames; ++f)
        doc.insertFrameAfterCurrent(taggedFrame(f, doc.rows(), doc.cols()));
}

inline Frame randomFrame(std::mt19937 &gen, size_t points)
{
    Frame fr(points);
    for (size_t i = 0; i < points; ++i)
        fr[i] = gen() & 0x00FFFFFFu;
    return fr;
}

inline std::vector<Frame> framesOf(const Document &doc)
{
    std::vector<Frame> out;
    for (int i = 0; i < doc.frameCount(); ++i)
        out.push_back(doc.frames()[i]);
    return out;
}


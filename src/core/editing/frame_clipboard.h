#pragma once
// The program's own clipboard of frames (the system clipboard is not used):
// a list of pictures of rows x cols colours each, row-major. It lives for
// the whole run; New and Open do not empty it.

#include "document/frame.h"

#include <vector>

struct FrameClipboard
{
    int rows = 0;
    int cols = 0;
    std::vector<Frame> frames;

    bool empty() const { return frames.empty(); }
    // Filling it frees what it held before.
    void reset(int newRows, int newCols)
    {
        frames.clear();
        rows = newRows;
        cols = newCols;
    }

    // Makes room for `count` pictures of newRows x newCols, replacing the
    // old contents. Buffers of the same size are reused, so copying a long
    // run of frames again does not allocate again.
    void resize(int newRows, int newCols, size_t count)
    {
        const size_t points = size_t(newRows) * size_t(newCols);
        frames.resize(count);
        for (Frame &f : frames)
            if (f.size() != points)
                f = Frame(points);
        rows = newRows;
        cols = newCols;
    }
};

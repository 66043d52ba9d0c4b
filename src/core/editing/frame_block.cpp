#include "editing/frame_block.h"

#include <algorithm>
#include <cstring>

namespace {

ColorValue *rowStart(Frame &f, int cols, const GridRect &r, int y)
{
    return f.data() + size_t(y) * size_t(cols) + size_t(r.left);
}

const ColorValue *rowStart(const Frame &f, int cols, const GridRect &r, int y)
{
    return f.data() + size_t(y) * size_t(cols) + size_t(r.left);
}

} // namespace

void copyBlockInto(const Frame &frame, int cols, const GridRect &r, ColorValue *picture)
{
    const size_t w = size_t(r.width());
    for (int y = r.top; y <= r.bottom; ++y)
        std::memcpy(picture + size_t(y - r.top) * w, rowStart(frame, cols, r, y), w * sizeof(ColorValue));
}

void writeBlock(Frame &frame, int cols, const GridRect &r, const ColorValue *picture)
{
    const size_t w = size_t(r.width());
    for (int y = r.top; y <= r.bottom; ++y)
        std::memcpy(rowStart(frame, cols, r, y), picture + size_t(y - r.top) * w, w * sizeof(ColorValue));
}

void fillBlock(Frame &frame, int cols, const GridRect &r, ColorValue colour)
{
    const size_t w = size_t(r.width());
    for (int y = r.top; y <= r.bottom; ++y)
        std::fill_n(rowStart(frame, cols, r, y), w, colour);
}

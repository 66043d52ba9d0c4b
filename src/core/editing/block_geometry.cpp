#include "editing/block_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

void limitSpan(int &first, int &last, int size)
{
    first = std::clamp(first, 0, std::max(size - 1, 0));
    if (last < first)
        last = first;
    last = std::min(last, size - 1);
}

int truncated(double v)
{
    // trunc towards zero, and no undefined conversion from a huge value.
    return int(std::clamp(std::trunc(v), -1e9, 1e9));
}

} // namespace

GridRect blockFromPixels(const PixelRect &r, const GridPlacement &g, int rows, int cols)
{
    const double sx = g.cellWidth > 0 ? g.cellWidth : 1;
    const double sy = g.cellHeight > 0 ? g.cellHeight : 1;
    const int left = std::min(r.left, r.right);
    const int right = std::max(r.left, r.right);
    const int top = std::min(r.top, r.bottom);
    const int bottom = std::max(r.top, r.bottom);
    GridRect b;
    b.left = truncated((left - g.left + sx / 2) / sx);
    b.right = truncated((right - g.left - sx / 2) / sx);
    b.top = truncated((top - g.top + sy / 2) / sy);
    b.bottom = truncated((bottom - g.top - sy / 2) / sy);
    limitSpan(b.left, b.right, cols);
    limitSpan(b.top, b.bottom, rows);
    return b;
}

PixelRect pixelsOfBlock(const GridRect &b, const GridPlacement &g)
{
    // Cell edges are computed from the grid origin, as the canvas draws them.
    PixelRect p;
    p.left = int(g.left) + int(std::trunc(b.left * g.cellWidth));
    p.right = int(g.left) + int(std::trunc((b.right + 1) * g.cellWidth));
    p.top = int(g.top) + int(std::trunc(b.top * g.cellHeight));
    p.bottom = int(g.top) + int(std::trunc((b.bottom + 1) * g.cellHeight));
    return p;
}

void moveBlock(BlockArea &area, int dx, int dy, int rows, int cols)
{
    if (area.x0 + dx < 0)
        dx = -area.x0;
    else if (area.x1 + dx >= cols)
        dx = cols - area.x1 - 1;
    if (area.y0 + dy < 0)
        dy = -area.y0;
    else if (area.y1 + dy >= rows)
        dy = rows - area.y1 - 1;
    area.x0 += dx;
    area.x1 += dx;
    area.y0 += dy;
    area.y1 += dy;
}

void redefineBlock(BlockArea &area, int x, int y, int width, int height, int rows, int cols)
{
    if (rows < 1 || cols < 1)
        return;
    area.x0 = std::clamp(x - 1, 0, std::max(cols - 1, 0));
    area.y0 = std::clamp(y - 1, 0, std::max(rows - 1, 0));
    area.x1 = area.x0 + std::clamp(width, 1, cols - area.x0) - 1;
    area.y1 = area.y0 + std::clamp(height, 1, rows - area.y0) - 1;
    area.defined = true;
}

void discardArea(BlockArea &area, int rows, int cols)
{
    area = BlockArea::initialFor(rows, cols);
}

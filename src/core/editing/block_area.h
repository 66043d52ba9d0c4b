#pragma once
// The defined area of grid points that painting, the range operations and
// the pattern generator keep to. There is one for the program, held with the
// operation panel's state.

#include <algorithm>

// An inclusive rectangle of grid points.
struct GridRect
{
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const GridRect &) const = default;
};

struct BlockArea
{
    bool defined = false;
    // x0 = -1: the define button was pressed but no rectangle drawn yet.
    int x0 = -1;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    int width() const { return x1 - x0 + 1; }
    int height() const { return y1 - y0 + 1; }

    // Defined, drawn, and inside a grid of rows x cols. An area that is not
    // drawn yet or no longer fits the grid counts as not defined everywhere.
    bool usable(int rows, int cols) const
    {
        return defined && x0 >= 0 && y0 >= 0 && x0 <= x1 && y0 <= y1 && x1 < cols && y1 < rows;
    }

    GridRect rect() const { return GridRect{x0, y0, x1, y1}; }

    // The area when usable, else the whole grid.
    GridRect areaOrGrid(int rows, int cols) const
    {
        return usable(rows, cols) ? rect() : GridRect{0, 0, cols - 1, rows - 1};
    }

    // The rectangle the operation panel starts with (not defined): the middle
    // half of the grid in each direction.
    static BlockArea initialFor(int rows, int cols)
    {
        BlockArea a;
        a.x0 = cols / 4;
        a.x1 = cols / 2 + cols / 4 - 1;
        a.y0 = rows / 4;
        a.y1 = rows / 2 + rows / 4 - 1;
        return a;
    }
};

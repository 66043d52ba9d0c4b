#pragma once
// A rectangle of grid cells, both corners inclusive, as the wiring editor's
// selection, its undo entries and its clipboard use it.

#include <QPoint>

struct WiringRect
{
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    bool operator==(const WiringRect &) const = default;

    bool isEmpty() const { return right < left || bottom < top; }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }

    static WiringRect wholeGrid(int rows, int cols) { return {0, 0, cols - 1, rows - 1}; }
};

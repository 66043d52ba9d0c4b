#pragma once
// A grid of the given size with every other value at its default.

#include "settings/grid_geometry.h"

inline GridGeometry grid(int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    return g;
}

#pragma once
// The grid of lamps: one geometry at a time, kept with the settings and
// stored in every project file with these widths.

#include <cstdint>

struct GridGeometry
{
    int16_t rows = 24;        // grid points in a column
    int16_t cols = 40;        // grid points in a row
    int16_t celWidth = 20;    // screen pixels of one cell
    int16_t celHeight = 20;
    uint8_t baseColorNum = 3; // 1 single colour, 2 two colours, 3 three colours
    uint8_t scanMode = 1;     // 0 normal program, 1 gradient program

    bool operator==(const GridGeometry &) const = default;

    int pointCount() const { return rows > 0 && cols > 0 ? int(rows) * int(cols) : 0; }
    bool sameSize(const GridGeometry &o) const { return rows == o.rows && cols == o.cols; }
};

// Bounds that keep every frame allocation sane, whatever a file or the
// settings claim.
constexpr int kMaxGridSide = 32767;
constexpr int kMaxGridPoints = 16 * 1024 * 1024;

// True when rows and cols are in 1..kMaxGridSide and their product is within
// kMaxGridPoints.
bool gridSizeAllowed(int rows, int cols);

// Replaces a base colour count outside 1..3 by 3 and a program mode outside
// 0..1 by 1, the defaults.
void normaliseColourModes(GridGeometry &g);

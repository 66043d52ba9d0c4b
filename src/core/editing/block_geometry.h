#pragma once
// Turning a dragged rectangle into grid points, and the move dialog's two
// ways of changing the block.

#include "editing/block_area.h"

// A rectangle in canvas pixels: left and top inclusive, right and bottom one
// past the last pixel (a rectangle of width w has right = left + w).
struct PixelRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the drawn grid lies: its top-left corner in canvas pixels and the
// drawn cell size (CelWidth x ZoomFactor by CelHeight x ZoomFactor).
struct GridPlacement
{
    double left = 0;
    double top = 0;
    double cellWidth = 1;
    double cellHeight = 1;
};

// The cells whose centres lie inside the rectangle, clamped to the grid:
// x0 = trunc((left - grid left + s/2) / s), x1 = trunc((right - grid left
// - s/2) / s), x0 limited to 0..Cols-1, x1 raised to x0 and limited to
// Cols-1; rows likewise. A rectangle narrower than half a cell gives a
// block one cell wide.
GridRect blockFromPixels(const PixelRect &r, const GridPlacement &g, int rows, int cols);

// The pixel rectangle a block covers on the drawn grid (for the tracker).
PixelRect pixelsOfBlock(const GridRect &b, const GridPlacement &g);

// Moves the block by (dx, dy), limited so it stays inside the grid. Only
// its position changes, not the colours.
void moveBlock(BlockArea &area, int dx, int dy, int rows, int cols);

// Redefines the block from the dialog's 1-based top-left corner and size;
// every value is clamped so that the block is a non-empty rectangle inside
// the grid. The block becomes defined.
void redefineBlock(BlockArea &area, int x, int y, int width, int height, int rows, int cols);

// New, Open and any change of Rows or Cols discard the area: not defined,
// back at the starting rectangle for the grid.
void discardArea(BlockArea &area, int rows, int cols);

#pragma once
// Whole-row operations on a rectangle of grid points inside a frame buffer:
// the building blocks of cut, copy, delete and paste. Each runs a
// plain loop (or memcpy) per row of the rectangle.

#include "document/frame.h"
#include "editing/block_area.h"

// The rectangle's colours into a picture of its own (width x height
// points, row-major).
void copyBlockInto(const Frame &frame, int cols, const GridRect &r, ColorValue *picture);
// Writes a width x height picture into the rectangle.
void writeBlock(Frame &frame, int cols, const GridRect &r, const ColorValue *picture);
void fillBlock(Frame &frame, int cols, const GridRect &r, ColorValue colour);

#pragma once
// "旋转90度": every frame a quarter turn clockwise.

#include "settings/color_value.h"

class Document;

// Writes the clockwise quarter turn of a rows x cols picture into `dst`,
// which then holds cols rows of `rows` points: the new top row is the old
// left column read from bottom to top, new[i][k] = old[rows - 1 - k][i].
// `src` and `dst` must not overlap.
void rotateClockwise(const ColorValue *src, ColorValue *dst, int rows, int cols);

// Turns every frame, exchanges Rows with Cols and CelWidth with CelHeight.
// The wiring list is kept as it stands; the cell map is rebuilt at the new
// size from the records that lie inside the turned grid. Returns false (and
// changes nothing) when the document has no frames.
bool rotateQuarterTurn(Document &doc);

// Writes the anticlockwise quarter turn of a rows x cols picture into
// `dst`: the exact inverse of rotateClockwise (undo of a turn).
void rotateAnticlockwise(const ColorValue *src, ColorValue *dst, int rows, int cols);

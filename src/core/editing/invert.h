#pragma once
// "反色" over a range of frames: each point inside the defined area (or of
// the whole frame) becomes (255 - R, 255 - G, 255 - B).

#include "document/frame_range.h"
#include "editing/block_area.h"
#include "settings/color_value.h"

#include <cstddef>

class Document;

// Inverts n colours; the top byte of each result is 0.
void invertColours(ColorValue *pixels, size_t n);

// Inverts the rectangle of a picture `cols` points wide.
void invertRect(ColorValue *pixels, int cols, const GridRect &rect);

// Inverts the frames of the range: inside `area` when it is usable on the
// document's grid (range dialog mode 7), else whole frames (mode 8).
// Returns false and changes nothing when the range does not fit.
bool invertFrames(Document &doc, FrameRange range, const BlockArea &area);

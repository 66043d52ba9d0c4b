#pragma once
// "亮度设定": each of red, green and blue is mapped through the curve the
// dialog shows, a polyline from (0, 0) through point 1 and point 2 to
// (255, 255).

#include "document/frame_range.h"
#include "editing/block_area.h"
#include "settings/color_value.h"

#include <array>
#include <cstddef>
#include <cstdint>

class Document;

struct BrightnessCurve
{
    // The dialog's defaults: a straight line, which changes nothing.
    int x1 = 50, y1 = 50;
    int x2 = 200, y2 = 200;

    // Coordinates limited to 0..255 and the points ordered by x (exchanged
    // when point 1 lies right of point 2), as the dialog does on confirm.
    BrightnessCurve normalised() const;
    bool operator==(const BrightnessCurve &) const = default;
};

using BrightnessTable = std::array<uint8_t, 256>;

// The curve as a table of 256 levels, rounded to the nearest level. Where
// two points share an x the curve rises straight up there, and the level at
// that x is the inner point's (so point 1 at x = 0 lifts black, point 2 at
// x = 255 caps white).
BrightnessTable brightnessTable(const BrightnessCurve &curve);

// Maps the three components of n colours; the top byte becomes 0.
void applyBrightness(ColorValue *pixels, size_t n, const BrightnessTable &table);

// Maps the frames of the range, inside `area` when it is usable on the
// document's grid, else whole frames. Returns false and changes nothing
// when the range does not fit.
bool adjustBrightness(Document &doc, FrameRange range, const BlockArea &area, const BrightnessCurve &curve);

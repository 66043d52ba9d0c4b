#pragma once
// The direction drop-down of the solid-colour pages ("方式") and the way
// those pages paint: a colour per line of the area, where a line is a
// column for the left/right directions and a row for the up/down ones.

#include "document/frame.h"
#include "editing/block_area.h"

#include <QString>

enum class SweepDirection : int {
    LeftToRight = 0, // "从左到右"
    RightToLeft = 1, // "从右到左"
    TopToBottom = 2, // "从上到下"
    BottomToTop = 3, // "从下到上"
};

constexpr int kSweepDirectionCount = 4;

// Anything outside 0..3 counts as left to right.
SweepDirection sweepDirectionFromIndex(int index);
// Item text (section "AutoComboBox", "ComboBoxModeItem0".."ComboBoxModeItem3").
QString sweepDirectionText(int index);

// Lines are columns (true) or rows (false).
inline bool linesAreColumns(SweepDirection d)
{
    return d == SweepDirection::LeftToRight || d == SweepDirection::RightToLeft;
}
// The start side is the area's right column or bottom row.
inline bool startsAtFarSide(SweepDirection d)
{
    return d == SweepDirection::RightToLeft || d == SweepDirection::BottomToTop;
}
// Number of lines of the area in the direction.
inline int sweepExtent(const GridRect &area, SweepDirection d)
{
    return linesAreColumns(d) ? area.width() : area.height();
}

// Counts, sizes and steps of the pattern pages: 0 or less counts as 1.
inline int atLeastOne(int value) { return value < 1 ? 1 : value; }
// ceil(a / b) for a >= 0, b >= 1.
inline int ceilDiv(int a, int b) { return int((int64_t(a) + b - 1) / b); }

// Paints line o of the area (o = 0 at the area's left column or top row)
// in lineColours[o], across the whole area.
void paintLines(Frame &frame, int cols, const GridRect &area, SweepDirection d, const ColorValue *lineColours);

#pragma once
// Palette fill ("调色盘填充"): sixteen ways of filling the grid or the
// current frame with the palette's colours, from the selected palette entry
// on. The selected entry itself is never moved: a run counts on a copy.
//
//   0, 1    one frame per palette colour from the selected one to the last:
//           the current frame combined with the colour (1: points of the
//           background colour stay), inside the defined area
//   2 .. 5  the current frame recoloured in place, line by line, the colour
//           moving on after every line that had something to recolour
//   6, 7    ellipse outlines growing from the centre or closing in
//   8 .. 15 a 15-degree sector turning round in 24 frames, clockwise or
//           not, on the ellipse around the grid or inside it, each frame
//           adding to the last or showing its sector alone
//
// Added frames are inserted whatever the AddMode.

#include "patterns/pattern_target.h"

#include <QString>
#include <vector>

class Prompt;

constexpr int kPaletteFillModeCount = 16;
// Frames of a turning-sector run: one per 15 degrees.
constexpr int kPaletteSectorFrames = 24;

struct PaletteFillParams
{
    int mode = 0;         // 0..15; anything else does nothing
    int colourAction = 0; // the operation panel's ColourAction index (modes 0 to 5)
};

// Item text of mode 0..15 (section "AutoComboBox",
// "ComboBoxPaletteFillItem0".."ComboBoxPaletteFillItem15").
QString paletteFillModeText(int mode);

// Frames a run adds on a rows x cols grid, a palette of `colours` entries
// with `selected` as the selected one (0 for the modes that change the
// current frame in place).
int64_t paletteFillFrameCount(int mode, int rows, int cols, int colours, int selected);

// Modes 2 to 5 recolour the current frame instead of adding frames.
constexpr bool paletteFillRecolours(int mode)
{
    return mode >= 2 && mode <= 5;
}

// Rings: trunc(0.707 x min(Rows, Cols) + 1).
int paletteRingCount(int rows, int cols);

// The grid points of the shapes, as 0/1 per point in linear-index order:
// the outline of the ellipse in the box (x0, y0)-(x1, y1), and the 15-degree
// pie from `startDegrees` (clockwise from the positive x axis) of the
// ellipse in the box at (x, y) of width w and height h. Both are drawn
// without anti-aliasing.
std::vector<uint8_t> paletteRingPoints(int rows, int cols, int x0, int y0, int x1, int y1);
std::vector<uint8_t> paletteSectorPoints(int rows, int cols, int x, int y, int w, int h, int startDegrees);

// Returns the frames added, or 1 when modes 2 to 5 changed the current
// frame (0 when it had nothing to recolour). Needs a palette with a colour
// and a current frame.
int generatePaletteFill(PatternTarget &target, const PaletteFillParams &p);
// An empty palette shows "调色板中颜色为空", a run whose frames would not
// fit in memory "TooManyFrames"; both before anything is made.
int runPaletteFill(PatternTarget &target, const PaletteFillParams &p, Prompt &prompt);

#pragma once
// Stacking blocks ("堆积木"): blocks fall (or slide) one after another, or
// several at a time at a set frequency, and pile up in layers until the
// area is full. The foreground may be a PaletteFlow instead of a colour.
// Uses the area the page took when it was created, and follows all three
// AddModes. Outside the area each frame keeps the frame constructor's
// start value.

#include "patterns/pattern_target.h"

class Prompt;

// Foreground items 0..7 are BasicColourList colours; 8..17 are the ten
// FlowDirection items.
constexpr int kStackingFlowItemBase = 8;
constexpr int kStackingForegroundItems = 18;

struct StackingParams
{
    int foreground = 0;
    int background = 7;
    int blockHeight = 2; // 0 or less counts as 1
    int blockWidth = 2;  // 0 or less counts as 1
    int frequency = 4;   // > 0: a block every `frequency` frames; else one at a time
    int direction = 0;   // SweepDirection
    GridRect area;       // the GenerationArea when the page was created
};

// Lanes side by side across the motion: 1, 2 or 3, from the block's
// thickness against the grid's extent across the motion.
int stackingLaneCount(const StackingParams &p, int rows, int cols);

// The frames a run makes on a rows x cols grid (0 when the area does not
// fit the grid), worked out without making them.
int64_t stackingFrameCount(const StackingParams &p, int rows, int cols);

int generateStacking(PatternTarget &target, const StackingParams &p);
// The colour check applies only to a colour foreground. A run whose
// frames would not fit in memory is refused with "TooManyFrames".
int runStacking(PatternTarget &target, const StackingParams &p, Prompt &prompt);

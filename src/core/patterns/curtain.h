#pragma once
// Curtain ("拉幕"): the foreground sweeps across the area, `step` lines per
// frame, over the background; outside the area every frame is black.
// Honours the defined area; inserts for AddMode 0 and overwrites (storing
// and advancing) for 1 and 2.

#include "patterns/pattern_target.h"

class Prompt;

struct CurtainParams
{
    int foreground = 0; // BasicColourList index
    int background = 7;
    int step = 1;       // 0 or less counts as 1
    int direction = 0;  // SweepDirection
};

// The number of frames a run over `area` makes: ceil(extent / step).
int curtainFrameCount(const CurtainParams &p, const GridRect &area);

// Makes the frames (no colour check). Returns the number of frames made.
int generateCurtain(PatternTarget &target, const CurtainParams &p);
// The page's confirm button: the colour check, then the frames. Returns the
// number of frames made (0 when the colours were refused, or when the
// frames would not fit in memory: "TooManyFrames", nothing made).
int runCurtain(PatternTarget &target, const CurtainParams &p, Prompt &prompt);

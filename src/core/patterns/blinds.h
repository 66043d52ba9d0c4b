#pragma once
// Blinds ("百叶窗"): the area is cut into slats; each slat fills with the
// foreground from its start side, then the background sweeps back over it;
// the whole is repeated. Honours the defined area; every frame is inserted
// whatever the AddMode; outside the area every frame is black.

#include "patterns/pattern_target.h"

class Prompt;

struct BlindsParams
{
    int foreground = 0;
    int background = 7;
    int step = 1;      // 0 or less counts as 1
    int direction = 0; // SweepDirection
    int slats = 2;     // 0 or less counts as 1
    int repeat = 1;    // 0 or less counts as 1
};

// Lines per slat: ceil(extent / slats).
int blindsSlatSize(const BlindsParams &p, const GridRect &area);
// repeat x 2 x ceil(slat size / step).
int blindsFrameCount(const BlindsParams &p, const GridRect &area);

int generateBlinds(PatternTarget &target, const BlindsParams &p);
int runBlinds(PatternTarget &target, const BlindsParams &p, Prompt &prompt);

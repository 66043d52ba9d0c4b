#pragma once
// Water drip ("滴水"): a drop falls down the middle column to the water,
// spreads sideways over the row above it, and the water rises row by row
// until the grid is full. Always the whole grid; every frame is inserted
// whatever the AddMode. The page's pattern list (ordinary or inverted-V
// drip) gives this same pattern for both items.

#include "patterns/pattern_target.h"

#include <QString>

class Prompt;

struct WaterDripParams
{
    int foreground = 0;
    int background = 7;
    int pattern = 0; // 0 "普通滴水花样", 1 "倒V形滴水花样": the same frames
};

// Rows x (Rows + 1) / 2 falling frames plus Rows x (Cols / 2) spreading
// frames (none for a single column).
int64_t waterDripFrameCount(int rows, int cols);

// Item text of the pattern list (section "AutoComboBox",
// "ComboBoxWaterDripItem0" / "ComboBoxWaterDripItem1").
QString waterDripPatternText(int index);

int generateWaterDrip(PatternTarget &target, const WaterDripParams &p);
int runWaterDrip(PatternTarget &target, const WaterDripParams &p, Prompt &prompt);

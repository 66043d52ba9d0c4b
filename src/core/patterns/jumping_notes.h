#pragma once
// Jumping notes ("音符跳动"): bars of palette colours rise to random heights
// and fall back, like a level meter, in all, the odd or the even columns
// (or rows). Always the whole grid; every frame is inserted whatever the
// AddMode. The bars start in the first 50 frames of a longer run that is
// not shown, so the first frame shown is already lively.

#include "patterns/pattern_target.h"

#include <QString>

class PatternRandom;
class Prompt;

// Frames simulated before the first one shown.
constexpr int kJumpingNotesLeadIn = 50;
constexpr int kJumpingNotesRangeCount = 3;

struct JumpingNotesParams
{
    int frames = 100;        // "自动生成帧数"; 0 or less makes none
    bool horizontal = false; // "水平": bars grow along rows from the left
    int range = 0;           // 0 every line, 1 lines 0, 2, 4 ..., 2 lines 1, 3, 5 ...
};

// Item text of the range list (section "AutoComboBox",
// "ComboBoxNoteItem0".."ComboBoxNoteItem2").
QString jumpingNotesRangeText(int index);

// Whether line `line` (a column when vertical, a row when horizontal)
// carries a bar under `range`.
bool jumpingNotesLineMoves(int range, int line);

// Draws from `random` line by line: each line's heights for the whole run
// are drawn before the next line's. Needs a palette with a colour.
int generateJumpingNotes(PatternTarget &target, const JumpingNotesParams &p, PatternRandom &random);
// An empty palette shows "调色板中颜色为空"; a count that would not fit
// in memory shows "TooManyFrames"; both before anything is made. Draws
// from the program's one generator.
int runJumpingNotes(PatternTarget &target, const JumpingNotesParams &p, Prompt &prompt);

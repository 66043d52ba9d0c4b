#pragma once
// Cut, copy, delete and invert over a range of frames, on the defined block
// or on whole frames: what the "复制和剪切" dialog does when confirmed.

#include "document/frame_range.h"
#include "editing/editing_state.h"

#include <QString>

class Document;
class Prompt;

enum class RangeOperation { Cut, Copy, Delete, Invert };

// The dialog's mode 1..8: cut 1/2, copy 3/4, delete 5/6, invert 7/8, the
// odd number when the block is usable, the even one otherwise.
int frameRangeMode(RangeOperation op, bool blockUsable);
inline bool rangeModeIsBlock(int mode) { return mode % 2 == 1; }

// Runs the mode over frames start..end (the dialog's 1-based, inclusive
// fields). A range out of bounds shows the range message (error icon) and
// returns false with nothing changed; the dialog then stays open. Invert
// (7, 8) is the picture menu's invert over the same range.
bool runFrameRange(Document &doc, EditingState &state, int mode, int start, int end, Prompt &prompt);

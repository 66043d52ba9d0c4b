#pragma once
// "帧重复": each frame of a range is followed by n exact copies of itself.

#include "document/frame_range.h"
#include "document/run_progress.h"

class Document;

enum class RepeatResult { Done, NothingToDo, TooManyFrames, BadRange };

// For each frame of the range, in order, inserts n copies directly after
// it: frames a, b with n = 2 become a, a, a, b, b, b. The last copy of the
// last frame of the range becomes current. n <= 0 adds nothing. A count
// whose frames would not fit in the frame memory budget (frame_budget.h)
// is refused with TooManyFrames before anything is copied.
//
// `progress` hears of every copy made (of range.count() x n). When it says
// stop, the copies made so far are put in place as above and the rest are
// not made: with a, b and n = 2 stopped after the third copy, a, a, a, b, b.
// The document is not touched before the copies are made, so it can be
// shown while the run goes on.
RepeatResult repeatFrames(Document &doc, FrameRange range, int n, const RunProgress &progress = {});

// The refusal of every run whose frames would not fit in memory (section
// "Message", key "TooManyFrames").
QString tooManyFramesText();

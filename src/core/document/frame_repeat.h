#pragma once
// "帧重复": each frame of a range is followed by n exact copies of itself.

#include "document/frame_range.h"

class Document;

// The most colours (over all frames) a repetition may leave the document
// holding: 1 GiB of frame data. A repeat count that would need more is
// refused instead of exhausting memory.
constexpr long long kMaxRepeatedPoints = 256LL * 1024 * 1024;

enum class RepeatResult { Done, NothingToDo, TooManyFrames, BadRange };

// For each frame of the range, in order, inserts n copies directly after
// it: frames a, b with n = 2 become a, a, a, b, b, b. The last copy of the
// last frame of the range becomes current. n <= 0 adds nothing.
RepeatResult repeatFrames(Document &doc, FrameRange range, int n);

// "帧数太多，无法重复。" (section "Message", key "TooManyFrames").
QString tooManyFramesText();

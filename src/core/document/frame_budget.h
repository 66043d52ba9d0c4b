#pragma once
// The memory frames may take. Every run that adds frames in bulk (pattern
// runs, frame repetition, paste, pattern keys) works out how many frames it
// will add before it makes any, and is refused with the "TooManyFrames"
// message when the document's frames would no longer fit: a run must never
// end the program (with the project unsaved) by exhausting memory.

#include <QString>
#include <cstdint>

class Document;
class Prompt;

// Never more than 1 GiB of frames, the bound frame repetition always had.
constexpr int64_t kMaxProjectFrameBytes = int64_t(1) << 30;

// Half of the machine's physical memory, at most kMaxProjectFrameBytes.
int64_t frameMemoryBudget();

// The memory one frame of `points` points takes, its bookkeeping included
// (so a million one-point frames are not counted as 4 MB).
int64_t frameBytes(int64_t points);

// Whether a document with `frames` frames of `points` points each stays
// within `budget` bytes (and within the frame numbers a document can hold).
bool framesFit(int64_t frames, int64_t points, int64_t budget = frameMemoryBudget());

// Before a run that adds up to `added` frames to `doc`: true when they fit
// beside the frames it holds; otherwise the "TooManyFrames" message is
// shown and false returned, with nothing made yet.
bool checkFramesToAdd(const Document &doc, int64_t added, Prompt &prompt);

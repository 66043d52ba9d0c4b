#pragma once
// Pasting the frame clipboard into the document: what the paste dialog
// does when confirmed.

#include "document/run_progress.h"
#include "editing/editing_state.h"

#include <QString>

class Document;
class Prompt;

enum class PasteDirection : int {
    AsCopied = 0,     // "原来方向"
    MirrorLeftRight = 1, // "水平镜像": each row reversed
    MirrorTopBottom = 2, // "竖直镜像": rows in reverse order
    MirrorBoth = 3       // "中心镜像": half a turn
};

struct PasteOptions
{
    int start = 1; // 1-based frame the paste starts at
    int count = 1; // repetitions of the whole clipboard series
    bool overwrite = false;
    bool transparent = false; // overwrite only: background points are skipped
    bool reverse = false;     // last clipboard frame first
    PasteDirection direction = PasteDirection::AsCopied;
};

enum class PasteResult {
    Pasted,
    Mismatch,     // the block and the clipboard differ in size; message shown
    StartInvalid, // start below 1; range message shown, the dialog stays open
    // The frames would not fit in memory: "TooManyFrames" shown, nothing
    // pasted.
    TooManyFrames,
};

// Insert mode: each clipboard frame goes into a new frame (the frame
// constructor's) inside the target rectangle, and the new frames follow
// the start frame in order (appended when the start is past the end).
//
// Overwrite mode: each point of the frames from the start frame on becomes
// ColourAction(old, clipboard colour). Every repetition goes on where the
// previous one stopped; where the sequence ends, new frames from the frame
// constructor are appended and written, so all count x clipboard frames are
// always written.
//
// A count below 1 pastes nothing. The current frame stays the same frame.
//
// `progress` hears of every frame written (of count x clipboard frames);
// when it says stop, the paste ends there with the frames written so far.
PasteResult pasteClipboard(Document &doc, const EditingState &state, const PasteOptions &options, Prompt &prompt,
                           const RunProgress &progress = {});

// "剪贴板为空！不能进行粘贴操作。" (the paste command's refusal).
QString clipboardEmptyText();
// The size mismatch with clipboard rows and columns, target rows and columns.
QString clipboardMismatchText(int clipRows, int clipCols, int targetRows, int targetCols);

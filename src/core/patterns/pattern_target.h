#pragma once
// What a pattern run works on: the document, the operation panel's AddMode
// and defined area, the palette, and someone who wants to hear about
// progress. A run hands its frames over through a FrameSink, which keeps
// the document's signals back until the run ends, so the views repaint
// once per run instead of once per frame, and which makes the whole run one
// entry of the undo history (named by the page, e.g. EditNames::Curtain).

#include "document/document.h"
#include "document/frame_edit.h"
#include "document/run_progress.h"
#include "editing/block_area.h"
#include "patterns/add_mode.h"

#include <functional>
#include <optional>

struct PaletteState;

// Called after every frame a run hands over; a false answer stops the run
// with the frames made so far. Called once more when the run ends (its
// answer is not used then).
using PatternProgress = RunProgress;

struct PatternTarget
{
    explicit PatternTarget(Document &d, int mode = 0, const BlockArea &a = BlockArea(), PaletteState *p = nullptr)
        : doc(d), addMode(mode), area(a), palette(p)
    {
    }

    Document &doc;
    int addMode = 0;                   // the operation panel's AddMode index
    BlockArea area;                    // the operation panel's defined area
    PaletteState *palette = nullptr;   // for PaletteFlow
    PatternProgress progress;

    // What the run did, filled in as frames are handed over: the frames it
    // wrote lie from firstWritten to lastWritten (-1 before the first), and
    // `changed` of them were there before the run (overwritten).
    int firstWritten = -1;
    int lastWritten = -1;
    int changed = 0;
};

// The rectangle a family draws in when it honours the defined area: the
// area when it is defined and drawn (and fits the grid), else the whole
// grid.
GridRect generationArea(const BlockArea &area, int rows, int cols);

class FrameSink
{
public:
    FrameSink(PatternTarget &target, AddRule rule, int expected = 0, const EditName &name = EditNames::AutoPattern);
    ~FrameSink();
    FrameSink(const FrameSink &) = delete;
    FrameSink &operator=(const FrameSink &) = delete;

    Document &doc() { return m_target.doc; }
    AddMode mode() const { return m_mode; }
    // Adds the frame; false once the run is to stop (the listener said so):
    // the family then returns without making more.
    bool hand(Frame frame);
    bool stopped() const { return m_stopped; }
    int made() const { return m_made; }

private:
    PatternTarget &m_target;
    AddMode m_mode;
    int m_expected;
    int m_framesBefore; // the sequence's length when the run began
    int m_made = 0;
    bool m_stopped = false;
    std::optional<Document::UpdateBatch> m_batch;
    std::optional<FrameEdit> m_edit;
};

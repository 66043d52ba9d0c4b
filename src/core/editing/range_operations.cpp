#include "editing/range_operations.h"

#include "document/document.h"
#include "document/frame_edit.h"
#include "editing/frame_block.h"
#include "editing/invert.h"
#include "settings/prompt.h"

int frameRangeMode(RangeOperation op, bool blockUsable)
{
    return 2 * int(op) + (blockUsable ? 1 : 2);
}

namespace {

// Frames s..e-1 leave the sequence (copies into `out` when given; the
// frames themselves are kept for undo); a sequence left empty gets one new
// frame; the current frame is the one now at s, or the one before when s is
// past the end.
void removeFrames(Document &doc, FrameEdit &edit, int s, int e, std::vector<Frame> *out)
{
    FrameSequence &frames = doc.frames();
    if (out)
        out->reserve(size_t(e - s));
    edit.remove(s, e - s, out);
    if (frames.empty()) {
        edit.insert(0, doc.makeFrame());
        frames.setCurrentIndex(0);
    } else {
        frames.setCurrentIndex(s < frames.count() ? s : frames.count() - 1);
    }
    doc.framesEdited();
}

} // namespace

bool runFrameRange(Document &doc, EditingState &state, int mode, int start, int end, Prompt &prompt)
{
    const std::optional<FrameRange> range = FrameRange::fromDialog(start, end, doc.frameCount());
    if (!range) {
        prompt.inform(frameRangeErrorText(), PromptIcon::Error);
        return false;
    }
    const int s = range->first;
    const int e = range->end;
    const int rows = doc.rows();
    const int cols = doc.cols();
    const GridRect whole{0, 0, cols - 1, rows - 1};
    // The block modes use the block when it still fits the grid; the frame
    // modes always work on whole frames.
    const GridRect rect = rangeModeIsBlock(mode) ? state.area.areaOrGrid(rows, cols) : whole;
    const ColorValue background = doc.backgroundColor();
    FrameSequence &frames = doc.frames();
    FrameClipboard &clip = state.clipboard;
    // Copy changes no frame: it leaves no entry in the history.
    FrameEdit edit(doc, mode <= 2 ? EditNames::Cut : mode <= 6 ? EditNames::Delete : EditNames::Invert);

    switch (mode) {
    case 1: // cut block
        clip.resize(rect.height(), rect.width(), size_t(e - s));
        for (int i = s; i < e; ++i) {
            copyBlockInto(frames[i], cols, rect, clip.frames[size_t(i - s)].data());
            fillBlock(edit.changeBlock(i, rect.left, rect.top, rect.right, rect.bottom), cols, rect, background);
        }
        doc.frameContentEdited();
        break;
    case 2: // cut frames
        clip.reset(rows, cols);
        removeFrames(doc, edit, s, e, &clip.frames);
        break;
    case 3:
    case 4: // copy
        clip.resize(rect.height(), rect.width(), size_t(e - s));
        for (int i = s; i < e; ++i)
            copyBlockInto(frames[i], cols, rect, clip.frames[size_t(i - s)].data());
        break;
    case 5: // delete block
        for (int i = s; i < e; ++i)
            fillBlock(edit.changeBlock(i, rect.left, rect.top, rect.right, rect.bottom), cols, rect, background);
        doc.frameContentEdited();
        break;
    case 6: // delete frames
        removeFrames(doc, edit, s, e, nullptr);
        break;
    case 7: // invert the block
        invertFrames(doc, *range, state.area);
        break;
    case 8: // invert whole frames
        invertFrames(doc, *range, BlockArea{});
        break;
    default:
        break;
    }
    return true;
}

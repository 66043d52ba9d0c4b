#include "patterns/pattern_key_run.h"

#include "document/document.h"
#include "document/frame_budget.h"
#include "document/frame_edit.h"
#include "editing/colour_action.h"
#include "editing/editing_state.h"
#include "patterns/add_mode.h"

Frame patternKeyFrame(const Frame &current, int rows, int cols, const GridRect &rect, PatternAction action,
                      PatternKey key, int count, ColourAction colourAction, ColorValue blank)
{
    Frame out;
    if (rows <= 0 || cols <= 0 || current.size() != size_t(rows) * size_t(cols))
        return current;
    movePatternArea(current, cols, rect, action, key, count, blank, out);
    // Inside the area the old colour meets the moved one: the colour
    // action's "old" is the current frame, its "new" the moved picture.
    Frame combined = current;
    const size_t width = size_t(rect.width());
    for (int y = rect.top; y <= rect.bottom; ++y) {
        const size_t at = size_t(y) * size_t(cols) + size_t(rect.left);
        combineRun(colourAction, combined.data() + at, out.data() + at, width);
    }
    return combined;
}

bool pressPatternKey(Document &doc, const EditingState &editing, PatternAction action, PatternKey key,
                     int count, Prompt &prompt)
{
    const Frame *current = doc.currentFrame();
    if (!current || doc.pointCount() <= 0)
        return false;
    // Held down, a key adds frames as fast as the keyboard repeats.
    if (!checkFramesToAdd(doc, 1, prompt))
        return false;
    const GridRect rect = editing.area.areaOrGrid(doc.rows(), doc.cols());
    const Frame blankFrame = doc.backgroundFrame();
    Frame made = patternKeyFrame(*current, doc.rows(), doc.cols(), rect, action, key, count,
                                 editing.colourAction, blankFrame.empty() ? 0 : blankFrame[0]);
    FrameEdit edit(doc, EditNames::PatternKey);
    addFrame(doc, editing.addMode, std::move(made));
    return true;
}

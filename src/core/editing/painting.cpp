#include "editing/painting.h"

#include "document/document.h"
#include "document/frame_edit.h"
#include "editing/colour_action.h"
#include "editing/frame_block.h"

#include <algorithm>

namespace {

// Tells the strokes apart, so that only the visits of one stroke join.
int g_paintStrokeSerial = 0;

} // namespace

GridRect brushStamp(Brush brush, int x, int y)
{
    const int r = brushStampSide(brush) / 2;
    return GridRect{x - r, y - r, x + r, y + r};
}

int brushStampSide(Brush brush)
{
    switch (brush) {
    case Brush::Small:
        return 3;
    case Brush::Large:
        return 5;
    case Brush::Huge:
        return 9;
    default:
        return 1;
    }
}

bool PaintStroke::paintAt(int x, int y)
{
    if (x == m_lastX && y == m_lastY)
        return false;
    Frame *frame = m_doc.currentFrame();
    const int rows = m_doc.rows();
    const int cols = m_doc.cols();
    if (!m_state.penEnabled || !frame || frame->size() != size_t(m_doc.pointCount()))
        return false;
    if (x < 0 || y < 0 || x >= cols || y >= rows)
        return false;
    // The stamp is cut to the allowed rectangle (the block when usable,
    // else the grid): a large brush near the block's edge paints its part
    // inside and nothing outside.
    const GridRect allowed = m_state.area.areaOrGrid(rows, cols);
    const GridRect full = brushStamp(m_palette.brush, x, y);
    const GridRect stamp{std::max(full.left, allowed.left), std::max(full.top, allowed.top),
                         std::min(full.right, allowed.right), std::min(full.bottom, allowed.bottom)};
    if (stamp.width() <= 0 || stamp.height() <= 0)
        return false;
    m_lastX = x;
    m_lastY = y;

    // The points this visit may change, for undo: the stamp, or the rows
    // or columns it spreads along. All visits of one stroke are one entry.
    if (m_key == 0)
        m_key = ++g_paintStrokeSerial;
    FrameEdit edit(m_doc, EditNames::Paint, m_key);
    switch (m_state.strokeSpread) {
    case StrokeSpread::WholeRow:
        edit.watchPoints(m_doc.currentIndex(), allowed.left, stamp.top, allowed.right, stamp.bottom);
        break;
    case StrokeSpread::WholeColumn:
        edit.watchPoints(m_doc.currentIndex(), stamp.left, allowed.top, stamp.right, allowed.bottom);
        break;
    default:
        edit.watchPoints(m_doc.currentIndex(), stamp.left, stamp.top, stamp.right, stamp.bottom);
        break;
    }

    const ColourAction action = m_state.colourAction;
    const ColorValue brush = m_palette.currentColour;
    auto newColour = [&](int px, int py) { return combineColours(action, frame->at(px, py, cols), brush); };
    // The spread repeats, for every row (column) of the stamp, what one
    // point does: the new colour of the stamp's centre point on that row
    // runs along the row of the allowed rectangle.
    const int cx = std::clamp(x, stamp.left, stamp.right);
    const int cy = std::clamp(y, stamp.top, stamp.bottom);
    switch (m_state.strokeSpread) {
    case StrokeSpread::WholeRow:
        for (int py = stamp.top; py <= stamp.bottom; ++py)
            fillBlock(*frame, cols, GridRect{allowed.left, py, allowed.right, py}, newColour(cx, py));
        break;
    case StrokeSpread::WholeColumn:
        for (int px = stamp.left; px <= stamp.right; ++px)
            fillBlock(*frame, cols, GridRect{px, allowed.top, px, allowed.bottom}, newColour(px, cy));
        break;
    default:
        for (int py = stamp.top; py <= stamp.bottom; ++py)
            for (int px = stamp.left; px <= stamp.right; ++px)
                frame->set(px, py, cols, newColour(px, py));
        break;
    }

    if (m_palette.brush == Brush::Single)
        m_palette.advanceSelection();
    m_doc.frameContentEdited();
    return true;
}

bool fillCurrentFrame(Document &doc, const EditingState &state, ColorValue colour)
{
    Frame *frame = doc.currentFrame();
    if (!frame || frame->size() != size_t(doc.pointCount()))
        return false;
    FrameEdit edit(doc, EditNames::AllLight);
    const GridRect rect = state.area.areaOrGrid(doc.rows(), doc.cols());
    fillBlock(edit.changeBlock(doc.currentIndex(), rect.left, rect.top, rect.right, rect.bottom), doc.cols(), rect,
              colour);
    doc.frameContentEdited();
    return true;
}

bool insertCopyOfCurrent(Document &doc)
{
    const Frame *frame = doc.currentFrame();
    if (!frame)
        return false;
    FrameEdit edit(doc, EditNames::InsertFrame);
    doc.insertFrameAfterCurrent(Frame(*frame));
    return true;
}

void setAddMode(EditingState &state, Document &doc, AddMode addMode)
{
    state.addMode = addMode;
    doc.setNewFrameCopiesCurrent(addMode != AddMode::Insert);
}

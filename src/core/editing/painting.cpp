#include "editing/painting.h"

#include "document/document.h"
#include "editing/colour_action.h"
#include "editing/frame_block.h"

bool PaintStroke::paintAt(int x, int y)
{
    if (x == m_lastX && y == m_lastY)
        return false;
    Frame *frame = m_doc.currentFrame();
    const int rows = m_doc.rows();
    const int cols = m_doc.cols();
    if (!m_state.penEnabled || !frame || frame->size() != size_t(m_doc.pointCount()))
        return false;
    const GridRect allowed = m_state.area.areaOrGrid(rows, cols);
    if (!allowed.contains(x, y))
        return false;
    m_lastX = x;
    m_lastY = y;

    const ColorValue colour = combineColours(m_state.colourAction, frame->at(x, y, cols), m_palette.currentColour);
    frame->set(x, y, cols, colour);
    if (m_state.strokeSpread == StrokeSpread::WholeRow)
        fillBlock(*frame, cols, GridRect{allowed.left, y, allowed.right, y}, colour);
    else if (m_state.strokeSpread == StrokeSpread::WholeColumn)
        fillBlock(*frame, cols, GridRect{x, allowed.top, x, allowed.bottom}, colour);

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
    fillBlock(*frame, doc.cols(), state.area.areaOrGrid(doc.rows(), doc.cols()), colour);
    doc.frameContentEdited();
    return true;
}

bool insertCopyOfCurrent(Document &doc)
{
    const Frame *frame = doc.currentFrame();
    if (!frame)
        return false;
    doc.insertFrameAfterCurrent(Frame(*frame));
    return true;
}

void setAddMode(EditingState &state, Document &doc, AddMode addMode)
{
    state.addMode = addMode;
    doc.setNewFrameCopiesCurrent(addMode != AddMode::Insert);
}

#pragma once
// Painting grid points with the mouse, and the operation panel's frame
// buttons ("全亮", "保存") and drop-downs that steer them.

#include "editing/editing_state.h"
#include "palette/palette_state.h"

class Document;

// One press-and-drag of the left button. Each grid point the mouse reaches
// is painted once per visit: a move that stays on the last painted point
// paints nothing.
class PaintStroke
{
public:
    PaintStroke(Document &doc, const EditingState &state, PaletteState &palette)
        : m_doc(doc), m_state(state), m_palette(palette)
    {
    }

    // Paints the brush's stamp centred on column x, row y when the pen is
    // on, there is a current frame and the point lies in the grid. The
    // stamp is cut to the allowed rectangle (the block when usable, else
    // the grid); every point of it becomes ColourAction(old, current
    // colour), each row (column) spread along the allowed rectangle by
    // StrokeSpread; the Single brush then advances the palette. Returns
    // whether anything was painted.
    bool paintAt(int x, int y);

private:
    Document &m_doc;
    const EditingState &m_state;
    PaletteState &m_palette;
    int m_lastX = -1;
    int m_lastY = -1;
    int m_key = 0; // the stroke's one entry in the undo history
};

// The square a brush paints, centred on (x, y), before it is cut to the
// grid or the block: Small 3 x 3, Large 5 x 5, Huge 9 x 9 points; Single and
// no brush one point.
int brushStampSide(Brush brush);
GridRect brushStamp(Brush brush, int x, int y);

// "全亮": the current frame (only the usable block of it) in one colour.
// Returns false when there is no current frame.
bool fillCurrentFrame(Document &doc, const EditingState &state, ColorValue colour);

// "保存": a copy of the current frame inserted after it.
bool insertCopyOfCurrent(Document &doc);

// The AddMode drop-down, which is also the frame constructor's copy switch:
// any mode but Insert ("插入") makes new frames start as a copy of the
// current frame.
void setAddMode(EditingState &state, Document &doc, AddMode addMode);

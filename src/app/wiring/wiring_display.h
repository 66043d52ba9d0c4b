#pragma once
// The canvas in wiring mode draws the wiring instead of the frame colours:
// a cross on every head pixel, the chain of each port as a line through its
// cells in list order, and a small ellipse on every visible cell in its
// cell-map colour. Over that come the rubber rectangle of a drag and the
// preview of a paste, both with an inverting pen.

#include "canvas/canvas_geometry.h"
#include "document/wiring.h"
#include "wiring/wiring_clipboard.h"
#include "wiring/wiring_editor.h"

#include <QPoint>

#include <memory>

class QPainter;
struct EllipseStamp;

// The cell ellipse stamped on every visible cell, kept between repaints
// while the zoomed cell size stays the same (a repaint then only copies
// it). Only ellipses that fit in the view are stamped; larger ones, seen
// through the view a few at a time, are drawn by the painter, which fills
// only their visible part.
class EllipseStampCache
{
public:
    EllipseStampCache();
    ~EllipseStampCache();
    // The stamp for arms rx x ry, built when the size changed since the last
    // call. Null when the ellipse would not fit in `view`.
    const EllipseStamp *stampFor(int rx, int ry, QSize view);
    // How many stamps were made so far.
    int builds() const { return m_builds; }

private:
    std::unique_ptr<EllipseStamp> m_stamp;
    int m_builds = 0;
};

struct WiringDisplay
{
    const Wiring *wiring = nullptr;
    WiringEditMode mode = WiringEditMode::Define;
    // The first click of an insert or a copy: from there on the rest of its
    // port's line is drawn thin and dashed (insert) or dash-dotted (copy).
    QPoint remembered{-1, -1};
    ColorValue gridLineColor = makeColor(100, 100, 100);
    // Where the ellipse stamp is kept between repaints; without one each
    // repaint makes its own.
    EllipseStampCache *ellipses = nullptr;
};

// d and e: a sixth of the zoomed cell width and height, at least 1 pixel.
int crossArm(const CanvasGeometry &g);
int crossArmVertical(const CanvasGeometry &g);

void paintWiring(QPainter &p, const CanvasGeometry &g, const WiringDisplay &d);
void paintRubberRectangle(QPainter &p, const CanvasGeometry &g, QPoint anchor, QPoint current);
// The clipboard's run as a paste at `at` with the held keys would place it;
// the line breaks where the port changes.
void paintPastePreview(QPainter &p, const CanvasGeometry &g, const Wiring &w, const WiringClipboard &clip, QPoint at,
                       bool ctrl, bool shift);

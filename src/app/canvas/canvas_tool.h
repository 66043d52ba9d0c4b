#pragma once
// How other parts of the editor work on the canvas without the canvas
// knowing them.
//
// A CanvasOverlay only draws: it is called after the cells, the grid lines
// and the defined area's frame, in the order the overlays were added, and
// draws in client pixels of the canvas (use the geometry to place things on
// cells). Block rubber bands, markers and previews are overlays.
//
// A CanvasTool is the one thing that owns the mouse at a time: the painting
// tool in normal editing, the wiring editor while the " Line " page is
// selected. CanvasView::setTool installs it; the view keeps reporting the
// grid point and colour under the mouse on the status bar, then hands every
// press, move and release to the tool. A tool that draws the grid in its own
// way (the wiring display) says so with drawsGridItself() and is asked to
// paint instead of the frame colours; grid lines and the area frame are
// drawn over it as usual. Its own overlay (paintOverlay) comes last.
//
// Tools and overlays are owned by whoever installs them; remove them from
// the view before they are destroyed.

class CanvasView;
class CanvasGeometry;
class Frame;
class QKeyEvent;
class QMouseEvent;
class QPainter;

class CanvasOverlay
{
public:
    virtual ~CanvasOverlay() = default;
    virtual void paintOverlay(QPainter &painter, const CanvasGeometry &geometry) = 0;
};

class CanvasTool : public CanvasOverlay
{
public:
    // Each returns true when it consumed the event. The view has already
    // updated the status panes for the point under the mouse. Call
    // view.update() (or let the document's signals do it) after a change.
    virtual bool mousePress(CanvasView &, QMouseEvent *) { return false; }
    virtual bool mouseMove(CanvasView &, QMouseEvent *) { return false; }
    virtual bool mouseRelease(CanvasView &, QMouseEvent *) { return false; }
    // Offered before the canvas's own key table; true consumes the key.
    virtual bool keyPress(CanvasView &, QKeyEvent *) { return false; }

    void paintOverlay(QPainter &, const CanvasGeometry &) override {}

    // True while the tool draws the grid itself (the wiring display).
    virtual bool drawsGridItself() const { return false; }
    // Called after the canvas was filled black, instead of the cells. Only
    // the cells in CanvasGeometry::visibleColumns() / visibleRows() need
    // drawing.
    virtual void paintGrid(QPainter &, const CanvasGeometry &) {}

    // The frame whose colours the status bar reports under the mouse; null
    // for the document's current frame.
    virtual const Frame *statusFrame() const { return nullptr; }

    // Zoom, pan, scroll or actual size moved the grid: things the tool keeps
    // in client pixels (the wiring editor's tracing picture) follow it by
    // the same offset and zoom change.
    virtual void gridMoved(const CanvasGeometry &before, const CanvasGeometry &after)
    {
        (void)before;
        (void)after;
    }
};

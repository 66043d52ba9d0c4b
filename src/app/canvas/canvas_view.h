#pragma once
// The canvas: the main window's view of the current frame. It draws the
// grid of cells at its own zoom and scroll position (its own two scroll
// bars along the right and bottom edges), reports the grid point and colour
// under the mouse and the frame count on status panes 1 to 3, turns keys
// into zoom, pan and commands, and shows the start picture while the
// document has no frames.
//
// Painting, block selection and the wiring editor work on the canvas
// through CanvasTool and CanvasOverlay (canvas_tool.h): they read the grid's
// position through canvasGeometry() and gridPointAt(), get the mouse events
// once installed with setTool(), and draw over the grid in paintOverlay().

#include "canvas/canvas_geometry.h"
#include "canvas/canvas_renderer.h"
#include "canvas/start_picture.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

struct AppContext;
class CanvasOverlay;
class CanvasTool;
class QScrollBar;

class CanvasView : public QWidget
{
    Q_OBJECT
public:
    explicit CanvasView(AppContext &ctx, QWidget *parent = nullptr);
    ~CanvasView() override;

    AppContext &context() const { return m_ctx; }

    // --- what the main window drives ---------------------------------------
    // Zoom 1, the grid centred, scroll ranges of the unzoomed grid (Home,
    // "原视图", and after New and Open).
    void actualSize();
    // While playback runs only wired grid points are drawn, unless the
    // wiring is empty (a project without wiring plays every point) or
    // unwired lamps are asked for (View > "Show unwired lamps while
    // playing").
    void setPlayShowsWiredOnly(bool on);
    bool playShowsWiredOnly() const { return m_look.wiredOnly; }
    void setShowUnwiredWhilePlaying(bool on);
    // Kept in the settings, so the choice outlives the run.
    bool showUnwiredWhilePlaying() const;
    // Whether the picture now leaves the unwired points black.
    bool hidesUnwiredPoints() const;
    // The grid centred in the canvas at the present zoom (playback going
    // full screen); the offset from the centre, to be given back at Stop.
    void centreGrid();
    QPoint gridCentreOffset() const { return m_geom.centreOffset(); }
    void setGridCentreOffset(QPoint offset);
    bool showGrid() const { return m_look.showGrid; }
    void setShowGrid(bool on);
    // Looks the three status formats up again in the active language and
    // shows the frame count and the point last shown in it; the start
    // picture follows at the next redraw.
    void refreshStatusTexts();
    // The texts status pane 1..3 must have room for in the active language:
    // the largest grid position, the widest colour, a large frame count.
    QStringList widestStatusTexts(int pane) const;
    // The canvas as it is shown, fitted into `target` keeping its shape.
    void renderForPrint(QPainter &painter, const QRect &target);

    // --- grid options ------------------------------------------------------------
    CellShape cellShape() const { return m_look.cellShape; }
    void setCellShape(CellShape shape);
    ColorValue gridLineColor() const { return m_look.gridLineColor; }
    void setGridLineColor(ColorValue colour);

    // --- zoom and pan (the keys use these) ------------------------------------------
    // `cursor` in client pixels; without keepCentre (Ctrl) the grid point
    // under it moves to the client centre and so does the mouse cursor.
    bool zoomIn(bool keepCentre, QPoint cursor);
    bool zoomOut(bool keepCentre, QPoint cursor);
    // Ctrl + wheel: one zoom step with the grid point under `anchor` held
    // still.
    bool zoomAt(bool in, QPoint anchor);
    void pan(CanvasGeometry::PanDirection direction, CanvasGeometry::PanStep step);
    QScrollBar *horizontalBar() const { return m_hBar; }
    QScrollBar *verticalBar() const { return m_vBar; }

    // --- for tools and overlays -----------------------------------------------------
    const CanvasGeometry &canvasGeometry() const { return m_geom; }
    // The grid point under a client position by the truncating rule; may lie
    // outside the grid (check canvasGeometry().contains()).
    std::optional<GridPoint> gridPointAt(QPoint clientPos) const { return m_geom.pointAt(clientPos); }
    // Installs the tool that gets the mouse (null: none). The view does not
    // own it.
    void setTool(CanvasTool *tool);
    CanvasTool *tool() const { return m_tool; }
    void addOverlay(CanvasOverlay *overlay);
    void removeOverlay(CanvasOverlay *overlay);
    // Shows a text in status pane 1..3.
    void showStatus(int pane, const QString &text);
    // Pane 3 back to the frame count (a tool that lent it to another text).
    void showFrameCount();

    // The picture of the current state at the usable client size.
    QImage renderImage() const;

    // The operation panel's letter buttons: A, B, D, F, S and W pressed on
    // the canvas arrive here.
    std::function<void(char)> onPatternKey;

signals:
    void statusTextChanged(int pane, const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // The wheel scrolls the grid up and down, with Shift left and right;
    // with Ctrl it zooms about the mouse.
    void wheelEvent(QWheelEvent *event) override;

private:
    bool handleKey(QKeyEvent *event);
    void zoomed(const CanvasGeometry &before, bool moved, bool keepCentre);
    void gridMoved(const CanvasGeometry &before);
    void syncScrollBars();
    void followDocumentGeometry();
    void showPointStatus(QPoint clientPos);
    void showGridPointStatus(GridPoint gp);
    // The scroll bars mean something only once there is a grid to scroll.
    void showScrollBarsForDocument();
    CanvasScene scene() const;

    AppContext &m_ctx;
    CanvasGeometry m_geom;
    CanvasLook m_look;
    bool m_sized = false; // GridCentre is set by the first size computation
    QScrollBar *m_hBar = nullptr;
    QScrollBar *m_vBar = nullptr;
    bool m_syncingBars = false;
    bool m_inKey = false;
    // The grid point the panes name: its colour follows the frame shown
    // (playback, Stop, the play panel).
    std::optional<GridPoint> m_statusPoint;
    // Wheel turns smaller than a notch (touchpads) add up to whole steps.
    QPoint m_wheelRest;
    CanvasTool *m_tool = nullptr;
    std::vector<CanvasOverlay *> m_overlays;
    std::array<QString, 3> m_statusFormats;
    mutable StartPicture m_startPicture;
    QImage m_buffer;
};

#pragma once
// The wiring editor on the canvas: while the " Line " page is selected this
// tool gets the canvas's mouse, turns it into grid cells for the
// WiringEditor, and draws the wiring display, the rubber rectangle and the
// paste preview. In picture mode the mouse drags the tracing picture
// instead.

#include "canvas/canvas_tool.h"
#include "wiring/tracing_picture.h"
#include "wiring/wiring_display.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class CanvasView;
class Document;
class WiringEditor;

class WiringCanvasTool : public QObject, public CanvasTool
{
    Q_OBJECT
public:
    WiringCanvasTool(WiringEditor &editor, Document &doc, QObject *parent = nullptr);
    ~WiringCanvasTool() override;

    // The canvas the tool is installed on (null when it is not).
    void attach(CanvasView *view);
    CanvasView *view() const { return m_view; }

    TracingPicture &picture() { return m_picture; }
    bool pictureMode() const { return m_pictureMode; }
    void setPictureMode(bool on) { m_pictureMode = on; }

    bool mousePress(CanvasView &view, QMouseEvent *event) override;
    bool mouseMove(CanvasView &view, QMouseEvent *event) override;
    bool mouseRelease(CanvasView &view, QMouseEvent *event) override;

    bool drawsGridItself() const override { return true; }
    void paintGrid(QPainter &p, const CanvasGeometry &g) override;
    void paintOverlay(QPainter &p, const CanvasGeometry &g) override;
    void gridMoved(const CanvasGeometry &before, const CanvasGeometry &after) override;

protected:
    // Ctrl and Shift pressed or let go over the canvas change the paste
    // preview at once.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPoint cellAt(const CanvasView &view, QPoint client) const;
    void showAssignment(CanvasView &view, const QString &assignment);

    WiringEditor &m_editor;
    Document &m_doc;
    QPointer<CanvasView> m_view;
    TracingPicture m_picture;
    EllipseStampCache m_ellipses;
    bool m_pictureMode = false;
    QPoint m_hoverCell{-1, -1};
    bool m_hovering = false;
    bool m_showingAssignment = false;
};

#include "wiring/wiring_canvas_tool.h"

#include "canvas/canvas_view.h"
#include "document/document.h"
#include "wiring/wiring_display.h"
#include "wiring/wiring_editor.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

WiringCanvasTool::WiringCanvasTool(WiringEditor &editor, Document &doc, QObject *parent)
    : QObject(parent), m_editor(editor), m_doc(doc)
{
}

WiringCanvasTool::~WiringCanvasTool()
{
    // Going away with the window: the status bar may already be gone.
    m_showingAssignment = false;
    attach(nullptr);
}

void WiringCanvasTool::attach(CanvasView *view)
{
    if (m_view) {
        m_view->removeEventFilter(this);
        // The frame-count pane lent to the wiring assignment goes back.
        if (m_showingAssignment)
            m_view->showFrameCount();
        m_showingAssignment = false;
    }
    m_view = view;
    if (m_view)
        m_view->installEventFilter(this);
}

QPoint WiringCanvasTool::cellAt(const CanvasView &view, QPoint client) const
{
    const std::optional<GridPoint> g = view.gridPointAt(client);
    // A canvas too small to convert gives a cell far off the grid, which
    // every operation ignores.
    return g ? QPoint(g->column, g->row) : QPoint(-1000000, -1000000);
}

bool WiringCanvasTool::mousePress(CanvasView &view, QMouseEvent *event)
{
    const QPoint client = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        m_editor.rightPress();
        view.update();
        return true;
    }
    if (event->button() != Qt::LeftButton)
        return false;
    if (m_pictureMode) {
        m_picture.grip(client);
        return true;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    m_editor.press(cellAt(view, client), {bool(mods & Qt::ControlModifier), bool(mods & Qt::ShiftModifier),
                                          bool(mods & Qt::AltModifier)});
    view.update();
    return true;
}

bool WiringCanvasTool::mouseMove(CanvasView &view, QMouseEvent *event)
{
    const QPoint client = event->position().toPoint();
    if (m_pictureMode && m_picture.isGripped()) {
        m_picture.dragTo(client);
        view.update();
        return true;
    }
    const QPoint cell = cellAt(view, client);
    if (m_editor.isDragging()) {
        if (cell != m_editor.current()) {
            m_editor.dragTo(cell);
            view.showStatus(0, m_editor.rubberText());
            view.update();
        }
        return true;
    }
    showAssignment(view, m_editor.cellText(cell));
    if (m_editor.mode() == WiringEditMode::Paste && (cell != m_hoverCell || !m_hovering))
        view.update();
    m_hoverCell = cell;
    m_hovering = true;
    return true;
}

bool WiringCanvasTool::mouseRelease(CanvasView &view, QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    if (m_pictureMode) {
        m_picture.letGo();
        return true;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    m_editor.release(cellAt(view, event->position().toPoint()),
                     {bool(mods & Qt::ControlModifier), bool(mods & Qt::ShiftModifier), bool(mods & Qt::AltModifier)});
    view.update();
    return true;
}

void WiringCanvasTool::showAssignment(CanvasView &view, const QString &assignment)
{
    // The last pane shows the port and pixel of a wired cell under the
    // mouse; anywhere else it keeps showing the frame count.
    if (!assignment.isEmpty()) {
        view.showStatus(3, assignment);
        m_showingAssignment = true;
    } else if (m_showingAssignment) {
        view.showFrameCount();
        m_showingAssignment = false;
    }
}

void WiringCanvasTool::paintGrid(QPainter &p, const CanvasGeometry &g)
{
    if (!m_doc.currentFrame())
        return;
    m_picture.paint(p);
    WiringDisplay d;
    d.wiring = &m_doc.wiring();
    d.mode = m_editor.mode();
    d.remembered = m_editor.rememberedCell();
    d.ellipses = &m_ellipses;
    if (m_view)
        d.gridLineColor = m_view->gridLineColor();
    paintWiring(p, g, d);
}

void WiringCanvasTool::paintOverlay(QPainter &p, const CanvasGeometry &g)
{
    if (m_editor.isDragging()) {
        paintRubberRectangle(p, g, m_editor.anchor(), m_editor.current());
        return;
    }
    if (m_editor.mode() == WiringEditMode::Paste && m_hovering) {
        const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
        paintPastePreview(p, g, m_doc.wiring(), m_editor.clipboard(), m_hoverCell,
                          bool(mods & Qt::ControlModifier), bool(mods & Qt::ShiftModifier));
    }
}

void WiringCanvasTool::gridMoved(const CanvasGeometry &before, const CanvasGeometry &after)
{
    m_picture.gridMoved(before, after);
}

bool WiringCanvasTool::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Control || key == Qt::Key_Shift) && m_editor.mode() == WiringEditMode::Paste)
            m_view->update();
    } else if (watched == m_view && event->type() == QEvent::Leave) {
        m_hovering = false;
        showAssignment(*m_view, QString());
        m_view->update();
    }
    return false;
}

#include "editing/painting_tool.h"

#include "canvas/canvas_geometry.h"
#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "editing/painting.h"
#include "settings/language.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>

namespace {

// How near to the block's frame a press grabs the tracker, in pixels.
constexpr int kGrab = 4;
// Long enough to read, short enough not to hide "Ready" for good.
constexpr int kPenHintMilliseconds = 5000;

} // namespace

PaintingTool::PaintingTool(AppContext &ctx, QObject *parent) : QObject(parent), m_ctx(ctx)
{
    chooseFromMenu = [](const QStringList &texts, const QList<int> &ids, QPoint globalPos) {
        QMenu menu;
        menu.setObjectName(QStringLiteral("BlockMenu"));
        menu.setTitle(pairedText(QStringLiteral("Block edit"), QStringLiteral("区域编辑")));
        for (int i = 0; i < texts.size(); ++i)
            menu.addAction(texts[i])->setData(ids[i]);
        const QAction *chosen = menu.exec(globalPos);
        return chosen ? chosen->data().toInt() : 0;
    };
}

PaintingTool::~PaintingTool() = default;

QStringList PaintingTool::blockMenuTexts()
{
    return {threeWayText(QStringLiteral("Block cut\tCtrl+X"), QStringLiteral("块剪切\tCtrl+X")),
            threeWayText(QStringLiteral("Block copy\tCtrl+C"), QStringLiteral("块复制\tCtrl+C")),
            threeWayText(QStringLiteral("Block paste\tCtrl+V"), QStringLiteral("块粘贴\tCtrl+V")),
            threeWayText(QStringLiteral("Block delete\tDelete"), QStringLiteral("块删除\tDelete"))};
}

GridPlacement PaintingTool::placement(const CanvasGeometry &g) const
{
    return GridPlacement{double(g.left()), double(g.top()), double(g.celWidth()) * g.zoom(),
                         double(g.celHeight()) * g.zoom()};
}

int PaintingTool::trackerHit(const CanvasGeometry &g, QPoint p) const
{
    const BlockArea &a = m_ctx.editing.area;
    if (!a.usable(g.rows(), g.cols()))
        return 0;
    const QRect r = g.cellsRect(a.x0, a.y0, a.x1, a.y1);
    const QRect outer = r.adjusted(-kGrab, -kGrab, kGrab, kGrab);
    if (!outer.contains(p))
        return 0;
    int edges = 0;
    if (std::abs(p.x() - r.left()) <= kGrab)
        edges |= Left;
    if (std::abs(p.x() - (r.right() + 1)) <= kGrab)
        edges |= Right;
    if (std::abs(p.y() - r.top()) <= kGrab)
        edges |= Top;
    if (std::abs(p.y() - (r.bottom() + 1)) <= kGrab)
        edges |= Bottom;
    // A press on one side moves the block; a press on a corner handle
    // resizes it.
    const bool corner = (edges & (Left | Right)) && (edges & (Top | Bottom));
    if (corner)
        return edges;
    return edges ? All : 0;
}

bool PaintingTool::mousePress(CanvasView &view, QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (!m_ctx.editing.area.defined)
            return false;
        openBlockMenu(event->globalPosition().toPoint());
        return true;
    }
    if (event->button() != Qt::LeftButton || !m_ctx.doc.currentFrame())
        return false;
    const CanvasGeometry &g = view.canvasGeometry();
    const BlockArea &area = m_ctx.editing.area;
    m_pressAt = p;
    if (area.defined && area.x0 < 0) {
        // "区域定义" was pressed: the press starts the block's rubber band
        // and nothing is painted.
        m_drag = Drag::RubberBand;
        m_rect = QRect(p, QSize(0, 0));
        view.update();
        return true;
    }
    if (area.defined) {
        if (const int edges = trackerHit(g, p)) {
            m_drag = Drag::Tracker;
            m_edges = edges;
            m_startRect = g.cellsRect(area.x0, area.y0, area.x1, area.y1);
            m_rect = m_startRect;
            return true;
        }
    }
    if (!m_ctx.editing.penEnabled) {
        // Nothing would be painted; say why instead of doing nothing.
        showPenHint();
        return true;
    }
    m_drag = Drag::Painting;
    m_stroke = std::make_unique<PaintStroke>(m_ctx.doc, m_ctx.editing, m_ctx.palette);
    paintAt(view, p);
    return true;
}

bool PaintingTool::mouseMove(CanvasView &view, QMouseEvent *event)
{
    if (m_drag == Drag::None || !(event->buttons() & Qt::LeftButton))
        return false;
    const QPoint p = event->position().toPoint();
    switch (m_drag) {
    case Drag::Painting:
        paintAt(view, p);
        break;
    case Drag::RubberBand:
        m_rect = QRect(m_pressAt, p).normalized();
        view.update();
        break;
    case Drag::Tracker: {
        const QPoint d = p - m_pressAt;
        m_rect = m_startRect;
        if (m_edges == All) {
            m_rect.translate(d);
        } else {
            if (m_edges & Left)
                m_rect.setLeft(m_startRect.left() + d.x());
            if (m_edges & Right)
                m_rect.setRight(m_startRect.right() + d.x());
            if (m_edges & Top)
                m_rect.setTop(m_startRect.top() + d.y());
            if (m_edges & Bottom)
                m_rect.setBottom(m_startRect.bottom() + d.y());
            m_rect = m_rect.normalized();
        }
        view.update();
        break;
    }
    case Drag::None:
        break;
    }
    return true;
}

bool PaintingTool::mouseRelease(CanvasView &view, QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_drag == Drag::None)
        return false;
    if (m_drag == Drag::RubberBand || m_drag == Drag::Tracker) {
        if (m_drag == Drag::RubberBand)
            m_rect = QRect(m_pressAt, event->position().toPoint()).normalized();
        finishBlock(view);
    }
    m_drag = Drag::None;
    m_stroke.reset();
    view.update();
    return true;
}

void PaintingTool::finishBlock(CanvasView &view)
{
    const CanvasGeometry &g = view.canvasGeometry();
    // QRect's right and bottom are the last pixels; the conversion takes
    // edges one past them.
    const PixelRect px{m_rect.left(), m_rect.top(), m_rect.right() + 1, m_rect.bottom() + 1};
    const GridRect b = blockFromPixels(px, placement(g), m_ctx.doc.rows(), m_ctx.doc.cols());
    BlockArea &area = m_ctx.editing.area;
    area.x0 = b.left;
    area.y0 = b.top;
    area.x1 = b.right;
    area.y1 = b.bottom;
    emit m_ctx.editing.areaChanged();
}

void PaintingTool::paintAt(CanvasView &view, QPoint p)
{
    const std::optional<GridPoint> gp = view.gridPointAt(p);
    if (!gp || !view.canvasGeometry().contains(*gp) || !m_stroke)
        return;
    if (m_stroke->paintAt(gp->column, gp->row))
        view.update();
}

QString PaintingTool::penHintText()
{
    return lookedUpText("Painting", "PressPen", QStringLiteral("请先按下 PEN 再画"));
}

void PaintingTool::showPenHint()
{
    if (m_ctx.statusBar)
        m_ctx.statusBar->showMessage(penHintText(), kPenHintMilliseconds);
}

void PaintingTool::openBlockMenu(QPoint globalPos)
{
    const QList<int> ids{Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, Cmd::EditDelete};
    if (const int id = chooseFromMenu(blockMenuTexts(), ids, globalPos))
        m_ctx.commands.trigger(id);
}

void PaintingTool::paintOverlay(QPainter &painter, const CanvasGeometry &g)
{
    if (m_drag == Drag::RubberBand || m_drag == Drag::Tracker) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(m_rect);
        return;
    }
    // The tracker's corner handles on a drawn block.
    const BlockArea &a = m_ctx.editing.area;
    if (!a.usable(g.rows(), g.cols()))
        return;
    const QRect r = g.cellsRect(a.x0, a.y0, a.x1, a.y1);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    for (const QPoint c : {r.topLeft(), QPoint(r.right() + 1, r.top()), QPoint(r.left(), r.bottom() + 1),
                           QPoint(r.right() + 1, r.bottom() + 1)})
        painter.drawRect(QRect(c - QPoint(3, 3), QSize(6, 6)));
}

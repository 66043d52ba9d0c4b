#include "wiring/wiring_display.h"

#include "wiring/wiring_operations.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace {

QColor qColour(ColorValue c) { return QColor(int(redOf(c)), int(greenOf(c)), int(blueOf(c))); }

// Records of each port in list order, only those on the grid.
std::unordered_map<int, std::vector<int>> chainsByPort(const Wiring &w)
{
    std::unordered_map<int, std::vector<int>> chains;
    for (int i = 0; i < w.count(); ++i)
        if (w.inGrid(w.pixel(i).column, w.pixel(i).row))
            chains[w.pixel(i).port].push_back(i);
    return chains;
}

void drawChain(QPainter &p, const CanvasGeometry &g, const WiringDisplay &d, const std::vector<int> &chain,
               size_t head, int arm, ColorValue colour)
{
    const Wiring &w = *d.wiring;
    const bool dashedRest = (d.mode == WiringEditMode::InsertPixel || d.mode == WiringEditMode::Copy)
                            && d.remembered.x() >= 0;
    QPolygon solid;
    QPolygon rest;
    for (size_t k = head; k < chain.size(); ++k) {
        const WiringPixel &px = w.pixel(chain[k]);
        const QPoint c = g.cellCentre(px.column, px.row);
        if (!rest.isEmpty()) {
            rest << c;
            continue;
        }
        solid << c;
        if (dashedRest && px.column == d.remembered.x() && px.row == d.remembered.y())
            rest << c;
    }
    p.setPen(QPen(qColour(colour), arm, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (solid.size() > 1)
        p.drawPolyline(solid);
    if (rest.size() > 1) {
        p.setPen(QPen(qColour(colour), 1, d.mode == WiringEditMode::InsertPixel ? Qt::DashLine : Qt::DashDotLine));
        p.drawPolyline(rest);
    }
}

} // namespace

int crossArm(const CanvasGeometry &g)
{
    return std::max(1, int(double(g.celWidth()) * double(g.zoom()) / 6.0));
}

int crossArmVertical(const CanvasGeometry &g)
{
    return std::max(1, int(double(g.celHeight()) * double(g.zoom()) / 6.0));
}

void paintWiring(QPainter &p, const CanvasGeometry &g, const WiringDisplay &d)
{
    if (!d.wiring)
        return;
    const Wiring &w = *d.wiring;
    const int dx = crossArm(g);
    const int dy = crossArmVertical(g);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);

    // Heads in list order: the cross, then (LED) the line along the port.
    const auto chains = chainsByPort(w);
    std::vector<size_t> placeInChain(size_t(w.count()), 0);
    for (const auto &[port, chain] : chains)
        for (size_t k = 0; k < chain.size(); ++k)
            placeInChain[size_t(chain[k])] = k;
    for (int i = 0; i < w.count(); ++i) {
        const WiringPixel &head = w.pixel(i);
        if (head.pixel != 0 || !w.inGrid(head.column, head.row))
            continue;
        const ColorValue colour = w.cellColour(head.column, head.row);
        const QPoint c = g.cellCentre(head.column, head.row);
        p.setPen(QPen(qColour(colour), dx, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c.x() - dx - 2, c.y(), c.x() + dx + 2, c.y());
        p.drawLine(c.x(), c.y() - dy - 2, c.x(), c.y() + dy + 2);
        if (w.kind() != CircuitryKind::Neon)
            drawChain(p, g, d, chains.at(head.port), placeInChain[size_t(i)], dx, colour);
    }

    // Every visible cell: an ellipse in its map colour (black when unwired).
    const VisibleSpan cols = g.visibleColumns();
    const VisibleSpan rows = g.visibleRows();
    p.setPen(QPen(qColour(d.gridLineColor), 1));
    const int lastRow = std::min(rows.last, w.rows() - 1);
    const int lastCol = std::min(cols.last, w.cols() - 1);
    for (int y = std::max(rows.first, 0); y <= lastRow; ++y)
        for (int x = std::max(cols.first, 0); x <= lastCol; ++x) {
            p.setBrush(qColour(w.cellColour(x, y)));
            p.drawEllipse(g.cellCentre(x, y), dx, dy);
        }
    p.restore();
}

void paintRubberRectangle(QPainter &p, const CanvasGeometry &g, QPoint anchor, QPoint current)
{
    const QRect r = g.cellsRect(std::min(anchor.x(), current.x()), std::min(anchor.y(), current.y()),
                                std::max(anchor.x(), current.x()), std::max(anchor.y(), current.y()));
    p.save();
    // White in "difference" mode inverts what lies below, as the inverting
    // pen did.
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

void paintPastePreview(QPainter &p, const CanvasGeometry &g, const Wiring &w, const WiringClipboard &clip, QPoint at,
                       bool ctrl, bool shift)
{
    if (clip.isEmpty())
        return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    p.setPen(QPen(Qt::white, std::max(1, crossArm(g) / 2)));
    QPolygon line;
    int port = -1;
    for (int i : clip.records) {
        if (i < 0 || i >= w.count())
            break;
        const WiringPixel &px = w.pixel(i);
        if (px.port != port && line.size() > 1)
            p.drawPolyline(line);
        if (px.port != port)
            line.clear();
        port = px.port;
        const QPoint cell = pastedCell(px, clip.bounds, at, ctrl, shift);
        line << g.cellCentre(cell.x(), cell.y());
    }
    if (line.size() > 1)
        p.drawPolyline(line);
    else if (line.size() == 1)
        p.drawEllipse(line.first(), crossArm(g), crossArmVertical(g));
    p.restore();
}

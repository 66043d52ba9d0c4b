#include "canvas/canvas_renderer.h"

#include "canvas/canvas_tool.h"
#include "canvas/start_picture.h"
#include "document/document.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kBlack = 0xFF000000u;

int clampTo(int64_t v, int lo, int hi) { return int(std::clamp<int64_t>(v, lo, hi)); }

// Square cells straight into the image: each row of cells is laid out once
// on the first scan line of its band, span by span, then copied down the
// band. No per-pixel call, no per-cell allocation.
void drawSquareCells(QImage &image, const CanvasScene &s, const Frame &frame, VisibleSpan cols,
                     VisibleSpan rows)
{
    const CanvasGeometry &g = s.geometry;
    const int w = image.width();
    const int h = image.height();
    const int stride = g.cols();

    std::vector<int> xs;
    xs.reserve(size_t(cols.last - cols.first + 2));
    for (int x = cols.first; x <= cols.last + 1; ++x)
        xs.push_back(clampTo(g.columnEdge(x), 0, w));
    const int spanStart = xs.front();
    const int spanBytes = (xs.back() - spanStart) * int(sizeof(uint32_t));
    if (spanBytes <= 0)
        return;

    const Wiring &wiring = s.doc->wiring();
    for (int y = rows.first; y <= rows.last; ++y) {
        const int y0 = clampTo(g.rowEdge(y), 0, h);
        const int y1 = clampTo(g.rowEdge(y + 1), 0, h);
        if (y0 >= y1)
            continue;
        auto *line = reinterpret_cast<uint32_t *>(image.scanLine(y0));
        const ColorValue *src = frame.data() + size_t(y) * size_t(stride);
        for (int x = cols.first; x <= cols.last; ++x) {
            const int a = xs[size_t(x - cols.first)];
            const int b = xs[size_t(x - cols.first + 1)];
            if (a >= b)
                continue;
            const bool shown = !s.look.wiredOnly || wiring.isWired(x, y);
            std::fill(line + a, line + b, shown ? pixelOf(src[x]) : kBlack);
        }
        for (int yy = y0 + 1; yy < y1; ++yy)
            std::memcpy(reinterpret_cast<uint32_t *>(image.scanLine(yy)) + spanStart,
                        line + spanStart, size_t(spanBytes));
    }
}

// Round cells: an ellipse inscribed in each cell, filled with the cell's
// colour inside a 1-pixel black outline. Not antialiased, so the outline is
// one crisp pixel like the cell edges.
void drawRoundCells(QImage &image, const CanvasScene &s, const Frame &frame, VisibleSpan cols,
                    VisibleSpan rows)
{
    const CanvasGeometry &g = s.geometry;
    const Wiring &wiring = s.doc->wiring();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    for (int y = rows.first; y <= rows.last; ++y) {
        const ColorValue *src = frame.data() + size_t(y) * size_t(g.cols());
        for (int x = cols.first; x <= cols.last; ++x) {
            if (s.look.wiredOnly && !wiring.isWired(x, y))
                continue;
            const QRect r = g.cellRect(x, y);
            if (r.width() <= 0 || r.height() <= 0)
                continue;
            p.setBrush(QColor::fromRgb(pixelOf(src[x])));
            // A QRect outline covers width + 1 pixels; one less keeps the
            // ellipse inside its own cell.
            p.drawEllipse(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
        }
    }
}

void drawGridLines(QImage &image, const CanvasGeometry &g, ColorValue colour)
{
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0)
        return;
    const uint32_t px = pixelOf(colour);
    const int xl = clampTo(g.left(), 0, w - 1);
    const int xr = clampTo(g.right(), 0, w - 1);
    const int yt = clampTo(g.top(), 0, h - 1);
    const int yb = clampTo(g.bottom(), 0, h - 1);
    // Lines run from the grid's left to its right edge (top to bottom)
    // inclusive, so the corners close; only the part inside the image.
    const VisibleSpan hl = g.visibleRowLines();
    if (g.right() >= 0 && g.left() < w)
        for (int i = hl.first; i <= hl.last; ++i) {
            auto *line = reinterpret_cast<uint32_t *>(image.scanLine(int(g.rowEdge(i))));
            std::fill(line + xl, line + xr + 1, px);
        }
    const VisibleSpan vl = g.visibleColumnLines();
    if (g.bottom() >= 0 && g.top() < h)
        for (int i = vl.first; i <= vl.last; ++i) {
            const int x = int(g.columnEdge(i));
            for (int y = yt; y <= yb; ++y)
                reinterpret_cast<uint32_t *>(image.scanLine(y))[x] = px;
        }
}

// The defined area: a black line with white dashes over it, visible on any
// cell colour, along the outer edges of the area's cells.
void drawAreaFrame(QPainter &p, const CanvasGeometry &g, const BlockArea &area)
{
    const QRect r = g.cellsRect(area.x0, area.y0, area.x1, area.y1);
    const QRect outline = r.adjusted(0, 0, -1, -1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(outline);
    p.setPen(QPen(Qt::white, 2, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawRect(outline);
}

} // namespace

void renderCanvas(QImage &image, const CanvasScene &s)
{
    image.fill(kBlack);
    if (image.isNull() || !s.doc)
        return;

    if (s.doc->frameCount() == 0) {
        if (s.startPicture)
            s.startPicture->paint(image);
        return;
    }

    const CanvasGeometry &g = s.geometry;
    const VisibleSpan cols = g.visibleColumns();
    const VisibleSpan rows = g.visibleRows();

    if (s.tool && s.tool->drawsGridItself()) {
        QPainter p(&image);
        s.tool->paintGrid(p, g);
    } else if (const Frame *frame = s.doc->currentFrame();
               frame && frame->size() == size_t(s.doc->pointCount()) && g.rows() == s.doc->rows() &&
               g.cols() == s.doc->cols() && !cols.empty() && !rows.empty()) {
        if (s.look.cellShape == CellShape::Round)
            drawRoundCells(image, s, *frame, cols, rows);
        else
            drawSquareCells(image, s, *frame, cols, rows);
    }

    if (s.look.showGrid)
        drawGridLines(image, g, s.look.gridLineColor);

    const bool areaShown = s.area.usable(g.rows(), g.cols());
    if (!areaShown && s.overlays.empty() && !s.tool)
        return;
    QPainter p(&image);
    if (areaShown)
        drawAreaFrame(p, g, s.area);
    for (CanvasOverlay *o : s.overlays) {
        p.save();
        o->paintOverlay(p, g);
        p.restore();
    }
    if (s.tool)
        s.tool->paintOverlay(p, g);
}

#include "canvas/canvas_renderer.h"

#include "canvas/canvas_tool.h"
#include "canvas/start_picture.h"
#include "document/document.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr uint32_t kBlack = 0xFF000000u;

int clampTo(int64_t v, int lo, int hi) { return int(std::clamp<int64_t>(v, lo, hi)); }

// The image's pixels as plain memory: one lookup of the buffer, then
// pointer arithmetic (QImage::scanLine() would check for sharing on every
// call).
struct Pixels
{
    explicit Pixels(QImage &image)
        : base(image.bits()), stride(size_t(image.bytesPerLine())), w(image.width()), h(image.height())
    {
    }
    uint32_t *line(int y) const { return reinterpret_cast<uint32_t *>(base + size_t(y) * stride); }
    uchar *base;
    size_t stride;
    int w;
    int h;
};

// Left edges of the visible columns and the right edge of the last one,
// clipped to the image.
std::vector<int> columnEdges(const CanvasGeometry &g, VisibleSpan cols, int width)
{
    std::vector<int> xs;
    xs.reserve(size_t(cols.last - cols.first + 2));
    for (int x = cols.first; x <= cols.last + 1; ++x)
        xs.push_back(clampTo(g.columnEdge(x), 0, width));
    return xs;
}

// Square cells straight into the image: each row of cells is laid out once
// on the first scan line of its band, span by span, then copied down the
// band. No per-pixel call, no per-cell allocation.
void drawSquareCells(const Pixels &px, const CanvasScene &s, const Frame &frame, VisibleSpan cols,
                     VisibleSpan rows)
{
    const CanvasGeometry &g = s.geometry;
    const std::vector<int> xs = columnEdges(g, cols, px.w);
    const int spanStart = xs.front();
    const size_t spanBytes = size_t(xs.back() - spanStart) * sizeof(uint32_t);
    if (spanBytes == 0)
        return;

    const Wiring &wiring = s.doc->wiring();
    for (int y = rows.first; y <= rows.last; ++y) {
        const int y0 = clampTo(g.rowEdge(y), 0, px.h);
        const int y1 = clampTo(g.rowEdge(y + 1), 0, px.h);
        if (y0 >= y1)
            continue;
        uint32_t *line = px.line(y0);
        const ColorValue *src = frame.data() + size_t(y) * size_t(g.cols());
        for (int x = cols.first; x <= cols.last; ++x) {
            const int a = xs[size_t(x - cols.first)];
            const int b = xs[size_t(x - cols.first + 1)];
            if (a >= b)
                continue;
            const bool shown = !s.look.wiredOnly || wiring.isWired(x, y);
            std::fill(line + a, line + b, shown ? pixelOf(src[x]) : kBlack);
        }
        for (int yy = y0 + 1; yy < y1; ++yy)
            std::memcpy(px.line(yy) + spanStart, line + spanStart, spanBytes);
    }
}

// One round cell of a given size as the painter draws it: an ellipse
// inscribed in the cell, filled, with a 1-pixel outline, not antialiased.
// It is painted once per cell size and then stamped onto every cell of that
// size, which is many times faster than asking the painter for each cell.
// At one zoom the cells differ by at most a pixel in each direction, so a
// repaint makes at most four stamps.
struct RoundStamp
{
    enum : uint8_t { Outside = 0, Outline = 1, Inside = 2 };
    int w = 0;
    int h = 0;
    std::vector<uint8_t> kind; // w x h, row-major

    static RoundStamp make(int w, int h)
    {
        QImage img(w, h, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::white);
            // A QRect outline covers width + 1 pixels; one less keeps the
            // ellipse inside its own cell.
            p.drawEllipse(QRect(0, 0, w - 1, h - 1));
        }
        RoundStamp st{w, h, std::vector<uint8_t>(size_t(w) * size_t(h))};
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x)
                st.kind[size_t(y) * size_t(w) + size_t(x)] =
                    qAlpha(line[x]) == 0 ? Outside : (qRed(line[x]) > 127 ? Inside : Outline);
        }
        return st;
    }
};

// Cells larger than this are painted directly (only a few can be visible).
constexpr int kMaxStampSide = 256;

void drawRoundCells(QImage &image, const CanvasScene &s, const Frame &frame, VisibleSpan cols,
                    VisibleSpan rows)
{
    const CanvasGeometry &g = s.geometry;
    const Wiring &wiring = s.doc->wiring();
    std::vector<RoundStamp> stamps;
    auto stampFor = [&stamps](int w, int h) -> const RoundStamp & {
        for (const RoundStamp &st : stamps)
            if (st.w == w && st.h == h)
                return st;
        stamps.push_back(RoundStamp::make(w, h));
        return stamps.back();
    };

    // Large cells: the painter itself.
    std::unique_ptr<QPainter> painter;
    const Pixels px(image);
    for (int y = rows.first; y <= rows.last; ++y) {
        const ColorValue *src = frame.data() + size_t(y) * size_t(g.cols());
        for (int x = cols.first; x <= cols.last; ++x) {
            if (s.look.wiredOnly && !wiring.isWired(x, y))
                continue;
            const QRect r = g.cellRect(x, y);
            if (r.width() <= 0 || r.height() <= 0)
                continue;
            const uint32_t colour = pixelOf(src[x]);
            if (r.width() > kMaxStampSide || r.height() > kMaxStampSide) {
                if (!painter) {
                    painter = std::make_unique<QPainter>(&image);
                    painter->setRenderHint(QPainter::Antialiasing, false);
                    painter->setPen(QPen(Qt::black, 1));
                }
                painter->setBrush(QColor::fromRgb(colour));
                painter->drawEllipse(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
                continue;
            }
            const RoundStamp &st = stampFor(r.width(), r.height());
            const int x0 = std::max(r.left(), 0), x1 = std::min(r.left() + r.width(), px.w);
            const int y0 = std::max(r.top(), 0), y1 = std::min(r.top() + r.height(), px.h);
            // Stamp positions are indexed from the stamp's own row: a cell
            // partly left of the view starts inside it, never before it.
            for (int yy = y0; yy < y1; ++yy) {
                const uint8_t *k = st.kind.data() + size_t(yy - r.top()) * size_t(st.w);
                uint32_t *line = px.line(yy);
                for (int xx = x0; xx < x1; ++xx) {
                    const uint8_t kind = k[xx - r.left()];
                    if (kind != RoundStamp::Outside)
                        line[xx] = kind == RoundStamp::Inside ? colour : kBlack;
                }
            }
        }
    }
}

void drawGridLines(const Pixels &px, const CanvasGeometry &g, ColorValue colour)
{
    if (px.w <= 0 || px.h <= 0)
        return;
    const uint32_t c = pixelOf(colour);
    const int xl = clampTo(g.left(), 0, px.w - 1);
    const int xr = clampTo(g.right(), 0, px.w - 1);
    const int yt = clampTo(g.top(), 0, px.h - 1);
    const int yb = clampTo(g.bottom(), 0, px.h - 1);
    const bool crossesX = g.right() >= 0 && g.left() < px.w;
    const bool crossesY = g.bottom() >= 0 && g.top() < px.h;
    if (!crossesX || !crossesY)
        return;
    // Lines run from the grid's left to its right edge (top to bottom)
    // inclusive, so the corners close; only the part inside the image.
    const VisibleSpan hl = g.visibleRowLines();
    for (int i = hl.first; i <= hl.last; ++i) {
        uint32_t *line = px.line(int(g.rowEdge(i)));
        std::fill(line + xl, line + xr + 1, c);
    }
    // Vertical lines scan line by scan line, so memory is walked in order.
    const VisibleSpan vl = g.visibleColumnLines();
    if (vl.empty())
        return;
    std::vector<int> xs;
    xs.reserve(size_t(vl.last - vl.first + 1));
    for (int i = vl.first; i <= vl.last; ++i)
        xs.push_back(int(g.columnEdge(i)));
    for (int y = yt; y <= yb; ++y) {
        uint32_t *line = px.line(y);
        for (int x : xs)
            line[x] = c;
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
            drawSquareCells(Pixels(image), s, *frame, cols, rows);
    }

    if (s.look.showGrid)
        drawGridLines(Pixels(image), g, s.look.gridLineColor);

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

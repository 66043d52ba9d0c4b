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
    // A one-pixel chain goes through the raster engine's thin-line path
    // (width 0); wider ones are stroked with round joins.
    p.setPen(arm <= 1 ? QPen(qColour(colour), 0) : QPen(qColour(colour), arm, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (solid.size() > 1)
        p.drawPolyline(solid);
    if (rest.size() > 1) {
        p.setPen(QPen(qColour(colour), 1, d.mode == WiringEditMode::InsertPixel ? Qt::DashLine : Qt::DashDotLine));
        p.drawPolyline(rest);
    }
}

uint32_t argb(ColorValue c) { return 0xFF000000u | (redOf(c) << 16) | (greenOf(c) << 8) | blueOf(c); }

bool stampable(const QPainter &p)
{
    const QImage *img = dynamic_cast<const QImage *>(p.device());
    return img && img->depth() == 32 && img->format() != QImage::Format_RGBA8888
           && img->format() != QImage::Format_RGBX8888 && img->format() != QImage::Format_RGBA8888_Premultiplied
           && p.transform().isIdentity() && !p.hasClipping();
}

} // namespace

// The look of one cell's ellipse, drawn once by QPainter: each pixel is
// outside, outline or fill. Every cell then copies it, which is what keeps
// a repaint of a whole large grid fast.
struct EllipseStamp
{
    enum : uint8_t { Outside = 0, Outline = 1, Fill = 2 };
    int dx = 0;
    int dy = 0;
    QSize size;
    std::vector<uint8_t> kind;

    EllipseStamp(int rx, int ry) : dx(rx), dy(ry), size(2 * rx + 3, 2 * ry + 3)
    {
        QImage img(size, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setPen(QPen(QColor(0, 255, 0), 1));
            p.setBrush(QColor(255, 0, 0));
            p.drawEllipse(QPoint(rx + 1, ry + 1), rx, ry);
        }
        kind.resize(size_t(size.width()) * size_t(size.height()));
        for (int y = 0; y < size.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < size.width(); ++x) {
                const QRgb c = line[x];
                kind[size_t(y) * size_t(size.width()) + size_t(x)] =
                    qAlpha(c) == 0 ? Outside : qGreen(c) > qRed(c) ? Outline : Fill;
            }
        }
    }

    // Copies the stamp centred on `c` into 32-bit pixels (`stride` pixels
    // a line), clipped to `width` x `height`.
    void put(uint32_t *bits, qsizetype stride, int width, int height, QPoint c, uint32_t fill,
             uint32_t outline) const
    {
        const int x0 = c.x() - dx - 1;
        const int y0 = c.y() - dy - 1;
        const int xFrom = std::max(0, -x0);
        const int xTo = std::min(size.width(), width - x0);
        for (int y = std::max(0, -y0); y < size.height() && y0 + y < height; ++y) {
            uint32_t *line = bits + qsizetype(y0 + y) * stride + x0;
            const uint8_t *k = kind.data() + size_t(y) * size_t(size.width());
            for (int x = xFrom; x < xTo; ++x)
                if (k[x] != Outside)
                    line[x] = k[x] == Fill ? fill : outline;
        }
    }
};

EllipseStampCache::EllipseStampCache() = default;
EllipseStampCache::~EllipseStampCache() = default;

const EllipseStamp *EllipseStampCache::stampFor(int rx, int ry, QSize view)
{
    // Beyond the view's size the stamp would hold mostly pixels nobody sees
    // (at the largest zoom, gigabytes of them).
    if (2 * int64_t(rx) + 3 > view.width() || 2 * int64_t(ry) + 3 > view.height())
        return nullptr;
    if (!m_stamp || m_stamp->dx != rx || m_stamp->dy != ry) {
        m_stamp = std::make_unique<EllipseStamp>(rx, ry);
        ++m_builds;
    }
    return m_stamp.get();
}

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
    const int lastRow = std::min(rows.last, w.rows() - 1);
    const int lastCol = std::min(cols.last, w.cols() - 1);
    EllipseStampCache ownCache;
    EllipseStampCache &cache = d.ellipses ? *d.ellipses : ownCache;
    const QImage *target = stampable(p) ? static_cast<const QImage *>(p.device()) : nullptr;
    const EllipseStamp *stamp = target ? cache.stampFor(dx, dy, target->size()) : nullptr;
    if (stamp) {
        // The raster engine has drawn everything above straight into the
        // image, so the stamps go on top of it.
        QImage &image = *static_cast<QImage *>(p.device());
        uint32_t *bits = reinterpret_cast<uint32_t *>(image.bits());
        const qsizetype stride = image.bytesPerLine() / 4;
        const uint32_t outline = argb(d.gridLineColor);
        // Cell centres of one row and one column serve every cell.
        std::vector<int> centreX;
        for (int x = std::max(cols.first, 0); x <= lastCol; ++x)
            centreX.push_back(g.cellCentre(x, 0).x());
        for (int y = std::max(rows.first, 0); y <= lastRow; ++y) {
            const int cy = g.cellCentre(0, y).y();
            int i = 0;
            for (int x = std::max(cols.first, 0); x <= lastCol; ++x, ++i)
                stamp->put(bits, stride, image.width(), image.height(), QPoint(centreX[size_t(i)], cy),
                          argb(w.cellColour(x, y)), outline);
        }
    } else {
        p.setPen(QPen(qColour(d.gridLineColor), 1));
        for (int y = std::max(rows.first, 0); y <= lastRow; ++y)
            for (int x = std::max(cols.first, 0); x <= lastCol; ++x) {
                p.setBrush(qColour(w.cellColour(x, y)));
                p.drawEllipse(g.cellCentre(x, y), dx, dy);
            }
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

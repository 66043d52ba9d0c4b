#include "canvas/canvas_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixel values handed to QRect and QPoint stay well inside int, so that
// widths and sums of them cannot overflow either.
constexpr int64_t kSafeCoordinate = int64_t(1) << 30;

int saturate(int64_t v)
{
    return int(std::clamp(v, -kSafeCoordinate, kSafeCoordinate));
}

int saturate(double v)
{
    if (!(v == v)) // NaN
        return 0;
    return saturate(int64_t(std::clamp(v, -double(kSafeCoordinate), double(kSafeCoordinate))));
}

// trunc(ZoomFactor x n x cel): the one expression behind every size and
// edge, so that the last cell's right edge is exactly the grid's width.
int64_t scaled(float zoom, int n, int cel)
{
    return int64_t(std::trunc(double(zoom) * double(n) * double(cel)));
}

// Largest index in [0, count) whose edge lies before `limit`, given a
// non-decreasing edge function; -1 when there is none.
template <class Edge> int lastBefore(int count, int64_t limit, Edge edge)
{
    int lo = 0, hi = count - 1, found = -1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        if (edge(mid) < limit) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return found;
}

// Smallest index in [0, count) whose next edge lies after 0; count when
// there is none.
template <class Edge> int firstAfterZero(int count, Edge edge)
{
    int lo = 0, hi = count - 1, found = count;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        if (edge(mid + 1) > 0) {
            found = mid;
            hi = mid - 1;
        } else {
            lo = mid + 1;
        }
    }
    return found;
}

// Smallest index in [0, count) whose edge is at or after 0; count when there
// is none.
template <class Edge> int firstAtOrAfterZero(int count, Edge edge)
{
    return firstAfterZero(count, [&](int i) { return edge(i - 1) + 1; });
}

} // namespace

void CanvasGeometry::setGrid(int rows, int cols, int celWidth, int celHeight)
{
    m_rows = std::max(rows, 0);
    m_cols = std::max(cols, 0);
    m_celWidth = celWidth;
    m_celHeight = celHeight;
}

QSize CanvasGeometry::usableSize() const
{
    return {std::max(m_client.width() - kScrollBarExtent, 0),
            std::max(m_client.height() - kScrollBarExtent, 0)};
}

int64_t CanvasGeometry::gridWidth() const { return scaled(m_zoom, m_cols, m_celWidth); }
int64_t CanvasGeometry::gridHeight() const { return scaled(m_zoom, m_rows, m_celHeight); }

int64_t CanvasGeometry::columnEdge(int x) const { return left() + scaled(m_zoom, x, m_celWidth); }
int64_t CanvasGeometry::rowEdge(int y) const { return top() + scaled(m_zoom, y, m_celHeight); }

QRect CanvasGeometry::cellRect(int x, int y) const { return cellsRect(x, y, x, y); }

QRect CanvasGeometry::cellsRect(int x0, int y0, int x1, int y1) const
{
    const int l = saturate(columnEdge(x0));
    const int t = saturate(rowEdge(y0));
    const int r = saturate(columnEdge(x1 + 1));
    const int b = saturate(rowEdge(y1 + 1));
    return QRect(QPoint(l, t), QSize(r - l, b - t));
}

QPoint CanvasGeometry::cellCentre(int x, int y) const
{
    const int64_t cx = (columnEdge(x) + columnEdge(x + 1)) / 2;
    const int64_t cy = (rowEdge(y) + rowEdge(y + 1)) / 2;
    return {saturate(cx), saturate(cy)};
}

VisibleSpan CanvasGeometry::visibleColumns() const
{
    if (m_celWidth <= 0 || m_zoom <= 0)
        return {};
    const int64_t limit = usableSize().width();
    auto edge = [this](int x) { return columnEdge(x); };
    return {firstAfterZero(m_cols, edge), lastBefore(m_cols, limit, edge)};
}

VisibleSpan CanvasGeometry::visibleRows() const
{
    if (m_celHeight <= 0 || m_zoom <= 0)
        return {};
    const int64_t limit = usableSize().height();
    auto edge = [this](int y) { return rowEdge(y); };
    return {firstAfterZero(m_rows, edge), lastBefore(m_rows, limit, edge)};
}

VisibleSpan CanvasGeometry::visibleColumnLines() const
{
    if (m_celWidth <= 0 || m_zoom <= 0)
        return {};
    auto edge = [this](int x) { return columnEdge(x); };
    return {firstAtOrAfterZero(m_cols + 1, edge), lastBefore(m_cols + 1, usableSize().width(), edge)};
}

VisibleSpan CanvasGeometry::visibleRowLines() const
{
    if (m_celHeight <= 0 || m_zoom <= 0)
        return {};
    auto edge = [this](int y) { return rowEdge(y); };
    return {firstAtOrAfterZero(m_rows + 1, edge), lastBefore(m_rows + 1, usableSize().height(), edge)};
}

std::optional<GridPoint> CanvasGeometry::pointAt(QPoint p) const
{
    const double cellW = double(m_celWidth) * double(m_zoom);
    const double cellH = double(m_celHeight) * double(m_zoom);
    if (!(cellW >= kMinCellSize) || !(cellH >= kMinCellSize))
        return std::nullopt;
    const double column = std::trunc(double(p.x() - left()) / cellW);
    const double row = std::trunc(double(p.y() - top()) / cellH);
    return GridPoint{saturate(column), saturate(row)};
}

void CanvasGeometry::actualSize()
{
    m_zoom = 1.0f;
    m_centre = clientCentre();
}

bool CanvasGeometry::zoomIn(bool keepCentre, QPoint cursor)
{
    if (m_zoom > kZoomInLimit)
        return false;
    return zoomBy(kZoomInFactor, keepCentre, cursor);
}

bool CanvasGeometry::zoomOut(bool keepCentre, QPoint cursor)
{
    if (m_zoom < kZoomOutLimit)
        return false;
    return zoomBy(kZoomOutFactor, keepCentre, cursor);
}

bool CanvasGeometry::zoomBy(float factor, bool keepCentre, QPoint cursor)
{
    const float old = m_zoom;
    m_zoom = old * factor;
    if (!keepCentre && old > 0) {
        // The grid position under the cursor, in unzoomed pixels from the
        // grid centre, lands on the client centre. Worked in float like the
        // zoom factor itself, so that 1.6 x 100 is 160 and not a hair less.
        const float px = float(cursor.x() - m_centre.x()) / old;
        const float py = float(cursor.y() - m_centre.y()) / old;
        const QPoint c = clientCentre();
        m_centre = QPoint(saturate(double(std::trunc(float(c.x()) - m_zoom * px))),
                          saturate(double(std::trunc(float(c.y()) - m_zoom * py))));
    }
    return true;
}

bool CanvasGeometry::zoomInAt(QPoint anchor)
{
    if (m_zoom > kZoomInLimit)
        return false;
    zoomAbout(kZoomInFactor, anchor);
    return true;
}

bool CanvasGeometry::zoomOutAt(QPoint anchor)
{
    if (m_zoom < kZoomOutLimit)
        return false;
    zoomAbout(kZoomOutFactor, anchor);
    return true;
}

void CanvasGeometry::zoomAbout(float factor, QPoint anchor)
{
    const float old = m_zoom;
    const double oldLeft = double(left());
    const double oldTop = double(top());
    m_zoom = old * factor;
    if (!(old > 0))
        return;
    // The anchor's distance from the grid's top-left corner grows with the
    // zoom; the corner is placed so that the anchor keeps its grid position.
    // Worked from the corner rather than the centre: the centre sits half a
    // truncated width away, which would let the anchor drift by a pixel.
    const double ratio = double(m_zoom) / double(old);
    const double newLeft = std::floor(anchor.x() - (anchor.x() - oldLeft) * ratio);
    const double newTop = std::floor(anchor.y() - (anchor.y() - oldTop) * ratio);
    m_centre = QPoint(saturate(newLeft + double(gridWidth() / 2)), saturate(newTop + double(gridHeight() / 2)));
}

void CanvasGeometry::resizeClient(QSize client)
{
    const QPoint offset = centreOffset();
    m_client = client;
    setCentreOffset(offset);
}

QPoint CanvasGeometry::pan(PanDirection direction, PanStep step)
{
    const bool horizontal = direction == PanDirection::Left || direction == PanDirection::Right;
    const int size = horizontal ? usableSize().width() : usableSize().height();
    int64_t d = size / 3;
    if (step == PanStep::Triple)
        d = 3 * (size / 3);
    else if (step == PanStep::Whole)
        d = size;

    const QPoint c = clientCentre();
    int64_t dx = 0, dy = 0;
    switch (direction) {
    case PanDirection::Left: // grid moves right; its left edge stops at the centre
        dx = std::max<int64_t>(0, std::min(d, c.x() - left()));
        break;
    case PanDirection::Right: // grid moves left; its right edge stops at the centre
        dx = -std::max<int64_t>(0, std::min(d, right() - c.x()));
        break;
    case PanDirection::Up:
        dy = std::max<int64_t>(0, std::min(d, c.y() - top()));
        break;
    case PanDirection::Down:
        dy = -std::max<int64_t>(0, std::min(d, bottom() - c.y()));
        break;
    }
    m_centre = QPoint(saturate(m_centre.x() + dx), saturate(m_centre.y() + dy));
    return {int(dx), int(dy)};
}

int CanvasGeometry::horizontalRange() const { return saturate(std::max<int64_t>(gridWidth(), 0)); }
int CanvasGeometry::verticalRange() const { return saturate(std::max<int64_t>(gridHeight(), 0)); }

int CanvasGeometry::horizontalPosition() const
{
    return saturate(gridWidth() / 2 - m_centre.x() + kScrollOrigin);
}

int CanvasGeometry::verticalPosition() const
{
    return saturate(gridHeight() / 2 - m_centre.y() + kScrollOrigin);
}

void CanvasGeometry::scrollHorizontal(int position)
{
    m_centre.setX(saturate(gridWidth() / 2 - position + kScrollOrigin));
}

void CanvasGeometry::scrollVertical(int position)
{
    m_centre.setY(saturate(gridHeight() / 2 - position + kScrollOrigin));
}

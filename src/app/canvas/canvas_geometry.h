#pragma once
// Where the grid lies on the canvas: the zoom factor, the grid centre in
// client pixels, and every conversion between grid points and pixels. No
// widget here: the canvas view, its scroll bars, the painting and wiring
// tools and the tests all read the same numbers.
//
// The drawn grid is W = trunc(ZoomFactor x Cols x CelWidth) pixels wide and
// H = trunc(ZoomFactor x Rows x CelHeight) high, centred on GridCentre
// (left = GridCentre.x - trunc(W / 2)). Every cell edge is computed from the
// grid origin, never by adding cell widths, so cells tile without gaps or
// overlaps at any zoom. Positions are kept in 64 bits: at the largest zoom a
// 32767-column grid is far wider than an int.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>

struct GridPoint
{
    int column = 0;
    int row = 0;
    bool operator==(const GridPoint &) const = default;
};

// A run of visible columns or rows, [first, last]; empty when last < first.
struct VisibleSpan
{
    int first = 0;
    int last = -1;
    bool empty() const { return last < first; }
};

class CanvasGeometry
{
public:
    // The canvas's own scroll bars sit along the right and bottom edges.
    static constexpr int kScrollBarExtent = 18;
    static constexpr float kZoomInFactor = 1.6f;
    static constexpr float kZoomOutFactor = 0.625f;
    // Zoom in is ignored above this factor, zoom out below kZoomOutLimit.
    static constexpr float kZoomInLimit = 1000.0f;
    static constexpr float kZoomOutLimit = 0.001f;
    // At scroll position 0 the grid's top-left corner lies here.
    static constexpr int kScrollOrigin = 100;
    static constexpr int kLineStep = 1;
    static constexpr int kHorizontalPageStep = 350;
    static constexpr int kVerticalPageStep = 250;
    // Below this drawn cell size the mouse is not converted to a grid point.
    static constexpr double kMinCellSize = 1e-8;

    enum class PanDirection { Left, Right, Up, Down };
    // A third of the usable client size, three times that (Shift), or the
    // whole size (Ctrl).
    enum class PanStep { Third, Triple, Whole };

    // --- inputs ------------------------------------------------------------
    void setGrid(int rows, int cols, int celWidth, int celHeight);
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    int celWidth() const { return m_celWidth; }
    int celHeight() const { return m_celHeight; }

    // The whole client area of the canvas, scroll bars included.
    void setClientSize(QSize client) { m_client = client; }
    QSize clientSize() const { return m_client; }
    // The client area less the scroll bars: what the grid is drawn into.
    QSize usableSize() const;
    QPoint clientCentre() const { return {m_client.width() / 2, m_client.height() / 2}; }

    float zoom() const { return m_zoom; }
    void setZoom(float z) { m_zoom = z; }
    // GridCentre.
    QPoint centre() const { return m_centre; }
    void setCentre(QPoint c) { m_centre = c; }

    // --- the drawn grid --------------------------------------------------------
    int64_t gridWidth() const;  // W
    int64_t gridHeight() const; // H
    int64_t left() const { return m_centre.x() - gridWidth() / 2; }
    int64_t top() const { return m_centre.y() - gridHeight() / 2; }
    int64_t right() const { return left() + gridWidth(); }
    int64_t bottom() const { return top() + gridHeight(); }
    // Left edge of column x (x = Cols gives the grid's right edge).
    int64_t columnEdge(int x) const;
    // Top edge of row y (y = Rows gives the grid's bottom edge).
    int64_t rowEdge(int y) const;
    // Pixels of cell (x, y): from its own edges up to the next cell's edges,
    // right and bottom exclusive. Saturated to a safe int range.
    QRect cellRect(int x, int y) const;
    // Pixels of an inclusive rectangle of grid points.
    QRect cellsRect(int x0, int y0, int x1, int y1) const;

    // The columns (rows) whose cells reach into the usable client area.
    VisibleSpan visibleColumns() const;
    VisibleSpan visibleRows() const;
    // The grid lines 0..Cols (0..Rows) that lie inside the usable area.
    VisibleSpan visibleColumnLines() const;
    VisibleSpan visibleRowLines() const;

    // --- the mouse ------------------------------------------------------------
    // Column = trunc((p.x - left) / (CelWidth x ZoomFactor)), row likewise.
    // The division truncates towards zero, so a point less than one cell
    // left of or above the grid still gives column or row 0. The result may
    // lie outside the grid (see contains). Empty when the drawn cell size is
    // below kMinCellSize in either direction.
    std::optional<GridPoint> pointAt(QPoint p) const;
    bool contains(GridPoint g) const
    {
        return g.column >= 0 && g.row >= 0 && g.column < m_cols && g.row < m_rows;
    }
    // Pixel centre of a cell, for drawing on top of it.
    QPoint cellCentre(int x, int y) const;

    // --- zoom, pan, scroll ------------------------------------------------------
    // Zoom 1, the grid centred in the client area.
    void actualSize();
    // ZoomFactor x 1.6 (ignored above 1000) or x 0.625 (ignored below
    // 0.001). With keepCentre (Ctrl held) the grid grows about its own
    // centre; otherwise the grid position under `cursor` moves to the client
    // centre, where the caller then puts the mouse cursor. Returns false
    // when the step was ignored.
    bool zoomIn(bool keepCentre, QPoint cursor);
    bool zoomOut(bool keepCentre, QPoint cursor);
    // The same steps and limits, but the grid position under `anchor` stays
    // under it (Ctrl + mouse wheel: the point under the mouse holds still).
    bool zoomInAt(QPoint anchor);
    bool zoomOutAt(QPoint anchor);
    // The client area changed size: the grid keeps its offset from the
    // client centre, so a centred grid stays centred when the window goes
    // full screen or a bar beside the canvas is hidden or shown.
    void resizeClient(QSize client);
    // GridCentre relative to the client centre.
    QPoint centreOffset() const { return m_centre - clientCentre(); }
    void setCentreOffset(QPoint offset) { m_centre = clientCentre() + offset; }
    // Left and Up move the grid right and down, Right and Down move it left
    // and up. The move stops where the grid's leading edge would pass the
    // client centre. Returns the distance the grid moved.
    QPoint pan(PanDirection direction, PanStep step);

    // Scroll bar ranges 0..W and 0..H, and the positions that go with the
    // grid centre: position = trunc(W) / 2 - GridCentre.x + 100.
    int horizontalRange() const;
    int verticalRange() const;
    int horizontalPosition() const;
    int verticalPosition() const;
    // GridCentre.x = trunc(W) / 2 - position + 100 (and y likewise).
    void scrollHorizontal(int position);
    void scrollVertical(int position);

private:
    bool zoomBy(float factor, bool keepCentre, QPoint cursor);
    void zoomAbout(float factor, QPoint anchor);

    int m_rows = 0;
    int m_cols = 0;
    int m_celWidth = 0;
    int m_celHeight = 0;
    QSize m_client;
    float m_zoom = 1.0f;
    QPoint m_centre;
};

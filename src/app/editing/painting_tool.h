#pragma once
// The canvas's mouse in normal editing: painting with the left button (a
// status-bar hint when the pen is off), the rubber band that draws the
// block after "区域定义", the tracker that moves and resizes a drawn block,
// and the right-button block menu.

#include "canvas/canvas_tool.h"
#include "editing/block_geometry.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>

struct AppContext;
class PaintStroke;

class PaintingTool : public QObject, public CanvasTool
{
    Q_OBJECT
public:
    PaintingTool(AppContext &ctx, QObject *parent = nullptr);
    ~PaintingTool() override;

    bool mousePress(CanvasView &view, QMouseEvent *event) override;
    bool mouseMove(CanvasView &view, QMouseEvent *event) override;
    bool mouseRelease(CanvasView &view, QMouseEvent *event) override;
    void paintOverlay(QPainter &painter, const CanvasGeometry &geometry) override;

    enum class Drag { None, Painting, RubberBand, Tracker };
    Drag drag() const { return m_drag; }

    // The four entries of the block menu ("区域编辑") in the active language.
    static QStringList blockMenuTexts();
    // What the status bar says when the canvas is clicked with the pen off.
    static QString penHintText();
    // Tests answer the block menu instead of a popup: returns the chosen
    // command id, 0 for none.
    std::function<int(const QStringList &texts, const QList<int> &ids, QPoint globalPos)> chooseFromMenu;

private:
    // Edges of the tracker a press grabbed (all four: a move).
    enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8, All = 15 };
    int trackerHit(const CanvasGeometry &g, QPoint p) const;
    GridPlacement placement(const CanvasGeometry &g) const;
    void finishBlock(CanvasView &view);
    void paintAt(CanvasView &view, QPoint p);
    void openBlockMenu(QPoint globalPos);
    void showPenHint();

    AppContext &m_ctx;
    Drag m_drag = Drag::None;
    int m_edges = 0;
    QPoint m_pressAt;
    QRect m_startRect; // the block's pixels when a tracker drag began
    QRect m_rect;      // the rectangle being dragged, in client pixels
    std::unique_ptr<PaintStroke> m_stroke;
};

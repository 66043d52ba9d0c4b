#include "transforms/brightness_curve_editor.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// Room for the axis labels left and below, and for the point labels.
constexpr int kLeft = 40;
constexpr int kTop = 16;
constexpr int kRight = 64;
constexpr int kBottom = 28;
constexpr int kUnits = 256;
constexpr int kGrab = 8; // pixels around a point that pick it up

} // namespace

BrightnessCurveEditor::BrightnessCurveEditor(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("curveEditor"));
    setMouseTracking(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize BrightnessCurveEditor::sizeHint() const { return QSize(kLeft + kUnits + kRight, kTop + kUnits + kBottom); }

QPoint BrightnessCurveEditor::toWidget(int x, int y) const { return QPoint(kLeft + x, kTop + (kUnits - 1) - y); }

QPoint BrightnessCurveEditor::toCurve(const QPoint &p) const
{
    return QPoint(std::clamp(p.x() - kLeft, 0, 255), std::clamp((kUnits - 1) - (p.y() - kTop), 0, 255));
}

QPoint BrightnessCurveEditor::point(int which) const
{
    return which == 1 ? QPoint(m_curve.x1, m_curve.y1) : QPoint(m_curve.x2, m_curve.y2);
}

void BrightnessCurveEditor::setPoint(int which, int x, int y)
{
    x = std::clamp(x, 0, 255);
    y = std::clamp(y, 0, 255);
    if (point(which) == QPoint(x, y))
        return;
    if (which == 1) {
        m_curve.x1 = x;
        m_curve.y1 = y;
    } else {
        m_curve.x2 = x;
        m_curve.y2 = y;
    }
    update();
    emit pointsChanged();
}

void BrightnessCurveEditor::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRect plot(kLeft, kTop, kUnits, kUnits);
    p.fillRect(plot, palette().base());
    p.setPen(QPen(palette().mid().color(), 1, Qt::DotLine));
    for (int v = 64; v < kUnits; v += 64) {
        p.drawLine(toWidget(v, 0), toWidget(v, 255));
        p.drawLine(toWidget(0, v), toWidget(255, v));
    }
    p.setPen(palette().text().color());
    p.drawRect(plot.adjusted(0, 0, -1, -1));

    // Axis labels: "0" at the origin, "255" at the end of each axis.
    const QFontMetrics fm = fontMetrics();
    const QPoint origin = toWidget(0, 0);
    p.drawText(QRect(origin.x() - kLeft, origin.y() - fm.height() / 2, kLeft - 4, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    p.drawText(QRect(origin.x() - 20, origin.y() + 4, 40, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("0"));
    const QPoint top = toWidget(0, 255);
    p.drawText(QRect(top.x() - kLeft, top.y() - fm.height() / 2, kLeft - 4, fm.height()),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("255"));
    const QPoint right = toWidget(255, 0);
    p.drawText(QRect(right.x() - 20, right.y() + 4, 40, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("255"));

    // The curve in the order the user set the points.
    const QPoint pts[4] = {toWidget(0, 0), toWidget(m_curve.x1, m_curve.y1), toWidget(m_curve.x2, m_curve.y2),
                           toWidget(255, 255)};
    p.setPen(QPen(palette().highlight().color(), 2));
    p.drawPolyline(pts, 4);

    p.setRenderHint(QPainter::Antialiasing, false);
    for (int which = 1; which <= 2; ++which) {
        const QPoint c = point(which);
        const QPoint w = toWidget(c.x(), c.y());
        p.setPen(palette().text().color());
        p.setBrush(which == m_dragging ? palette().highlight() : palette().button());
        p.drawRect(QRect(w.x() - 4, w.y() - 4, 8, 8));
        // The label sits beside its point, on the left near the right edge
        // and below near the top, so that it stays inside the widget.
        const QString label = QStringLiteral("(%1, %2)").arg(c.x()).arg(c.y());
        const int width = fm.horizontalAdvance(label);
        const int dx = w.x() + 8 + width > this->width() ? -8 - width : 8;
        int dy = which == 1 ? 14 : -6;
        if (w.y() + dy - fm.ascent() < 0)
            dy = 14;
        p.drawText(w + QPoint(dx, dy), label);
    }
}

void BrightnessCurveEditor::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint at = e->position().toPoint();
    int best = 0;
    int bestDistance = kGrab * kGrab + 1;
    for (int which = 1; which <= 2; ++which) {
        const QPoint d = toWidget(point(which).x(), point(which).y()) - at;
        const int dist = d.x() * d.x() + d.y() * d.y();
        // On a tie (points on top of each other) the point that may move
        // toward the mouse is taken: point 2 to the right, point 1 to the left.
        if (dist < bestDistance || (dist == bestDistance && which == 2 && d.x() < 0)) {
            best = which;
            bestDistance = dist;
        }
    }
    m_dragging = best;
    update();
}

void BrightnessCurveEditor::mouseMoveEvent(QMouseEvent *e)
{
    if (m_dragging && (e->buttons() & Qt::LeftButton))
        dragTo(e->position().toPoint());
}

void BrightnessCurveEditor::mouseReleaseEvent(QMouseEvent *e)
{
    if (m_dragging && e->button() == Qt::LeftButton) {
        dragTo(e->position().toPoint());
        m_dragging = 0;
        update();
    }
}

void BrightnessCurveEditor::dragTo(const QPoint &widgetPos)
{
    QPoint c = toCurve(widgetPos);
    if (m_dragging == 1)
        c.setX(std::min(c.x(), m_curve.x2));
    else
        c.setX(std::max(c.x(), m_curve.x1));
    setPoint(m_dragging, c.x(), c.y());
}

#pragma once
// The curve of "亮度设定": 256 x 256 units, a polyline from (0, 0) through
// point 1 and point 2 to (255, 255). Both points are dragged with the
// mouse; point 1 cannot be dragged right of point 2 nor point 2 left of
// point 1.

#include "editing/brightness.h"

#include <QPoint>
#include <QWidget>

class BrightnessCurveEditor : public QWidget
{
    Q_OBJECT
public:
    explicit BrightnessCurveEditor(QWidget *parent = nullptr);

    const BrightnessCurve &curve() const { return m_curve; }
    // Sets point 1 or 2 (coordinates limited to 0..255; fields may put the
    // points in any order, confirm sorts them).
    void setPoint(int which, int x, int y);
    QPoint point(int which) const;

    // Widget position of a curve coordinate and back (one pixel per unit).
    QPoint toWidget(int x, int y) const;
    QPoint toCurve(const QPoint &widgetPos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void pointsChanged();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void dragTo(const QPoint &widgetPos);

    BrightnessCurve m_curve;
    int m_dragging = 0; // 0 none, 1 or 2
};

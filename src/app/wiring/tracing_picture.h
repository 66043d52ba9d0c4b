#pragma once
// A bitmap of the installation shown under the wiring display, so the user
// can trace the lamps' real positions. It sits at a client position of the
// canvas, follows zoom and pan like the grid, and can be dragged in
// picture mode.

#include "canvas/canvas_geometry.h"

#include <QImage>
#include <QPointF>
#include <QString>

class QPainter;

class TracingPicture
{
public:
    // Where a freshly loaded picture's top-left corner goes, from the
    // canvas's origin.
    static constexpr QPoint kStart{100, 110};

    bool load(const QString &path);
    bool isLoaded() const { return !m_image.isNull(); }
    QRectF rect() const;
    void paint(QPainter &p) const;

    // Press inside grips it; moving with the button down moves it by the
    // mouse movement; release lets go.
    bool grip(QPoint client);
    void dragTo(QPoint client);
    void letGo() { m_gripped = false; }
    bool isGripped() const { return m_gripped; }

    // Zoom, pan and scroll move it with the grid.
    void gridMoved(const CanvasGeometry &before, const CanvasGeometry &after);

private:
    QImage m_image;
    QPointF m_topLeft{kStart};
    double m_scale = 1.0;
    bool m_gripped = false;
    QPoint m_last;
};

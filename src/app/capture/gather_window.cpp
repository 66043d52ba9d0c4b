#include "capture/gather_window.h"

#include "capture/gather_texts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>

GatherWindow::GatherWindow(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowOpacity(90.0 / 255.0);
    setMinimumSize(2 * kBorder + 1, 2 * kBorder + 1);
    setCursor(Qt::SizeAllCursor);
    setMouseTracking(true);
}

QRect GatherWindow::sampledRect() const
{
    return geometry().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

void GatherWindow::setSampledRect(const QRect &r)
{
    m_quiet = true;
    setGeometry(r.adjusted(-kBorder, -kBorder, kBorder, kBorder));
    m_quiet = false;
}

void GatherWindow::setSampling(bool on)
{
    m_sampling = on;
    applyMask();
    update();
}

void GatherWindow::applyMask()
{
    if (m_sampling)
        setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder))));
    else
        clearMask();
}

void GatherWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(40, 40, 40));
    const QRect inner = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (m_sampling)
        return;
    p.fillRect(inner, Qt::red);
    const QString text = GatherText::markerText();
    if (!text.isEmpty()) {
        p.setPen(Qt::green);
        p.drawText(inner, Qt::AlignCenter, text);
    }
}

void GatherWindow::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint at = e->position().toPoint();
    m_resizeEdges = 0;
    if (at.x() < kBorder)
        m_resizeEdges |= Qt::LeftEdge;
    if (at.x() >= width() - kBorder)
        m_resizeEdges |= Qt::RightEdge;
    if (at.y() < kBorder)
        m_resizeEdges |= Qt::TopEdge;
    if (at.y() >= height() - kBorder)
        m_resizeEdges |= Qt::BottomEdge;
    // The window system moves and resizes where it can; elsewhere the
    // window follows the mouse itself.
    if (QWindow *w = windowHandle()) {
        if (m_resizeEdges ? w->startSystemResize(Qt::Edges(m_resizeEdges)) : w->startSystemMove())
            return;
    }
    m_dragging = true;
    m_dragOffset = e->globalPosition().toPoint() - pos();
}

void GatherWindow::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_dragging)
        return;
    const QPoint global = e->globalPosition().toPoint();
    if (!m_resizeEdges) {
        move(global - m_dragOffset);
        return;
    }
    QRect g = geometry();
    if (m_resizeEdges & Qt::LeftEdge)
        g.setLeft(std::min(global.x(), g.right() - minimumWidth()));
    if (m_resizeEdges & Qt::RightEdge)
        g.setRight(std::max(global.x(), g.left() + minimumWidth()));
    if (m_resizeEdges & Qt::TopEdge)
        g.setTop(std::min(global.y(), g.bottom() - minimumHeight()));
    if (m_resizeEdges & Qt::BottomEdge)
        g.setBottom(std::max(global.y(), g.top() + minimumHeight()));
    setGeometry(g);
}

void GatherWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}

void GatherWindow::moveEvent(QMoveEvent *)
{
    if (!m_quiet)
        emit sampledRectChanged(sampledRect());
}

void GatherWindow::resizeEvent(QResizeEvent *)
{
    applyMask();
    if (!m_quiet)
        emit sampledRectChanged(sampledRect());
}

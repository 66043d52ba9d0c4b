#pragma once
// The gather's marker: a frameless, resizable, translucent red window whose
// client area is the screen rectangle sampled. Dragging anywhere moves it;
// moving and resizing are reported so the dialog's edits follow. While
// sampling, a window mask leaves only its frame, so the red area never
// shows in a sample.

#include <QWidget>

class GatherWindow : public QWidget
{
    Q_OBJECT
public:
    // Pixels of the visible frame around the sampled rectangle.
    static constexpr int kBorder = 4;

    explicit GatherWindow(QWidget *parent = nullptr);

    // The sampled rectangle in screen coordinates.
    QRect sampledRect() const;
    void setSampledRect(const QRect &r);
    // Sampling: only the frame stays visible (and the rectangle is clear).
    void setSampling(bool on);
    bool isSampling() const { return m_sampling; }

signals:
    void sampledRectChanged(const QRect &r);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void moveEvent(QMoveEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void applyMask();
    QPoint m_dragOffset;
    int m_resizeEdges = 0; // Qt::Edges while a border is dragged
    bool m_dragging = false;
    bool m_sampling = false;
    bool m_quiet = false;
};

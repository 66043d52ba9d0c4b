#pragma once
// The port picker of the wiring page: 4 rows of 8 swatches in the port
// colours, numbered 1 to 32. A click picks the port under the mouse.

#include <QWidget>

class PortPicker : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kRows = 4;
    static constexpr int kColumns = 8;

    explicit PortPicker(QWidget *parent = nullptr);
    QSize sizeHint() const override { return {8 * 26, 4 * 22}; }
    QSize minimumSizeHint() const override { return {8 * 16, 4 * 14}; }

    // The port (1..32) under a point of the widget, 0 outside.
    int portAt(QPoint pos) const;
    // The colour of a swatch's number: white on dark port colours, black
    // on light ones, whichever stands out more.
    static QColor labelColour(const QColor &swatch);

signals:
    void portPicked(int port);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

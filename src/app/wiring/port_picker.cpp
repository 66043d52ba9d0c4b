#include "wiring/port_picker.h"

#include "document/wiring.h"

#include <QMouseEvent>
#include <QPainter>

PortPicker::PortPicker(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PortPicker"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

int PortPicker::portAt(QPoint pos) const
{
    if (!rect().contains(pos) || width() <= 0 || height() <= 0)
        return 0;
    const int row = std::min(pos.y() * kRows / height(), kRows - 1);
    const int column = std::min(pos.x() * kColumns / width(), kColumns - 1);
    return row * kColumns + column + 1;
}

void PortPicker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            const QRect r(column * width() / kColumns, row * height() / kRows,
                          (column + 1) * width() / kColumns - column * width() / kColumns,
                          (row + 1) * height() / kRows - row * height() / kRows);
            const int port = row * kColumns + column + 1;
            const ColorValue c = portColourTable()[size_t(port - 1)];
            const QColor swatch(int(redOf(c)), int(greenOf(c)), int(blueOf(c)));
            p.fillRect(r, swatch);
            // The number in black on light swatches, in white on dark ones.
            p.setPen(swatch.lightness() > 110 ? Qt::black : Qt::white);
            p.drawText(r, Qt::AlignCenter, QString::number(port));
        }
}

void PortPicker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const int port = portAt(event->position().toPoint()))
        emit portPicked(port);
}

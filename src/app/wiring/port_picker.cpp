#include "wiring/port_picker.h"

#include "document/wiring.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

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

namespace {

// Relative luminance of a screen colour (sRGB, 0 black to 1 white).
double luminance(const QColor &c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

} // namespace

QColor PortPicker::labelColour(const QColor &swatch)
{
    // Contrast ratios (L1 + 0.05) / (L2 + 0.05) against white (L = 1) and
    // black (L = 0): full red or blue reads far better in white, although
    // their lightness is middling.
    const double l = luminance(swatch);
    const double onWhite = 1.05 / (l + 0.05);
    const double onBlack = (l + 0.05) / 0.05;
    return onWhite >= onBlack ? QColor(Qt::white) : QColor(Qt::black);
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
            p.setPen(labelColour(swatch));
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

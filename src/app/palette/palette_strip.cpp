#include "palette/palette_strip.h"

#include "palette/palette_colours.h"
#include "palette/palette_state.h"

#include <QMouseEvent>
#include <QPainter>

PaletteStrip::PaletteStrip(PaletteState &palette, QWidget *parent) : QWidget(parent), m_palette(palette)
{
    setObjectName(QStringLiteral("PaletteStrip"));
    setMinimumSize(120, 20);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

int PaletteStrip::cellLeft(int i) const
{
    const int n = m_palette.count();
    return n > 0 ? int(double(width()) / n * i) : 0;
}

int PaletteStrip::entryAt(int x) const
{
    const int n = m_palette.count();
    if (n < 1)
        return -1;
    const double cell = double(width()) / n;
    const int index = x <= 0 ? 0 : int(x / cell);
    return std::min(index, n - 1);
}

void PaletteStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int n = m_palette.count();
    if (n < 1) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    for (int i = 0; i < n; ++i)
        p.fillRect(QRect(QPoint(cellLeft(i), 0), QPoint(cellLeft(i + 1) - 1, height() - 1)),
                   qColorOf(m_palette.colours[size_t(i)]));
    const int sel = std::clamp(m_palette.selected, 0, n - 1);
    // White "1" on a transparent background, centred in the selected cell.
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(cellLeft(sel), 0), QPoint(cellLeft(sel + 1) - 1, height() - 1)), Qt::AlignCenter,
               QStringLiteral("1"));
}

void PaletteStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int index = entryAt(int(event->position().x()));
        if (index >= 0)
            emit entrySelected(index);
    } else if (event->button() == Qt::RightButton) {
        emit panelRequested();
    }
}

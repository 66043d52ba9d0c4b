#include "palette/working_list_view.h"

#include "palette/palette_colours.h"

#include <QPainter>

WorkingListView::WorkingListView(const std::vector<ColorValue> &colours, QWidget *parent)
    : QWidget(parent), m_colours(colours)
{
    setObjectName(QStringLiteral("WorkingList"));
    setMinimumSize(sizeHint());
}

void WorkingListView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    // 512 colours fit as 16 rows of 32.
    const double w = double(width() - 1) / 32;
    const double h = double(height() - 1) / 16;
    p.setPen(QColor(160, 160, 160));
    for (size_t i = 0; i < m_colours.size() && i < 512; ++i) {
        const int r = int(i / 32), c = int(i % 32);
        const QRect cell(QPoint(int(c * w), int(r * h)), QPoint(int((c + 1) * w), int((r + 1) * h)));
        p.fillRect(cell, qColorOf(m_colours[i]));
        p.drawRect(cell);
    }
}

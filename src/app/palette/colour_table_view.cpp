#include "palette/colour_table_view.h"

#include "palette/colour_panel_model.h"
#include "palette/palette_colours.h"

#include <QMouseEvent>
#include <QPainter>

ColourTableView::ColourTableView(ColourPanelModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("ColourTable"));
    setMouseTracking(true);
    setMinimumSize(260, 60);
}

QRect ColourTableView::cellRect(int row, int column) const
{
    const ColourTable &t = m_model.table();
    if (t.rows < 1 || t.grades < 1)
        return {};
    // Edges from the table's origin, so the cells fill the frame exactly.
    const double w = double(width() - 1) / t.grades;
    const double h = double(height() - 1) / t.rows;
    return QRect(QPoint(int(column * w), int(row * h)), QPoint(int((column + 1) * w), int((row + 1) * h)));
}

int ColourTableView::cellAt(QPoint p) const
{
    const ColourTable &t = m_model.table();
    if (t.rows < 1 || t.grades < 1 || p.x() < 0 || p.y() < 0 || p.x() >= width() - 1 || p.y() >= height() - 1)
        return -1;
    const int column = std::min(int(p.x() / (double(width() - 1) / t.grades)), t.grades - 1);
    const int row = std::min(int(p.y() / (double(height() - 1) / t.rows)), t.rows - 1);
    return row * t.grades + column;
}

void ColourTableView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const ColourTable &t = m_model.table();
    p.setPen(QColor(128, 128, 128));
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.grades; ++c) {
            const QRect cell = cellRect(r, c);
            p.fillRect(cell, qColorOf(t.at(r, c)));
            p.drawRect(cell);
        }
    const int sel = m_model.selectedCell();
    if (sel >= 0 && t.grades > 0) {
        p.setPen(Qt::white);
        p.drawText(cellRect(sel / t.grades, sel % t.grades), Qt::AlignCenter, QStringLiteral("1"));
    }
}

void ColourTableView::mousePressEvent(QMouseEvent *event)
{
    const int cell = cellAt(event->position().toPoint());
    if (cell < 0)
        return;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->button() == Qt::LeftButton)
        m_model.leftClick(cell, ctrl);
    else if (event->button() == Qt::RightButton)
        m_model.rightClick(cell, ctrl);
    else
        return;
    update();
    emit clicked();
}

void ColourTableView::mouseMoveEvent(QMouseEvent *event)
{
    const int cell = cellAt(event->position().toPoint());
    if (cell >= 0)
        emit hovered(ColourPanelModel::readout(m_model.table().cells[size_t(cell)]));
}

#include "canvas/colour_button.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {

QColor toQColor(ColorValue c) { return QColor(int(redOf(c)), int(greenOf(c)), int(blueOf(c))); }

} // namespace

ColourButton::ColourButton(ColorValue colour, QWidget *parent) : QPushButton(parent), m_colour(colour)
{
    setMinimumWidth(64);
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
    updateSwatch();
}

void ColourButton::setColour(ColorValue colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    updateSwatch();
    emit colourChanged(colour);
}

void ColourButton::choose()
{
    const QColor picked = QColorDialog::getColor(toQColor(m_colour), this);
    if (picked.isValid())
        setColour(makeColor(unsigned(picked.red()), unsigned(picked.green()), unsigned(picked.blue())));
}

void ColourButton::updateSwatch()
{
    QPixmap swatch(40, 14);
    swatch.fill(toQColor(m_colour));
    QPainter p(&swatch);
    p.setPen(Qt::black);
    p.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    p.end();
    setIcon(QIcon(swatch));
    setIconSize(swatch.size());
}

#pragma once
// A push button that shows a colour swatch and lets the user pick another
// colour with the system colour dialog.

#include "settings/color_value.h"

#include <QPushButton>

class ColourButton : public QPushButton
{
    Q_OBJECT
public:
    explicit ColourButton(ColorValue colour, QWidget *parent = nullptr);

    ColorValue colour() const { return m_colour; }
    void setColour(ColorValue colour);

signals:
    void colourChanged(ColorValue colour);

private:
    void choose();
    void updateSwatch();

    ColorValue m_colour;
};

#pragma once
// Palette colours on screen: ColorValue (0x00BBGGRR) to and from QColor,
// and the eight fixed base colours of the palette bar.

#include "settings/color_value.h"

#include <QColor>
#include <array>

inline QColor qColorOf(ColorValue c) { return QColor(int(redOf(c)), int(greenOf(c)), int(blueOf(c))); }
inline ColorValue colorValueOf(const QColor &c)
{
    return makeColor(unsigned(c.red()), unsigned(c.green()), unsigned(c.blue()));
}

// Red, green, blue, white, yellow, cyan, magenta, black.
inline constexpr std::array<ColorValue, 8> kBaseColours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF,
                                                           0x00FFFF, 0xFFFF00, 0xFF00FF, 0x000000};

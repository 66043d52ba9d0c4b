#pragma once
// The current colour and the palette list with its selected entry: the
// colours every painting and generating operation uses.

#include "settings/color_value.h"

#include <vector>

struct PaletteState
{
    static constexpr int kMaxColours = 512;

    ColorValue currentColour = 0x0000FF; // red
    std::vector<ColorValue> colours = {0x0000FF, 0x00FF00, 0xFF0000};
    int selected = 0;

    int count() const { return int(colours.size()); }
};

#pragma once
// The current colour and the palette list with its selected entry: the
// colours every painting and generating operation uses.

#include "settings/color_value.h"

#include <cstddef>
#include <vector>

// The palette bar's brush buttons. Single paints one point and advances
// the palette after it; Small, Large and Huge paint squares of 3, 5 and 9
// points a side (brushStamp in editing/painting.h); PenNoBrush is what
// "None" becomes while the pen is on, and paints one point.
enum class Brush : int { None = 0, Single = 1, Small = 2, Large = 3, Huge = 4, PenNoBrush = 5 };

struct PaletteState
{
    static constexpr int kMaxColours = 512;

    ColorValue currentColour = 0x0000FF; // red
    std::vector<ColorValue> colours = {0x0000FF, 0x00FF00, 0xFF0000};
    int selected = 0;
    Brush brush = Brush::Single;

    int count() const { return int(colours.size()); }

    // The list used when no start file gives at least one colour.
    static std::vector<ColorValue> fallbackColours() { return {0x0000FF, 0x00FF00, 0xFF0000}; }

    // Makes the entry current; an index past the end is clipped to the last
    // entry, a negative one to 0. An empty list keeps the current colour.
    void selectEntry(int index)
    {
        if (colours.empty()) {
            selected = 0;
            return;
        }
        if (index >= count())
            index = count() - 1;
        if (index < 0)
            index = 0;
        selected = index;
        currentColour = colours[size_t(index)];
    }

    // One step along the list, wrapping to the first entry after the last:
    // painting with the Single brush calls this after every point.
    void advanceSelection()
    {
        if (colours.empty())
            return;
        int next = selected + 1;
        if (next >= count() || next < 0)
            next = 0;
        selectEntry(next);
    }

    // The pen switch moves the brush between None and PenNoBrush.
    void penSwitched(bool penOn)
    {
        if (penOn && brush == Brush::None)
            brush = Brush::PenNoBrush;
        else if (!penOn && brush == Brush::PenNoBrush)
            brush = Brush::None;
    }
};

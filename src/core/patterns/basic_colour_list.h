#pragma once
// The eight colours of every colour drop-down on the pattern pages. A page
// stores the list index; the colour is looked up when the page runs.

#include "settings/color_value.h"

#include <QString>

struct BasicColourList
{
    static constexpr int kCount = 8;

    // The colour of list index `index`: red, yellow, green, cyan, blue,
    // magenta, white, black. A value outside 0..7 is passed through
    // unchanged as a colour.
    static ColorValue colour(int index);

    // The item text of list index 0..7 in the active language (section
    // "AutoComboBox", keys "GroupBoxColorItem0".."GroupBoxColorItem7").
    static QString text(int index);
};

class Prompt;

// The colour check every solid-colour page makes before it draws: equal
// foreground and background indexes show "前景色和背景色相同" and stop the
// run. Returns true when the run may go on.
bool patternColoursDiffer(int foreground, int background, Prompt &prompt);
QString sameColourMessage();

#pragma once
// The ten directions in which PaletteFlow runs the palette colours over a
// pattern, in the order of the drop-down items that offer them.

#include <QString>

enum class FlowDirection : int {
    Up = 0,
    Down = 1,
    Left = 2,
    Right = 3,
    LeftUp = 4,
    RightUp = 5,
    LeftDown = 6,
    RightDown = 7,
    WaveUp = 8,
    WaveDown = 9,
};

constexpr int kFlowDirectionCount = 10;

// The item text of a direction (0..9) for the active language. The English
// items are built in ("Up", "Down", "Left", "right", "LeftTop", ...), the
// Chinese ones too; traditional Chinese converts the Chinese ones. Several
// of the built-in items carry a trailing tab, which no list shows: the
// texts come back without it.
QString flowDirectionText(int direction);

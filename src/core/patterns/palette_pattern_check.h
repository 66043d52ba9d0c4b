#pragma once
// What the palette pages (jumping notes, palette fill) check before they
// draw: the palette must hold at least one colour.

#include <QString>

struct PaletteState;
class Prompt;

// "调色板中颜色为空" (section "Message", key "PaletteIsEmpty").
QString paletteEmptyMessage();

// True when `palette` holds a colour; otherwise the message is shown and
// the run must stop before it makes anything.
bool paletteHasColours(const PaletteState *palette, Prompt &prompt);

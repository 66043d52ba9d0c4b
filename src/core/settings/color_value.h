#pragma once
// A lamp colour laid out as 0x00BBGGRR: red in the lowest byte, green in the
// next, blue in the third. The top byte is 0 for every colour a user picks.

#include <cstdint>

using ColorValue = uint32_t;

constexpr ColorValue makeColor(unsigned red, unsigned green, unsigned blue)
{
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned redOf(ColorValue c) { return c & 0xFFu; }
constexpr unsigned greenOf(ColorValue c) { return (c >> 8) & 0xFFu; }
constexpr unsigned blueOf(ColorValue c) { return (c >> 16) & 0xFFu; }

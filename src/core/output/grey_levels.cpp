#include "output/grey_levels.h"

#include <cstddef>

int greyLevelShift(int greyLevels)
{
    switch (greyLevels) {
    case 2:
        return 7;
    case 8:
        return 5;
    case 16:
        return 4;
    case 32:
        return 3;
    case 64:
        return 2;
    case 128:
        return 1;
    default:
        return 0;
    }
}

GreyLevelTable::GreyLevelTable(int greyLevels, int format)
{
    const int shift = greyLevelShift(greyLevels);
    const uint8_t top = greyLevels == 128 && format == 11 ? 0x80 : 0;
    identity = shift == 0 && top == 0;
    for (int v = 0; v < 256; ++v)
        map[size_t(v)] = uint8_t((v >> shift) | top);
}

void GreyLevelTable::apply(uint8_t *bytes, size_t n) const
{
    if (identity)
        return;
    for (size_t i = 0; i < n; ++i)
        bytes[i] = map[bytes[i]];
}

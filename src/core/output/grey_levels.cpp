#include "output/grey_levels.h"

#include <cstring>

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

GreyLevelReduction::GreyLevelReduction(int greyLevels, int format)
    : shift(greyLevelShift(greyLevels)), topBit(greyLevels == 128 && format == 11 ? 0x80 : 0)
{
}

void GreyLevelReduction::apply(uint8_t *bytes, size_t n) const
{
    if (identity())
        return;
    const unsigned s = unsigned(shift);
    const uint8_t top = topBit;
    // Eight bytes at a time: one 64-bit shift, then the bits that moved in
    // from the next byte up are masked away.
    constexpr uint64_t ones = 0x0101010101010101ull;
    const uint64_t keep = ones * (0xFFu >> s);
    const uint64_t set = ones * top;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, bytes + i, 8);
        w = ((w >> s) & keep) | set;
        std::memcpy(bytes + i, &w, 8);
    }
    for (; i < n; ++i)
        bytes[i] = uint8_t((bytes[i] >> s) | top);
}

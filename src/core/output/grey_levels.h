#pragma once
// Grey-level reduction of the bytes of a frame block: every byte is shifted
// right so that only as many levels remain as the controller shows.

#include <cstddef>
#include <cstdint>

// The right shift for a grey level count: 2 → 7, 8 → 5, 16 → 4, 32 → 3,
// 64 → 2, 128 → 1, anything else (256) → 0.
int greyLevelShift(int greyLevels);

// The reduction of one run of bytes. Format 11 ("LPD8806") with 128 levels
// also sets the top bit of every byte, zeros included: those drivers take a
// byte without it as the start of a frame.
struct GreyLevelReduction
{
    int shift = 0;
    uint8_t topBit = 0;

    GreyLevelReduction(int greyLevels, int format);
    bool identity() const { return shift == 0 && topBit == 0; }
    uint8_t operator()(uint8_t v) const { return uint8_t((v >> shift) | topBit); }
    // Eight bytes at a time as one 64-bit word (shifted, then masked so no
    // bit crosses into the next byte), the last few one by one.
    void apply(uint8_t *bytes, size_t n) const;
};

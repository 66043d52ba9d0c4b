#pragma once
// Grey-level reduction of the bytes of a frame block: every byte is shifted
// right so that only as many levels remain as the controller shows.

#include <array>
#include <cstddef>
#include <cstdint>

// The right shift for a grey level count: 2 → 7, 8 → 5, 16 → 4, 32 → 3,
// 64 → 2, 128 → 1, anything else (256) → 0.
int greyLevelShift(int greyLevels);

// The reduction as a table over all byte values. Format 11 ("LPD8806") with
// 128 levels also sets the top bit of every byte, zeros included: those
// drivers take a byte without it as the start of a frame.
struct GreyLevelTable
{
    std::array<uint8_t, 256> map{};
    bool identity = true;

    GreyLevelTable(int greyLevels, int format);
    void apply(uint8_t *bytes, size_t n) const;
};

#pragma once
// The arithmetic of the scrambled "VISSP2" project layout. Its header words
// are raised to a secret power modulo n (the key is in the file beside
// them); its pixel words have their 4-bit groups shuffled and are masked.

#include "settings/color_value.h"

#include <cstdint>

// base^exponent mod n on 32-bit operands with 64-bit products, in the
// square-and-multiply order the files were made with: while the exponent is
// even, halve it and square the base; then multiply the result by the base
// and take one from the exponent; repeat until the exponent is 0. The
// result starts at 1. n must be at least 2.
uint32_t scrambledPower(uint32_t base, uint32_t exponent, uint32_t n);

// The working exponent of a file: its key word raised to 17, modulo n.
uint32_t scrambledExponent(uint32_t key, uint32_t n);

// A header word decoded with the working exponent.
inline uint32_t decodeScrambledWord(uint32_t word, uint32_t exponent, uint32_t n)
{
    return scrambledPower(word, exponent, n);
}

// A pixel word as a colour: each 4-bit group (0 the lowest) moves to a new
// place, 0->5 1->6 2->4 3->0 4->7 5->3 6->2 7->1, then the mask 0x3C6E1A95
// is applied with exclusive-or.
constexpr ColorValue unscramblePixel(uint32_t w)
{
    const uint32_t moved = ((w >> 0) & 0xFu) << 20   // group 0 -> 5
                         | ((w >> 4) & 0xFu) << 24   // group 1 -> 6
                         | ((w >> 8) & 0xFu) << 16   // group 2 -> 4
                         | ((w >> 12) & 0xFu) << 0   // group 3 -> 0
                         | ((w >> 16) & 0xFu) << 28  // group 4 -> 7
                         | ((w >> 20) & 0xFu) << 12  // group 5 -> 3
                         | ((w >> 24) & 0xFu) << 8   // group 6 -> 2
                         | ((w >> 28) & 0xFu) << 4;  // group 7 -> 1
    return moved ^ 0x3C6E1A95u;
}

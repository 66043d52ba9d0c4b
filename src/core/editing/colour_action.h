#pragma once
// How a new colour d combines with a grid point's old colour a: the
// operation panel's colour action list. Both are taken as 24-bit values and
// every result is 24-bit with the top byte 0; add and subtract work on the
// whole 24-bit number, so a carry or borrow runs from one colour byte into
// the next.

#include "settings/color_value.h"

#include <cstddef>

enum class ColourAction : int {
    Replace = 0,     // "替换"
    Invert = 1,      // "反色"
    And = 2,         // "相与"
    Or = 3,          // "相或"
    Xor = 4,         // "异或"
    Add = 5,         // "相加"
    Subtract = 6,    // "相减"
    NotAnd = 7,      // "非与"
    NotOr = 8,       // "非或"
    Nxor = 9,        // "NXOR"
    NotAdd = 10,     // "非加"
    NotSubtract = 11 // "非减"
};

constexpr int kColourActionCount = 12;

// An index outside the list behaves as Replace.
constexpr ColourAction colourActionFromIndex(int index)
{
    return index >= 0 && index < kColourActionCount ? ColourAction(index) : ColourAction::Replace;
}

constexpr ColorValue combineColours(ColourAction action, ColorValue a, ColorValue d)
{
    constexpr ColorValue m = 0xFFFFFFu;
    a &= m;
    d &= m;
    switch (action) {
    case ColourAction::Replace: return d;
    case ColourAction::Invert: return ~a & m;
    case ColourAction::And: return a & d;
    case ColourAction::Or: return a | d;
    case ColourAction::Xor: return a ^ d;
    case ColourAction::Add: return (a + d) & m;
    case ColourAction::Subtract: return (a - d) & m;
    case ColourAction::NotAnd: return ~a & d & m;
    case ColourAction::NotOr: return (~a | d) & m;
    case ColourAction::Nxor: return ~(a ^ d) & m;
    case ColourAction::NotAdd: return ((~a & m) + d) & m;
    case ColourAction::NotSubtract: return ((~a & m) - d) & m;
    }
    return d;
}

constexpr ColorValue combineColours(int actionIndex, ColorValue a, ColorValue d)
{
    return combineColours(colourActionFromIndex(actionIndex), a, d);
}

// dst[i] = combine(dst[i], src[i]) over a run of points. The action is
// chosen once per run, so the inner loop is a plain loop the compiler can
// vectorise. With `skip` set, source points equal to *skip leave the
// destination unchanged (the transparent overlay of paste).
void combineRun(ColourAction action, ColorValue *dst, const ColorValue *src, size_t n,
                const ColorValue *skip = nullptr);

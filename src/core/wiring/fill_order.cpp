#include "wiring/fill_order.h"

#include <array>

namespace {

// Rows: forwards is top to bottom and, within a run, left to right.
// Columns: forwards is left to right and, within a run, top to bottom.
constexpr std::array<FillOrderRule, 16> kRules = {{
    {false, false, false, false}, // 0 rows top-down, left to right
    {false, false, true, false},  // 1 rows top-down, right to left
    {true, true, false, false},   // 2 columns right-left, top to bottom
    {true, true, true, false},    // 3 columns right-left, bottom to top
    {false, false, false, true},  // 4 rows top-down snake, first left to right
    {false, true, false, true},   // 5 rows bottom-up snake, first left to right
    {false, false, true, true},   // 6 rows top-down snake, first right to left
    {false, true, true, true},    // 7 rows bottom-up snake, first right to left
    {true, false, false, true},   // 8 columns left-right snake, first top to bottom
    {true, false, true, true},    // 9 columns left-right snake, first bottom to top
    {true, true, false, true},    // 10 columns right-left snake, first top to bottom
    {true, true, true, true},     // 11 columns right-left snake, first bottom to top
    {false, true, false, false},  // 12 rows bottom-up, left to right
    {false, true, true, false},   // 13 rows bottom-up, right to left
    {true, false, false, false},  // 14 columns left-right, top to bottom
    {true, false, true, false},   // 15 columns left-right, bottom to top
}};

// [modifier][direction]
constexpr int kOrderFor[4][4] = {
    {0, 1, 13, 12},  // none: horizontal runs one way
    {4, 6, 7, 5},    // Ctrl: horizontal snake
    {14, 2, 3, 15},  // Shift: vertical runs one way
    {8, 10, 11, 9},  // Alt: vertical snake
};

} // namespace

WiringModifier wiringModifier(bool ctrl, bool shift, bool alt)
{
    if (ctrl)
        return WiringModifier::Ctrl;
    if (shift)
        return WiringModifier::Shift;
    if (alt)
        return WiringModifier::Alt;
    return WiringModifier::None;
}

int dragDirection(QPoint anchor, QPoint release)
{
    const bool left = release.x() < anchor.x();
    const bool up = release.y() < anchor.y();
    if (left)
        return up ? 2 : 1;
    return up ? 3 : 0;
}

int fillOrderFor(WiringModifier modifier, int direction)
{
    return kOrderFor[int(modifier) & 3][direction & 3];
}

const FillOrderRule &fillOrderRule(int order)
{
    return kRules[size_t(order) & 15];
}

std::vector<QPoint> fillOrderCells(int order, const WiringRect &r)
{
    std::vector<QPoint> cells;
    if (!r.isEmpty())
        cells.reserve(size_t(r.width()) * size_t(r.height()));
    forEachCellInFillOrder(order, r, [&](int x, int y) { cells.emplace_back(x, y); });
    return cells;
}

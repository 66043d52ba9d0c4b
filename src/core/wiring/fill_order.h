#pragma once
// The sixteen orders in which a definition drag numbers the cells of its
// rectangle, and how the held modifier and the drag direction choose one.
// Every order starts at the corner where the drag was anchored.

#include "wiring/wiring_rect.h"

#include <QPoint>
#include <vector>

// Modifier held at the release; Ctrl wins over Shift, Shift over Alt.
enum class WiringModifier { None = 0, Ctrl = 1, Shift = 2, Alt = 3 };
WiringModifier wiringModifier(bool ctrl, bool shift, bool alt);

// 0 = not left, not up (a plain click too); 1 = left, not up; 2 = left and
// up; 3 = up, not left. "Left" and "up" compare the release cell with the
// anchor cell.
int dragDirection(QPoint anchor, QPoint release);

// The FillOrder (0..15) for a modifier and a direction code.
int fillOrderFor(WiringModifier modifier, int direction);

// How an order walks a rectangle: runs are rows or columns; the runs are
// taken forwards (top to bottom, left to right) or backwards; the first run
// goes forwards or backwards; in a snake every second run turns round.
struct FillOrderRule
{
    bool columnRuns;
    bool runsBackwards;
    bool firstRunBackwards;
    bool snake;
};
const FillOrderRule &fillOrderRule(int order);

// Calls visit(x, y) for every cell of `r` in order `order`. Snake parity
// counts every run of the rectangle, so a caller that skips cells keeps it.
template <class Visit> void forEachCellInFillOrder(int order, const WiringRect &r, Visit &&visit)
{
    if (r.isEmpty())
        return;
    const FillOrderRule &rule = fillOrderRule(order);
    const int runCount = rule.columnRuns ? r.width() : r.height();
    const int runLength = rule.columnRuns ? r.height() : r.width();
    for (int k = 0; k < runCount; ++k) {
        const int run = rule.runsBackwards ? runCount - 1 - k : k;
        const bool backwards = rule.firstRunBackwards != (rule.snake && (k & 1));
        for (int j = 0; j < runLength; ++j) {
            const int along = backwards ? runLength - 1 - j : j;
            if (rule.columnRuns)
                visit(r.left + run, r.top + along);
            else
                visit(r.left + along, r.top + run);
        }
    }
}

std::vector<QPoint> fillOrderCells(int order, const WiringRect &r);

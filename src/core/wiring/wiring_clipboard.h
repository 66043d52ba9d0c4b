#pragma once
// The run of a port's pixels picked by "copy selection". It refers to
// records of the wiring by their place in the list (it copies nothing), so
// it must be emptied before records leave the list; `revision` remembers the
// wiring's removal count at the time it was filled.

#include "wiring/wiring_rect.h"

#include <cstdint>
#include <vector>

struct WiringClipboard
{
    std::vector<int> records; // positions in the wiring's list, in copy order
    WiringRect bounds;        // bounding rectangle of their cells
    uint64_t revision = 0;

    bool isEmpty() const { return records.empty(); }
    void clear()
    {
        records.clear();
        bounds = WiringRect();
    }
};

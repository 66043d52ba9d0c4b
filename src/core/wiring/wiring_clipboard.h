#pragma once
// The run of a port's pixels picked by "copy selection". It refers to
// records of the wiring by their place in the list (it copies nothing), so
// it is emptied whenever records leave the list (the wiring's removal
// notice).

#include "wiring/wiring_rect.h"

#include <vector>

struct WiringClipboard
{
    std::vector<int> records; // positions in the wiring's list, in copy order
    WiringRect bounds;        // bounding rectangle of their cells

    bool isEmpty() const { return records.empty(); }
    void clear()
    {
        records.clear();
        bounds = WiringRect();
    }
};

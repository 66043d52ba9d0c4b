#pragma once
// What decides the bytes of a frame block: the grid's base colour count and
// the controller values read from the panel while writing.

#include "links/controller_params.h"

struct BlockLayout
{
    int baseColorNum = 3; // 1 single colour; 2 and 3 colour
    int format = 2;       // communication format index
    int greyLevels = 256;
    int controllerModel = 0;
    int cycle = 1;        // at least 1 here, whatever the panel holds
    int groupExtra = 0;
    RgbOrderList orderList;

    bool singleColour() const { return baseColorNum == 1; }
    // 32 grey levels on a "KV-M1" with format 4 ("LPD6803"): three bytes of
    // five bits each go out as two.
    bool packsTwoBytes() const { return greyLevels == 32 && controllerModel == 1 && format == 4; }

    static BlockLayout from(const ControllerParams &params, int baseColorNum);
};

// Formats sharing one layout of the frame block.
enum class BlockFamily {
    Plain,     // 0, 6, 11: the pixel bytes unchanged
    Reversed,  // 1, 5, 7: the 3n bytes read backwards
    Groups,    // 2: cycle groups through the order list
    Bits,      // 3: one bit per pixel, single colour only
    OrderRows, // 4, 9, 10, 12: per pixel, one byte per order list row
    Empty,     // 8 and the rest
};
BlockFamily blockFamily(int format);

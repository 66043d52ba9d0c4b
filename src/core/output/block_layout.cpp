#include "output/block_layout.h"

#include <algorithm>

BlockLayout BlockLayout::from(const ControllerParams &params, int baseColorNum)
{
    BlockLayout l;
    l.baseColorNum = baseColorNum;
    l.format = params.communicationFormat;
    l.greyLevels = params.greyLevels;
    l.controllerModel = params.controllerModel;
    // Format 2 and the header length rule divide by the cycle.
    l.cycle = std::max(1, params.cycle);
    l.groupExtra = params.groupExtra;
    l.orderList = params.orderList;
    return l;
}

BlockFamily blockFamily(int format)
{
    switch (format) {
    case 0:
    case 6:
    case 11:
        return BlockFamily::Plain;
    case 1:
    case 5:
    case 7:
        return BlockFamily::Reversed;
    case 2:
        return BlockFamily::Groups;
    case 3:
        return BlockFamily::Bits;
    case 4:
    case 9:
    case 10:
    case 12:
        return BlockFamily::OrderRows;
    default:
        return BlockFamily::Empty;
    }
}

#include "settings/grid_geometry.h"

bool gridSizeAllowed(int rows, int cols)
{
    if (rows < 1 || cols < 1 || rows > kMaxGridSide || cols > kMaxGridSide)
        return false;
    return static_cast<long long>(rows) * cols <= kMaxGridPoints;
}

void normaliseColourModes(GridGeometry &g)
{
    if (g.baseColorNum < 1 || g.baseColorNum > 3)
        g.baseColorNum = 3;
    if (g.scanMode > 1)
        g.scanMode = 1;
}

#include "links/rgb_order_list.h"

#include <algorithm>

int rgbPictureIndex(const QString &color)
{
    if (color == QLatin1String("r"))
        return 0;
    if (color == QLatin1String("g"))
        return 1;
    if (color == QLatin1String("b"))
        return 2;
    if (color == QLatin1String("null"))
        return 3;
    return -1;
}

int RgbOrderList::moveRow(int from, int target)
{
    const int n = count();
    if (from < 0 || from >= n)
        return -1;
    if (target < 0)
        target = 0;
    if (target > n)
        target = n;
    // The row takes the place of the row under the cursor: inserted before
    // it, then removed from its old place.
    RgbOrderRow moved = m_rows[size_t(from)];
    m_rows.insert(m_rows.begin() + target, moved);
    const int removeAt = from >= target ? from + 1 : from;
    m_rows.erase(m_rows.begin() + removeAt);
    return target > from ? target - 1 : target;
}

void RgbOrderList::assignLogical(std::vector<RgbOrderRow> logicalRows)
{
    std::reverse(logicalRows.begin(), logicalRows.end());
    m_rows = std::move(logicalRows);
}

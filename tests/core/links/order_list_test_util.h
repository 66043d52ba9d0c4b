#pragma once
// Order lists written as "1b 1g 1r" (top to bottom), so that expected lists
// in the tests read as the panel shows them.

#include "links/rgb_order_list.h"

#include <QString>
#include <QStringList>

inline QString describe(const RgbOrderList &list)
{
    QStringList parts;
    for (const RgbOrderRow &row : list.rows())
        parts << (row.pixel == QLatin1String("null") && row.color == QLatin1String("null")
                      ? QStringLiteral("null")
                      : row.pixel + row.color);
    return parts.join(QLatin1Char(' '));
}

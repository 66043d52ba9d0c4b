#include "patterns/sweep_direction.h"

#include "settings/language.h"

#include <algorithm>
#include <cstring>

SweepDirection sweepDirectionFromIndex(int index)
{
    if (index >= 0 && index < kSweepDirectionCount)
        return SweepDirection(index);
    return SweepDirection::LeftToRight;
}

QString sweepDirectionText(int index)
{
    switch (index) {
    case 0:
        return lookedUpText("AutoComboBox", "ComboBoxModeItem0", QStringLiteral("从左到右"));
    case 1:
        return lookedUpText("AutoComboBox", "ComboBoxModeItem1", QStringLiteral("从右到左"));
    case 2:
        return lookedUpText("AutoComboBox", "ComboBoxModeItem2", QStringLiteral("从上到下"));
    case 3:
        return lookedUpText("AutoComboBox", "ComboBoxModeItem3", QStringLiteral("从下到上"));
    default:
        return QString();
    }
}

void paintLines(Frame &frame, int cols, const GridRect &area, SweepDirection d, const ColorValue *lineColours)
{
    const size_t width = size_t(area.width());
    for (int y = area.top; y <= area.bottom; ++y) {
        ColorValue *row = frame.data() + size_t(y) * size_t(cols) + size_t(area.left);
        if (linesAreColumns(d))
            std::memcpy(row, lineColours, width * sizeof(ColorValue));
        else
            std::fill(row, row + width, lineColours[y - area.top]);
    }
}

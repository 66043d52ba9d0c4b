#include "patterns/flow_direction.h"

#include "settings/language.h"

namespace {

struct FlowItem
{
    const char *english;
    const char *chinese;
};

// The built-in items, without the trailing tab that "Up", "Down", "Left",
// "LeftTop", "RightTop", "LeftBottom", "RightBottom" (and their Chinese
// twins) have always carried. "right" is lower case in the built-in list.
constexpr FlowItem kItems[kFlowDirectionCount] = {
    {"Up", "向上"},          {"Down", "向下"},         {"Left", "向左"},
    {"right", "向右"},       {"LeftTop", "向左上"},    {"RightTop", "向右上"},
    {"LeftBottom", "向左下"}, {"RightBottom", "向右下"}, {"WaveUp", "波上"},
    {"WaveDown", "波下"},
};

} // namespace

QString flowDirectionText(int direction)
{
    if (direction < 0 || direction >= kFlowDirectionCount)
        return QString();
    const FlowItem &item = kItems[direction];
    return threeWayText(QString::fromLatin1(item.english), QString::fromUtf8(item.chinese));
}

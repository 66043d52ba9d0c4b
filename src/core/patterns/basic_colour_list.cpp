#include "patterns/basic_colour_list.h"

#include "settings/language.h"
#include "settings/prompt.h"

#include <array>

namespace {

constexpr std::array<ColorValue, BasicColourList::kCount> kColours = {
    0x0000FF, // red
    0x00FFFF, // yellow
    0x00FF00, // green
    0xFFFF00, // cyan
    0xFF0000, // blue
    0xFF00FF, // magenta
    0xFFFFFF, // white
    0x000000, // black
};

} // namespace

ColorValue BasicColourList::colour(int index)
{
    if (index >= 0 && index < BasicColourList::kCount)
        return kColours[size_t(index)];
    return ColorValue(index);
}

QString BasicColourList::text(int index)
{
    static const char *const kKeys[BasicColourList::kCount] = {
        "GroupBoxColorItem0", "GroupBoxColorItem1", "GroupBoxColorItem2", "GroupBoxColorItem3",
        "GroupBoxColorItem4", "GroupBoxColorItem5", "GroupBoxColorItem6", "GroupBoxColorItem7",
    };
    static const char *const kDefaults[BasicColourList::kCount] = {
        "红", "黄", "绿", "青", "蓝", "紫", "白", "黑",
    };
    if (index < 0 || index >= BasicColourList::kCount)
        return QString();
    return lookedUpText("AutoComboBox", kKeys[index], QString::fromUtf8(kDefaults[index]));
}

QString sameColourMessage()
{
    return lookedUpText("Message", "ForColorSameAsGrdColor", QStringLiteral("前景色和背景色相同"));
}

bool patternColoursDiffer(int foreground, int background, Prompt &prompt)
{
    if (foreground != background)
        return true;
    prompt.inform(sameColourMessage(), PromptIcon::None);
    return false;
}

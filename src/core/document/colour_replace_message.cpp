#include "document/colour_replace.h"

#include "settings/language.h"

QString sameColourText()
{
    return LanguageText("Message", "SameColor", QStringLiteral("替换颜色相同!"));
}

#include "document/frame_repeat.h"

#include "settings/language.h"

QString tooManyFramesText()
{
    return LanguageText("Message", "TooManyFrames", QStringLiteral("帧数太多，无法重复。"));
}

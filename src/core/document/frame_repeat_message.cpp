#include "document/frame_repeat.h"

#include "settings/language.h"

QString tooManyFramesText()
{
    return LanguageText("Message", "TooManyFrames", QStringLiteral("帧数太多，内存容纳不下，未生成任何帧。"));
}

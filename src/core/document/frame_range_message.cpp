#include "document/frame_range.h"

#include "settings/language.h"

QString frameRangeErrorText()
{
    return LanguageText("Message", "SatrtFrameLessEndFrame",
                        QStringLiteral("输入错误！开始帧或结束帧超出范围。"));
}

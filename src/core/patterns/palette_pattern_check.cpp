#include "patterns/palette_pattern_check.h"

#include "palette/palette_state.h"
#include "settings/language.h"
#include "settings/prompt.h"

QString paletteEmptyMessage()
{
    return lookedUpText("Message", "PaletteIsEmpty", QStringLiteral("调色板中颜色为空"));
}

bool paletteHasColours(const PaletteState *palette, Prompt &prompt)
{
    if (palette && palette->count() > 0)
        return true;
    prompt.inform(paletteEmptyMessage(), PromptIcon::None);
    return false;
}

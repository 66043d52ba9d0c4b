#include "links/controller_page.h"

#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "links/controller_panel.h"

QWidget *createControllerPage(AppContext &ctx, QWidget *parent)
{
    auto *panel = new ControllerPanel(ctx.controller, ctx.doc, ctx.prompt, parent);
    // The panel's labels are fixed texts of each language, not menu texts:
    // they follow the language commands themselves.
    QObject::connect(&ctx.commands, &CommandRegistry::commandRan, panel, [panel](int id) {
        if (id == Cmd::LanguageChinese || id == Cmd::LanguageEnglish || id == Cmd::LanguageTraditional)
            panel->applyTexts();
    });
    return panel;
}

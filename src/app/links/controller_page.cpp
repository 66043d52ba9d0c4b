#include "links/controller_page.h"

#include "links/controller_panel.h"
#include "shell/app_context.h"
#include "shell/command_ids.h"
#include "shell/command_registry.h"
#include "settings/grid_geometry.h"

ControllerParams &applicationControllerParams()
{
    // The panel builds the list again for the document's grid when it is
    // made; until then the rows of a three-colour grid, the default.
    static ControllerParams params = ControllerParams::initial(GridGeometry().baseColorNum);
    return params;
}

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

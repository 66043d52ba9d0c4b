#include "links/controller_page.h"

#include "common/app_context.h"
#include "common/app_events.h"
#include "links/controller_panel.h"

QWidget *createControllerPage(AppContext &ctx, QWidget *parent)
{
    auto *panel = new ControllerPanel(ctx.controller, ctx.doc, ctx.prompt, parent);
    QObject::connect(&ctx.events, &AppEvents::languageChanged, panel, &ControllerPanel::applyTexts);
    return panel;
}

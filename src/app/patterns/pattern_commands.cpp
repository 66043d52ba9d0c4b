#include "patterns/pattern_commands.h"

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/pattern_key_panel.h"

#include <QLayout>

void registerPatternCommands(AppContext &ctx)
{
    const MenuTitle menu = MenuTitle::AutoPlay;
    ctx.commands.add({
        {.id = Cmd::AutoDesign,
         .english = "AutoDesign",
         .chinese = "自动花样",
         .place = MenuPlace{menu, 1, 10},
         .run =
             [&ctx] {
                 // Runs insert after the current frame: playback must not
                 // move it while the dialog is open.
                 if (ctx.commands.isEnabled(Cmd::Stop))
                     ctx.commands.trigger(Cmd::Stop);
                 AutoPatternDialog dialog(ctx, ctx.window);
                 dialog.exec();
             },
         .enabled = [&ctx] { return ctx.doc.frameCount() > 0; }},
        // The other generators of the menu: the screen gather brings its
        // handler with it; Flash and VIDEO stay disabled.
        {.id = Cmd::AutoGather, .english = "AutoGather", .chinese = "自动采集", .place = MenuPlace{menu, 1, 20}},
        {.id = Cmd::Flash, .english = "Flash", .chinese = "Flash", .place = MenuPlace{menu, 1, 30}},
        {.id = Cmd::Video, .english = "GetVideo", .chinese = "VIDEO", .place = MenuPlace{menu, 1, 40}},
    });
}

PatternKeyPanel *installPatternKeys(AppContext &ctx, QLayout *slot, CanvasView *canvas)
{
    auto *panel = new PatternKeyPanel(ctx, slot ? slot->parentWidget() : nullptr);
    if (slot)
        slot->addWidget(panel);
    if (canvas)
        canvas->onPatternKey = [panel](char letter) { panel->pressLetter(letter); };
    return panel;
}

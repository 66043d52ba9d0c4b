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
    ctx.commands.add(
        Cmd::AutoDesign,
        [&ctx] {
            // Runs insert after the current frame: playback must not move
            // it while the dialog is open.
            if (ctx.commands.isEnabled(Cmd::Stop))
                ctx.commands.trigger(Cmd::Stop);
            AutoPatternDialog dialog(ctx, ctx.window);
            dialog.exec();
        },
        [&ctx] { return ctx.doc.frameCount() > 0; });
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

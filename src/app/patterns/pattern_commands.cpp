#include "patterns/pattern_commands.h"

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/pattern_key_panel.h"

#include <QLayout>

#include <memory>
#include <optional>

void registerPatternCommands(AppContext &ctx)
{
    const MenuTitle menu = MenuTitle::AutoPlay;
    // The dialog opens where the user last left it (in this run of the
    // editor); the first time the window system places it.
    auto lastPlace = std::make_shared<std::optional<QPoint>>();
    ctx.commands.add({
        Command(Cmd::AutoDesign, "Auto &Pattern...", "自动花样")
            .in({menu, 1, 10})
            .runs([&ctx, lastPlace] {
                // Runs insert after the current frame: playback must not
                // move it while the dialog is open.
                if (ctx.commands.isEnabled(Cmd::Stop))
                    ctx.commands.trigger(Cmd::Stop);
                AutoPatternDialog dialog(ctx, ctx.window);
                if (*lastPlace)
                    dialog.move(**lastPlace);
                dialog.exec();
                *lastPlace = dialog.pos();
            })
            .enabledWhen([&ctx] { return ctx.doc.frameCount() > 0; }),
        // The screen gather, Flash and VIDEO come from the capture table.
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

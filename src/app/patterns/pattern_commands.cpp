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
        // The other generators of the menu: the screen gather brings its
        // handler with it; Flash and VIDEO stay disabled.
        Command(Cmd::AutoGather, "Screen &Gather...", "自动采集").in({menu, 1, 20}),
        Command(Cmd::Flash, "Flash", "Flash").in({menu, 1, 30}),
        Command(Cmd::Video, "Video...", "VIDEO").in({menu, 1, 40}),
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

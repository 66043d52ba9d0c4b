#include "output/output_commands.h"

#include "output/output_checks.h"
#include "output/output_dialog.h"
#include "shell/app_context.h"
#include "shell/command_ids.h"
#include "shell/command_registry.h"
#include "shell/main_window.h"

void runDataOutput(AppContext &ctx, CircuitryKind circuitry)
{
    if (!confirmWiringForOutput(ctx.doc, circuitry, ctx.prompt))
        return;
    OutputDialog dialog(ctx.doc, ctx.controller, circuitry, ctx.prompt, ctx.window);
    if (auto *window = qobject_cast<MainWindow *>(ctx.window))
        dialog.setProgress([window](int position) { window->showLoadProgress(position); });
    dialog.exec();
}

void registerOutputCommands(AppContext &ctx)
{
    ctx.commands.add(Cmd::MakeLedData, [&ctx] { runDataOutput(ctx, CircuitryKind::Led); });
    ctx.commands.add(Cmd::MakeNeonData, [&ctx] { runDataOutput(ctx, CircuitryKind::Neon); });
}

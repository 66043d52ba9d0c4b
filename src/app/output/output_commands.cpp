#include "output/output_commands.h"

#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "common/status_progress.h"
#include "output/output_checks.h"
#include "output/output_dialog.h"

void runDataOutput(AppContext &ctx, CircuitryKind circuitry)
{
    if (!confirmWiringForOutput(ctx.doc, circuitry, ctx.prompt))
        return;
    OutputDialog dialog(ctx.doc, ctx.controller, circuitry, ctx.prompt, ctx.window);
    if (QProgressBar *bar = ctx.progress)
        dialog.setProgress([bar](int position) { showProgressPosition(bar, position); });
    dialog.exec();
}

void registerOutputCommands(AppContext &ctx)
{
    ctx.commands.add({
        Command(Cmd::MakeLedData, "MakeLedData", "LED控制器数据生成")
            .in({MenuTitle::Build, 1, 10})
            .runs([&ctx] { runDataOutput(ctx, CircuitryKind::Led); }),
        Command(Cmd::MakeNeonData, "MakeNeonData", "霓虹灯控制器数据生成")
            .in({MenuTitle::Build, 1, 20})
            .runs([&ctx] { runDataOutput(ctx, CircuitryKind::Neon); }),
    });
}

#include "output/output_commands.h"

#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "common/status_progress.h"
#include "output/output_checks.h"
#include "output/fseq_export_dialog.h"
#include "output/output_dialog.h"
#include "document/document.h"

void runDataOutput(AppContext &ctx, CircuitryKind circuitry)
{
    if (!confirmWiringForOutput(ctx.doc, circuitry, ctx.prompt))
        return;
    OutputDialog dialog(ctx.doc, ctx.controller, circuitry, ctx.prompt, ctx.window);
    if (QProgressBar *bar = ctx.progress)
        dialog.setProgress([bar](int position) { showProgressPosition(bar, position); });
    dialog.exec();
}

void runFseqExport(AppContext &ctx)
{
    const int speed = ctx.playSpeed ? ctx.playSpeed() : 20;
    FseqExportDialog dialog(ctx.doc, ChannelOrder::fromOrderList(ctx.controller.orderList), speed, ctx.prompt,
                            ctx.window);
    if (QProgressBar *bar = ctx.progress)
        dialog.setProgress([bar](int position) { showProgressPosition(bar, position); });
    dialog.exec();
}

void registerOutputCommands(AppContext &ctx)
{
    ctx.commands.add({
        Command(Cmd::MakeLedData, "Make &LED Data...", "LED控制器数据生成")
            .in({MenuTitle::Build, 1, 10})
            .runs([&ctx] { runDataOutput(ctx, CircuitryKind::Led); }),
        Command(Cmd::MakeNeonData, "Make &Neon Data...", "霓虹灯控制器数据生成")
            .in({MenuTitle::Build, 1, 20})
            .runs([&ctx] { runDataOutput(ctx, CircuitryKind::Neon); }),
        // A group of its own at the end of the menu; offered once the
        // project has a frame to export.
        Command(Cmd::ExportFseq, "Export FSEQ sequence...", "FSEQ序列导出...")
            .in({MenuTitle::Build, 3, 10})
            .runs([&ctx] { runFseqExport(ctx); })
            .enabledWhen([&ctx] { return ctx.doc.frameCount() > 0; }),
    });
}

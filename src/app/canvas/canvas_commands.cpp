#include "canvas/canvas_commands.h"

#include "canvas/canvas_view.h"
#include "canvas/grid_options_dialog.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"

void registerCanvasCommands(AppContext &ctx, CanvasView &view)
{
    CanvasView *v = &view;
    AppContext *c = &ctx;
    ctx.commands.add({
        Command(Cmd::ShowGrid, "Show &Grid", "显示网格")
            .in({MenuTitle::View, 2, 10})
            .runs([v] { v->setShowGrid(!v->showGrid()); })
            .checkedWhen([v] { return v->showGrid(); }),
        Command(Cmd::ShowUnwiredWhilePlaying, "Show unwired lamps while playing", "播放时显示未接线的灯")
            .in({MenuTitle::View, 2, 15})
            .runs([v] { v->setShowUnwiredWhilePlaying(!v->showUnwiredWhilePlaying()); })
            .checkedWhen([v] { return v->showUnwiredWhilePlaying(); }),
        Command(Cmd::ActualSize, "&Actual Size", "原视图").in({MenuTitle::View, 2, 20}).runs([v] { v->actualSize(); }),
        Command(Cmd::ScrollMode, "Scroll Mode", "滚动显示").in({MenuTitle::View, 2, 30}),
        Command(Cmd::GridOptions, "Grid &Options...", "系统参数")
            .in({MenuTitle::Picture, 4, 10})
            .runs([c, v] { runGridOptionsDialog(*c, *v); }),
    });
}

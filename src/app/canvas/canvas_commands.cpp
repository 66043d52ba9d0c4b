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
        {.id = Cmd::ShowGrid,
         .english = "ShowGridding",
         .chinese = "显示网格",
         .place = MenuPlace{MenuTitle::View, 2, 10},
         .run = [v] { v->setShowGrid(!v->showGrid()); },
         .checked = [v] { return v->showGrid(); }},
        {.id = Cmd::ActualSize,
         .english = "FormeSize",
         .chinese = "原视图",
         .place = MenuPlace{MenuTitle::View, 2, 20},
         .run = [v] { v->actualSize(); }},
        {.id = Cmd::ScrollMode, .english = "Scroll Mode", .chinese = "滚动显示", .place = MenuPlace{MenuTitle::View, 2, 30}},
        {.id = Cmd::GridOptions,
         .english = "Setup",
         .chinese = "系统参数",
         .place = MenuPlace{MenuTitle::Picture, 4, 10},
         .run = [c, v] { runGridOptionsDialog(*c, *v); }},
    });
}

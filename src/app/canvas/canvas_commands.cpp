#include "canvas/canvas_commands.h"

#include "canvas/canvas_view.h"
#include "canvas/grid_options_dialog.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"

void registerCanvasCommands(AppContext &ctx, CanvasView &view)
{
    CanvasView *v = &view;
    ctx.commands.add(
        Cmd::ShowGrid, [v] { v->setShowGrid(!v->showGrid()); }, {}, [v] { return v->showGrid(); });
    ctx.commands.add(Cmd::ActualSize, [v] { v->actualSize(); });
    AppContext *c = &ctx;
    ctx.commands.add(Cmd::GridOptions, [c, v] { runGridOptionsDialog(*c, *v); });
}

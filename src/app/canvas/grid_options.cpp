#include "canvas/grid_options.h"

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "document/document.h"
#include "document/new_grid.h"
#include "settings/prompt.h"

#include <limits>

GridOptions currentGridOptions(const AppContext &ctx, const CanvasView &view)
{
    GridOptions o;
    o.celWidth = ctx.doc.geometry().celWidth;
    o.celHeight = ctx.doc.geometry().celHeight;
    o.shape = view.cellShape();
    o.gridLineColor = view.gridLineColor();
    o.backgroundColor = ctx.settings.backgroundColor;
    return o;
}

bool applyGridOptions(AppContext &ctx, CanvasView &view, const GridOptions &o)
{
    constexpr int kMaxCell = std::numeric_limits<int16_t>::max(); // the field's width in files
    if (o.celWidth <= 0 || o.celHeight <= 0 || o.celWidth > kMaxCell || o.celHeight > kMaxCell) {
        ctx.prompt.inform(parameterErrorText(), PromptIcon::Error);
        return false;
    }
    GridGeometry g = ctx.doc.geometry();
    if (g.celWidth != o.celWidth || g.celHeight != o.celHeight) {
        g.celWidth = int16_t(o.celWidth);
        g.celHeight = int16_t(o.celHeight);
        ctx.doc.setGeometry(g);
    }
    ctx.settings.geometry.celWidth = int16_t(o.celWidth);
    ctx.settings.geometry.celHeight = int16_t(o.celHeight);
    ctx.settings.backgroundColor = o.backgroundColor;
    ctx.doc.setBackgroundColor(o.backgroundColor);
    view.setCellShape(o.shape);
    view.setGridLineColor(o.gridLineColor);
    view.update();
    return true;
}

#pragma once
// The values of the grid options dialog ("网格选项") and its confirm step,
// apart from the dialog's widgets.

#include "canvas/canvas_renderer.h"
#include "settings/color_value.h"

struct AppContext;
class CanvasView;

struct GridOptions
{
    int celWidth = 0;
    int celHeight = 0;
    CellShape shape = CellShape::Square;
    ColorValue gridLineColor = 0;
    ColorValue backgroundColor = 0;
};

// What the dialog opens with: the document's cell size, the canvas's shape
// and grid line colour, the settings' background colour.
GridOptions currentGridOptions(const AppContext &ctx, const CanvasView &view);

// The confirm step. A cell width or height of 0 or less is refused with the
// parameter error shown through the prompt (every conversion between pixels
// and grid points divides by them); nothing changes and false is returned.
// Otherwise the cell size goes to the document's geometry and the settings,
// the background colour to the settings and the document's frame
// constructor, shape and grid line colour to the canvas, and the canvas
// redraws.
bool applyGridOptions(AppContext &ctx, CanvasView &view, const GridOptions &options);

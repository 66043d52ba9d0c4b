#pragma once
// Draws one picture of the canvas into an off-screen image the size of the
// usable client area: the start picture while the document has no frames,
// otherwise the current frame's cells, the grid lines, the defined area's
// frame and the overlays of the tools. No widget: the view, printing, the
// tests and the benchmark all draw through here.

#include "canvas/canvas_geometry.h"
#include "editing/block_area.h"
#include "settings/color_value.h"

#include <cstdint>
#include <vector>

#include <QImage>

class CanvasOverlay;
class CanvasTool;
class Document;
class StartPicture;

enum class CellShape : uint8_t { Square = 0, Round = 1 };

struct CanvasLook
{
    bool showGrid = true;
    ColorValue gridLineColor = makeColor(100, 100, 100);
    CellShape cellShape = CellShape::Square;
    // During playback only the grid points listed in the wiring are drawn.
    bool wiredOnly = false;
};

struct CanvasScene
{
    const Document *doc = nullptr;
    CanvasGeometry geometry;
    CanvasLook look;
    BlockArea area;
    CanvasTool *tool = nullptr;
    std::vector<CanvasOverlay *> overlays;
    // Shown while the document has no frames; none: black.
    StartPicture *startPicture = nullptr;
};

// The colour of a lamp as a 32-bit pixel of an RGB32 / ARGB32 image.
constexpr uint32_t pixelOf(ColorValue c)
{
    return 0xFF000000u | (redOf(c) << 16) | (greenOf(c) << 8) | blueOf(c);
}

// `image` must be one of the 32-bit formats (RGB32, ARGB32,
// ARGB32_Premultiplied); it is drawn over completely.
void renderCanvas(QImage &image, const CanvasScene &scene);

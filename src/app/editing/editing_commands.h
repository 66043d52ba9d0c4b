#pragma once
// The Edit menu's Undo and Redo (named after the entry they would take),
// Cut, Copy, Paste and Delete and the picture menu's "反色" (the range
// dialog in invert mode), and the rules that keep the block in step with
// the document.

struct AppContext;
class CanvasView;
class PaintingTool;

void registerEditingCommands(AppContext &ctx);

// Puts the painting tool on the canvas (owned by the canvas).
PaintingTool *installPaintingTool(AppContext &ctx, CanvasView &view);

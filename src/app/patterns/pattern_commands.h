#pragma once
// The pattern generator in the editor: the "自动花样" command (and, still
// without handlers, the other generators of its menu) and the operation
// panel's pattern keys with their canvas letters.

struct AppContext;
class QLayout;
class CanvasView;
class PatternKeyPanel;

void registerPatternCommands(AppContext &ctx);

// Puts the pattern keys into `slot` (the operation panel's place for them)
// and routes the canvas's letters to them. Either may be null.
PatternKeyPanel *installPatternKeys(AppContext &ctx, QLayout *slot, CanvasView *canvas);

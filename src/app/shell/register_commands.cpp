#include "shell/register_commands.h"

#include "canvas/canvas_commands.h"
#include "canvas/canvas_view.h"
#include "capture/capture_commands.h"
#include "editing/editing_commands.h"
#include "links/network_commands.h"
#include "links/serial_commands.h"
#include "output/output_commands.h"
#include "patterns/pattern_commands.h"
#include "shell/main_window.h"
#include "shell/shell_commands.h"
#include "transforms/transform_commands.h"
#include "wiring/wiring_commands.h"

// One line per subsystem; each declares its commands (texts, menu place,
// keys, handler) in its own table. Commands declared without a handler
// stay disabled: SaveAsAVI and Scroll Mode.
void registerAllCommands(AppContext &ctx, MainWindow &window)
{
    registerShellCommands(ctx, window);
    registerCanvasCommands(ctx, *window.canvas());
    registerTransformCommands(ctx);
    registerEditingCommands(ctx);
    registerPatternCommands(ctx);
    registerCaptureCommands(ctx);
    registerWiringCommands(ctx);
    registerOutputCommands(ctx);
    registerSerialCommands(ctx);
    registerNetworkCommands(ctx);
}

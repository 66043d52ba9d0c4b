#pragma once
// Redraws the main window's canvas after the block changed without the
// document knowing (the area buttons, the move dialog, the range dialogs).

struct AppContext;

void refreshCanvas(AppContext &ctx);

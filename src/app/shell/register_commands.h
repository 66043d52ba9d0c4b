#pragma once
// Has every subsystem declare its commands with the command registry; the
// main window calls it once its own parts exist, before it makes its
// actions and menus.

struct AppContext;
class MainWindow;

void registerAllCommands(AppContext &ctx, MainWindow &window);

#pragma once
// Registers the handlers of every subsystem with the command registry.

struct AppContext;
class MainWindow;

void registerAllCommands(AppContext &ctx, MainWindow &window);

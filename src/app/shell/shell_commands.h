#pragma once
// The commands the main window handles itself: New, Open, Save, Save As,
// printing, the recent files' place, Exit, the bar toggles, Play and Stop,
// the languages and About.

struct AppContext;
class MainWindow;

void registerShellCommands(AppContext &ctx, MainWindow &window);

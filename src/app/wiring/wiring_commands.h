#pragma once
// The wiring's document command: the circuitry check ("线路检查" in the
// "硬件配置" menu, and a button on the wiring page).

struct AppContext;

void registerWiringCommands(AppContext &ctx);

#pragma once
// The data generation commands: "LED控制器数据生成" (LED circuitry) and its
// neon companion, offered beside it in the "硬件配置" menu.

#include "document/wiring.h"

struct AppContext;

void registerOutputCommands(AppContext &ctx);

// The whole command: the wiring checks, then the output dialog.
void runDataOutput(AppContext &ctx, CircuitryKind circuitry);

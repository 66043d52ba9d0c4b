#pragma once
// The data generation commands: "LED控制器数据生成" (LED circuitry) and its
// neon companion, offered beside it in the "硬件配置" menu, and the FSEQ
// sequence export below them.

#include "document/wiring.h"

struct AppContext;

void registerOutputCommands(AppContext &ctx);

// The whole command: the wiring checks, then the output dialog.
void runDataOutput(AppContext &ctx, CircuitryKind circuitry);

// The FSEQ export dialog over the document, its step time from the play
// speed and its channel order from the controller panel's colour order list.
void runFseqExport(AppContext &ctx);

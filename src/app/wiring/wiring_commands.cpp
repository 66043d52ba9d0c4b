#include "wiring/wiring_commands.h"

#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "wiring/circuitry_check.h"

void registerWiringCommands(AppContext &ctx)
{
    // It works on the document's wiring whether or not the wiring page is
    // open; other circuitry and an empty wiring get their own message.
    ctx.commands.add({
        Command(Cmd::CircuitryCheck, "&Circuitry Check", "线路检查")
            .in({MenuTitle::Build, 1, 30})
            .runs([&ctx] { runCircuitryCheck(ctx.doc, ctx.prompt); }),
    });
}

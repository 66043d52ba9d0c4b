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
        {.id = Cmd::CircuitryCheck,
         .english = "CircuitryCheck",
         .chinese = "线路检查",
         .place = MenuPlace{MenuTitle::Build, 1, 30},
         .run = [&ctx] { runCircuitryCheck(ctx.doc, ctx.prompt); }},
    });
}

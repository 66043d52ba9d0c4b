#include "links/network_commands.h"

#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "links/network_output.h"

NetworkOutput *registerNetworkCommands(AppContext &ctx)
{
    auto *output = new NetworkOutput(ctx, ctx.settingsPath, ctx.window);
    ctx.commands.add({
        Command(Cmd::NetworkOutput, "Network Output...", "网络输出...")
            .in({MenuTitle::Build, 2, 40})
            .runs([output] { output->openDialog(); }),
    });
    return output;
}

#include "capture/capture_commands.h"

#include "capture/gather_dialog.h"
#include "capture/movie_import_dialog.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "settings/program_folder.h"

#include <QWidget>

void registerCaptureCommands(AppContext &ctx)
{
    const MenuTitle menu = MenuTitle::AutoPlay;
    const auto stopPlayback = [&ctx] {
        if (ctx.commands.isEnabled(Cmd::Stop))
            ctx.commands.trigger(Cmd::Stop);
    };
    const auto projectOpen = [&ctx] { return !ctx.doc.isStartup(); };
    ctx.commands.add({
        Command(Cmd::AutoGather, "Screen &Gather...", "自动采集")
            .in({menu, 1, 20})
            .runs([&ctx, stopPlayback] {
                stopPlayback();
                // The editor gets out of the way of what is to be sampled.
                if (ctx.window)
                    ctx.window->showMinimized();
                {
                    GatherDialog dialog(ctx, settingsFilePath(), nullptr);
                    dialog.exec();
                }
                if (ctx.window)
                    ctx.window->showMaximized();
            })
            .enabledWhen(projectOpen),
        Command(Cmd::Flash, "Animated Picture...", "动画图片")
            .in({menu, 1, 30})
            .runs([&ctx, stopPlayback] {
                stopPlayback();
                MovieImportDialog dialog(ctx, true, ctx.window);
                dialog.exec();
            })
            .enabledWhen(projectOpen),
        Command(Cmd::Video, "Video...", "VIDEO")
            .in({menu, 1, 40})
            .runs([&ctx, stopPlayback] {
                stopPlayback();
                MovieImportDialog dialog(ctx, false, ctx.window);
                dialog.exec();
            })
            .enabledWhen(projectOpen),
    });
}

#include "links/serial_commands.h"

#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "common/status_progress.h"
#include "document/document.h"
#include "links/data_send_form.h"
#include "links/program_update_form.h"
#include "links/serial_port_choice.h"
#include "links/serial_port_dialog.h"

namespace {

// The forms report on the main window's indicator.
void showProgressOn(AppContext &ctx, SerialTransferForm &form)
{
    if (QProgressBar *bar = ctx.progress)
        form.setProgress([bar](int position) { showProgressPosition(bar, position); });
}

} // namespace

void chooseSerialPort(AppContext &ctx)
{
    SerialPortDialog dialog(availableSerialPorts(), ctx.prompt, ctx.window);
    dialog.exec();
}

void openDataSendForm(AppContext &ctx)
{
    DataSendForm form(ctx.doc, ctx.prompt, ctx.window);
    showProgressOn(ctx, form);
    form.openPort(serialPortName());
    form.exec();
}

void openProgramUpdateForm(AppContext &ctx)
{
    ProgramUpdateForm form(ctx.prompt, ctx.window);
    showProgressOn(ctx, form);
    form.openPort(serialPortName());
    form.exec();
}

void registerSerialCommands(AppContext &ctx)
{
    ctx.commands.add({
        Command(Cmd::ChooseSerialPort, "Serial Port...", "串口设置...")
            .in({MenuTitle::Build, 2, 10})
            .runs([&ctx] { chooseSerialPort(ctx); }),
        Command(Cmd::SendFrameData, "Send Frames to Controller...", "发送数据到控制器...")
            .in({MenuTitle::Build, 2, 20})
            .runs([&ctx] { openDataSendForm(ctx); })
            .enabledWhen([&ctx] { return ctx.doc.frameCount() > 0; }),
        Command(Cmd::UpdateControllerProgram, "Update Controller Program...", "更新控制器程序...")
            .in({MenuTitle::Build, 2, 30})
            .runs([&ctx] { openProgramUpdateForm(ctx); }),
    });
}

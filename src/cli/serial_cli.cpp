#include "serial_cli.h"

#include "cli_command.h"
#include "cli_support.h"

#include "serial/serial_port_link.h"

#include <QCoreApplication>

int runSerialTransfer(const char *command, const QString &port,
                      const std::function<TransferResult(Link &, Clock &, const TransferCallbacks &)> &transfer)
{
    // The port watches its descriptor through Qt, which wants an
    // application object on the thread.
    int argc = 1;
    char name[] = "brightloom-cli";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    SerialPortLink link;
    QString reason;
    if (!link.open(port, &reason)) {
        complain(command, QStringLiteral("%1 (%2)").arg(openPortFailureText(port), reason));
        return ExitTransferFailed;
    }
    SystemClock clock;
    TransferCallbacks callbacks;
    int shown = -1;
    callbacks.progress = [&shown](int position) {
        if (position != shown)
            printErr(QStringLiteral("progress %1/50\n").arg(position));
        shown = position;
    };
    const TransferResult result = transfer(link, clock, callbacks);
    if (result == TransferResult::Success) {
        printErr(transferResultText(result) + QLatin1Char('\n'));
        return ExitOk;
    }
    complain(command, transferResultText(result));
    return ExitTransferFailed;
}

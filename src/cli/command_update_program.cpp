// brightloom-cli update-program FILE.bin --port DEVICE
#include "cli_command.h"
#include "cli_support.h"
#include "serial_cli.h"

#include "links/serial/program_file.h"

namespace {
const char *const kName = "update-program";
} // namespace

int runUpdateProgram(const QStringList &args)
{
    CliOptionSpec spec;
    spec.values = {QStringLiteral("--port")};
    const CliArgs a = parseCliArgs(args, spec);
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 1)
        return usageError(kName, QStringLiteral("expected one program file"));
    const QString port = a.options.value(QStringLiteral("--port"));
    if (port.isEmpty())
        return usageError(kName, QStringLiteral("--port DEVICE is required"));

    const QString &path = a.positional.at(0);
    const ProgramFile program = readProgramFile(path);
    if (program.problem != ProgramFileProblem::None) {
        complain(kName, QStringLiteral("%1: %2").arg(path, programFileProblemText(program.problem)));
        return ExitFailure;
    }
    return runSerialTransfer(kName, port, [&program](Link &link, Clock &clock, const TransferCallbacks &callbacks) {
        return sendProgram(link, clock, program.bytes, callbacks);
    });
}

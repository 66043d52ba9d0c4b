// brightloom-cli send PROJECT.wst --port DEVICE [--from A] [--to B]
//     [--layout rect|irregular] [--wiring W.line] [--tube-model I] [--tube-count N]
#include "cli_command.h"
#include "cli_support.h"
#include "serial_cli.h"

#include "document/frame_sequence.h"
#include "links/serial/frame_send.h"
#include "settings/language.h"
#include "wiring/wiring_files.h"

#include <limits>
#include <optional>

namespace {
const char *const kName = "send";
} // namespace

int runSend(const QStringList &args)
{
    CliOptionSpec spec;
    spec.values = {QStringLiteral("--port"),   QStringLiteral("--from"),       QStringLiteral("--to"),
                   QStringLiteral("--layout"), QStringLiteral("--wiring"),     QStringLiteral("--tube-model"),
                   QStringLiteral("--tube-count")};
    const CliArgs a = parseCliArgs(args, spec);
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 1)
        return usageError(kName, QStringLiteral("expected one project file"));
    const QString port = a.options.value(QStringLiteral("--port"));
    if (port.isEmpty())
        return usageError(kName, QStringLiteral("--port DEVICE is required"));
    const QString layout = a.options.value(QStringLiteral("--layout"), QStringLiteral("rect"));
    if (layout != QLatin1String("rect") && layout != QLatin1String("irregular"))
        return usageError(kName, QStringLiteral("--layout is rect or irregular, not '%1'").arg(layout));
    const bool irregular = layout == QLatin1String("irregular");
    const QString wiringPath = a.options.value(QStringLiteral("--wiring"));
    if (irregular && wiringPath.isEmpty())
        return usageError(kName, QStringLiteral("the irregular layout needs --wiring W.line"));

    constexpr int kMax = std::numeric_limits<int>::max();
    CliNumbers numbers(a);
    const int from = numbers.number("--from", 1, 1, kMax);
    const int to = numbers.number("--to", kMax, 1, kMax);
    const int tubeModel = numbers.number("--tube-model", 0, 0, 3);
    const int tubeCount = numbers.number("--tube-count", 1, 1, kMax);
    if (!numbers.error().isEmpty())
        return usageError(kName, numbers.error());

    std::optional<ProjectData> project = loadProject(kName, a.positional.at(0));
    if (!project)
        return ExitFailure;
    Wiring wiring;
    if (irregular) {
        const LineReadResult line = readLineFile(wiringPath);
        if (!line.file) {
            complain(kName, QStringLiteral("%1: %2").arg(wiringPath, line.error == WiringFileError::CannotOpen
                                                                      ? QStringLiteral("cannot be read")
                                                                      : QStringLiteral("not a wiring file")));
            return ExitFailure;
        }
        std::vector<WiringPixel> records = line.file->content.records;
        if (line.file->content.incomplete())
            complain(kName, QStringLiteral("%1: the file ends early; %2 complete records are used")
                                .arg(wiringPath)
                                .arg(records.size()));
        wiring.assign(std::move(records));
    }

    FrameSequence frames;
    const int frameCount = int(project->frames.size());
    frames.assign(std::move(project->frames), frameCount > 0 ? 0 : -1);
    FrameSendRequest request;
    request.startFrame = from;
    request.endFrame = to == kMax ? std::max(frameCount, 1) : to;
    request.screen = irregular ? ScreenType::Irregular : ScreenType::Rectangular;
    request.tubeModel = tubeModel;
    request.tubeCount = tubeCount;
    FrameSendPlan plan;
    const FrameSendProblem problem = planFrameSend(request, frames, project->geometry, wiring, plan);
    if (problem != FrameSendProblem::None) {
        complain(kName, frameSendProblemText(problem));
        return ExitFailure;
    }
    printErr(QStringLiteral("sending frames %1 to %2: %3 bytes in %4 packets\n")
                 .arg(plan.firstFrame + 1)
                 .arg(plan.lastFrame + 1)
                 .arg(plan.payload.size())
                 .arg(plan.packets));
    return runSerialTransfer(kName, port, [&plan](Link &link, Clock &clock, const TransferCallbacks &callbacks) {
        return sendFrameData(link, clock, plan, callbacks);
    });
}

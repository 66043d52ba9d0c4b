// brightloom-cli convert IN OUT
#include "cli_command.h"
#include "cli_support.h"

int runConvert(const QStringList &args)
{
    const CliArgs a = parseCliArgs(args);
    if (const std::optional<int> done = endsAtParse(a, "convert"))
        return *done;
    if (a.positional.size() != 2)
        return usageError("convert", QStringLiteral("expected an input and an output file"));

    std::optional<ProjectData> data = loadProject("convert", a.positional.at(0));
    if (!data)
        return ExitFailure;
    const bool truncated = data->truncated;
    FrameSequence frames;
    frames.assign(std::move(data->frames), 0);

    const QString &out = a.positional.at(1);
    QString reason;
    if (!writeProjectFile(out, data->geometry, frames, &reason)) {
        complain("convert", QStringLiteral("%1: cannot write: %2").arg(out, reason));
        return ExitFailure;
    }
    return truncated ? ExitTruncated : ExitOk;
}

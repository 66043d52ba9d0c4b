// brightloom-cli info FILE
#include "cli_command.h"
#include "cli_support.h"

#include "settings/file_access.h"

#include <QFile>

int runInfo(const QStringList &args)
{
    const CliArgs a = parseCliArgs(args);
    if (const std::optional<int> done = endsAtParse(a, "info"))
        return *done;
    if (a.positional.size() != 1)
        return usageError("info", QStringLiteral("expected one project file"));

    {
        // Sequences for pixel players start with their own magic.
        QFile probe;
        if (openRegularFile(probe, a.positional.first()) && probe.read(4) == "PSEQ")
            return printFseqInfo(a.positional.first());
    }
    const std::optional<ProjectData> data = loadProject("info", a.positional.first());
    if (!data)
        return ExitFailure;
    const GridGeometry &g = data->geometry;
    printOut(QStringLiteral("{\"format\": \"%1\", \"frames\": %2, \"rows\": %3, \"cols\": %4, "
                            "\"celWidth\": %5, \"celHeight\": %6, \"baseColorNum\": %7, \"scanMode\": %8}\n")
                 .arg(projectFormatName(data->format))
                 .arg(data->frames.size())
                 .arg(g.rows)
                 .arg(g.cols)
                 .arg(g.celWidth)
                 .arg(g.celHeight)
                 .arg(g.baseColorNum)
                 .arg(g.scanMode));
    return data->truncated ? ExitTruncated : ExitOk;
}

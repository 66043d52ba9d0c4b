// brightloom-cli make-led PROJECT.wst WIRING.line OUT.led [options]
#include "cli_command.h"
#include "cli_support.h"

#include "document/document.h"
#include "links/parameter_file.h"
#include "output/output_checks.h"
#include "output/port_data_files.h"
#include "settings/language.h"
#include "settings/prompt.h"
#include "wiring/wiring_files.h"

#include <limits>
#include <optional>

namespace {

const char *const kName = "make-led";

} // namespace

int runMakeLed(const QStringList &args)
{
    CliOptionSpec spec;
    spec.flags = {QStringLiteral("--neon")};
    spec.values = {
        QStringLiteral("--params"),    QStringLiteral("--controller"), QStringLiteral("--format"),
        QStringLiteral("--grey"),      QStringLiteral("--cycle"),      QStringLiteral("--group-extra"),
        QStringLiteral("--speed"),     QStringLiteral("--from"),       QStringLiteral("--to"),
        QStringLiteral("--sd-speed"),  QStringLiteral("--scan"),       QStringLiteral("--divider-a"),
        QStringLiteral("--divider-b"), QStringLiteral("--rate"),
    };
    const CliArgs a = parseCliArgs(args, spec);
    const bool neon = a.has(QStringLiteral("--neon"));
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 3)
        return usageError(kName, QStringLiteral("expected a project file, a wiring file and an output name"));

    // Every option is checked before any file is read.
    CliNumbers numbers(a);
    constexpr int kMax = std::numeric_limits<int>::max();
    const int controller = numbers.number("--controller", 0, 0, int(controllerModelNames().size()) - 1);
    const int format = numbers.number("--format", 2, 0, int(communicationFormatNames().size()) - 1);
    const int grey = numbers.number("--grey", 256, 2, 256);
    const int cycle = numbers.number("--cycle", 0, 1, kMaxCycle);
    const int groupExtra = numbers.number("--group-extra", 0, 0, kMax);
    const int speed = numbers.number("--speed", 30, 1, kMax);
    const int from = numbers.number("--from", 1, 1, kMax);
    const int to = numbers.number("--to", 0, 1, kMax);
    const int sdSpeed = numbers.number("--sd-speed", 3, 0, kMax);
    const int scan = numbers.number("--scan", 0, 0, 1);
    const int dividerA = numbers.number("--divider-a", 8, 2, 256);
    const int dividerB = numbers.number("--divider-b", 7, 2, 256);
    if (!numbers.error().isEmpty())
        return usageError(kName, numbers.error());
    if (!greyLevelChoices().contains(grey))
        return usageError(kName, QStringLiteral("--grey must be one of 2, 8, 16, 32, 64, 128, 256, not %1").arg(grey));
    float rate = 10.0f;
    if (a.options.contains(QStringLiteral("--rate"))) {
        bool ok = false;
        rate = a.options.value(QStringLiteral("--rate")).toFloat(&ok);
        if (!ok || rate < 0.3f || rate > 25.0f)
            return usageError(kName, QStringLiteral("--rate needs a number from 0.3 to 25, not '%1'")
                                         .arg(a.options.value(QStringLiteral("--rate"))));
    }

    const QString &projectPath = a.positional.at(0);
    const QString &wiringPath = a.positional.at(1);
    const QString &outPath = a.positional.at(2);

    std::optional<ProjectData> project = loadProject(kName, projectPath);
    if (!project)
        return ExitFailure;
    const GridGeometry g = project->geometry;

    const LineReadResult line = readLineFile(wiringPath);
    if (!line.file) {
        complain(kName, QStringLiteral("%1: %2").arg(wiringPath, line.error == WiringFileError::CannotOpen
                                                                  ? QStringLiteral("cannot be read")
                                                                  : QStringLiteral("not a wiring file (too short)")));
        return ExitFailure;
    }
    if (line.file->rows != g.rows || line.file->cols != g.cols) {
        complain(kName, QStringLiteral("%1 was made for a %2 x %3 grid, the project is %4 x %5")
                            .arg(wiringPath)
                            .arg(line.file->rows)
                            .arg(line.file->cols)
                            .arg(g.rows)
                            .arg(g.cols));
        return ExitFailure;
    }
    const CircuitryKind kind = neon ? CircuitryKind::Neon : CircuitryKind::Led;
    std::vector<WiringPixel> records = line.file->content.records;
    if (line.file->content.incomplete())
        complain(kName, QStringLiteral("%1: the file ends early; %2 complete records are used")
                            .arg(wiringPath)
                            .arg(records.size()));
    if (const int dropped = dropImplausibleRecords(records, g.rows, g.cols))
        complain(kName, QStringLiteral("%1: %2 damaged records skipped").arg(wiringPath).arg(dropped));

    Document doc(g);
    doc.replaceContents(g, std::move(project->frames));
    doc.wiring().setKind(CircuitryKind(line.file->kind));
    doc.wiring().assign(std::move(records));
    if (doc.wiring().count() < 1 || doc.wiring().kind() != kind) {
        complain(kName, QStringLiteral("%1: no %2 wiring to write (%3)")
                            .arg(wiringPath, neon ? QStringLiteral("neon") : QStringLiteral("LED"),
                                 LanguageText("Message", "DefineLineFirst", QStringLiteral("请先进行线路定义。"))));
        return ExitFailure;
    }
    if (doc.wiring().count() < doc.pointCount())
        complain(kName, QStringLiteral("note: %1 grid points are not wired").arg(doc.pointCount() - doc.wiring().count()));

    // The panel's values, with a parameter file opened on it, then the cycle
    // edited, then the options.
    ControllerParams params = ControllerParams::initial(g.baseColorNum);
    if (a.options.contains(QStringLiteral("--params"))) {
        const QString paramsPath = a.options.value(QStringLiteral("--params"));
        const ParameterFileResult r = readParameterFile(paramsPath);
        if (r.kind == ParameterFileResult::Failed) {
            complain(kName, QStringLiteral("%1: %2").arg(paramsPath, r.message));
            return ExitFailure;
        }
        if (r.kind == ParameterFileResult::NotParameterFile)
            complain(kName, QStringLiteral("note: %1 does not start with 0 or 1 and is ignored, as the panel does")
                                .arg(paramsPath));
        else
            applyParameterFile(params, *r.contents);
    }
    if (a.options.contains(QStringLiteral("--cycle")))
        params.changeCycle(cycle, g.baseColorNum);
    if (a.options.contains(QStringLiteral("--group-extra")))
        params.groupExtra = groupExtra;
    params.controllerModel = controller;
    params.communicationFormat = format;
    params.greyLevels = grey;
    params.sdCardSpeed = sdSpeed;
    params.scanEnhancement = scan;
    params.dividerA = dividerA;
    params.dividerB = dividerB;
    params.rate = rate;

    PortDataRequest request;
    request.fromFrame = from;
    request.toFrame = a.options.contains(QStringLiteral("--to")) ? to : doc.frameCount();
    request.speed = speed;
    request.circuitry = kind;
    request.chosenPath = outPath;
    const OutputRangeProblem problem =
        checkOutputRange(request.fromFrame, request.toFrame, request.speed, doc.frameCount());
    if (problem != OutputRangeProblem::None) {
        complain(kName, QStringLiteral("frames %1 to %2 of a project with %3 frame(s): %4")
                            .arg(request.fromFrame)
                            .arg(request.toFrame)
                            .arg(doc.frameCount())
                            .arg(outputRangeMessage(problem)));
        return ExitFailure;
    }

    // Failures to standard error, the success message to standard output;
    // every question (the unwired points) is answered Yes.
    CliPrompt prompt(kName, CliPrompt::Messages::InformationToStandardOutput,
                     [](PromptButtons) { return PromptAnswer::Yes; });
    QStringList written;
    switch (writePortDataFiles(doc, params, request, prompt, {}, &written)) {
    case PortDataResult::Written:
        for (const QString &f : written)
            printOut(f + QLatin1Char('\n'));
        return ExitOk;
    case PortDataResult::TimingRefused:
        return ExitTruncated; // 1: the controller's timing limit refused the values
    case PortDataResult::Failed:
        break;
    }
    return ExitFailure;
}

// brightloom-cli usb-payload PROJECT.wst WIRING.line OUT.bin --frame N [options]
#include "cli_command.h"
#include "cli_support.h"

#include "document/frame.h"
#include "links/parameter_file.h"
#include "links/usb/usb_frame_payload.h"
#include "links/usb/usb_messages.h"
#include "settings/file_access.h"
#include "wiring/wiring_files.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <limits>

namespace {

const char *const kName = "usb-payload";

// Whole or not at all: an integrator comparing bytes must never compare a
// half-written file.
bool writeUsbBytes(const QString &path, const uint8_t *bytes, size_t size)
{
    StagedSaveFile out(path);
    if (!out.open() || !out.write(reinterpret_cast<const char *>(bytes), qint64(size)) || !out.commit()) {
        complain(kName, QStringLiteral("%1 cannot be written: %2").arg(path, out.failureReason()));
        out.cancel();
        return false;
    }
    return true;
}

} // namespace

int runUsbPayload(const QStringList &args)
{
    CliOptionSpec spec;
    spec.values = {QStringLiteral("--frame"), QStringLiteral("--params"),  QStringLiteral("--controller"),
                   QStringLiteral("--format"), QStringLiteral("--grey"), QStringLiteral("--cycle"),
                   QStringLiteral("--parameter-block")};
    const CliArgs a = parseCliArgs(args, spec);
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 3)
        return usageError(kName, QStringLiteral("expected a project file, a wiring file and an output file"));
    if (!a.has(QStringLiteral("--frame")))
        return usageError(kName, QStringLiteral("--frame N is needed: the frame to send, counted from 1"));

    CliNumbers numbers(a);
    constexpr int kMax = std::numeric_limits<int>::max();
    const int frameNumber = numbers.number("--frame", 1, 1, kMax);
    const int controller = numbers.number("--controller", 0, 0, int(controllerModelNames().size()) - 1);
    const int format = numbers.number("--format", 0, 0, int(communicationFormatNames().size()) - 1);
    const int grey = numbers.number("--grey", 256, 2, 256);
    const int cycle = numbers.number("--cycle", 1, 1, kMaxCycle);
    if (!numbers.error().isEmpty())
        return usageError(kName, numbers.error());
    if (a.has(QStringLiteral("--grey")) && !greyLevelChoices().contains(grey))
        return usageError(kName, QStringLiteral("--grey must be one of 2, 8, 16, 32, 64, 128, 256, not %1").arg(grey));

    std::optional<ProjectData> project = loadProject(kName, a.positional.at(0));
    if (!project)
        return ExitFailure;
    const GridGeometry g = project->geometry;
    if (frameNumber > int(project->frames.size())) {
        complain(kName, QStringLiteral("--frame %1: the project has %2 frame(s)").arg(frameNumber).arg(project->frames.size()));
        return ExitFailure;
    }
    const std::optional<LineFile> line = loadWiring(kName, a.positional.at(1), g.rows, g.cols);
    if (!line)
        return ExitFailure;
    const Wiring wiring = wiringOf(*line);

    // The controller panel's values as it starts, a parameter file opened
    // on it, then the options.
    ControllerParams params = ControllerParams::initial(g.baseColorNum);
    if (a.has(QStringLiteral("--params"))) {
        const QString paramsPath = a.text(QStringLiteral("--params"));
        const ParameterFileResult r = readParameterFile(paramsPath);
        if (r.kind != ParameterFileResult::Loaded) {
            complain(kName, QStringLiteral("%1: %2").arg(paramsPath, r.kind == ParameterFileResult::Failed
                                                                       ? r.message
                                                                       : QStringLiteral("not a parameter file")));
            return ExitFailure;
        }
        applyParameterFile(params, *r.contents);
    }
    if (a.has(QStringLiteral("--cycle")))
        params.changeCycle(cycle, g.baseColorNum);
    if (a.has(QStringLiteral("--controller")))
        params.controllerModel = controller;
    if (a.has(QStringLiteral("--format")))
        params.communicationFormat = format;
    if (a.has(QStringLiteral("--grey")))
        params.greyLevels = grey;

    const Frame &frame = project->frames.at(size_t(frameNumber - 1));
    const UsbFramePayload payload = buildUsbFramePayload(frame, g.rows, g.cols, wiring, params);
    if (payload.refused()) {
        complain(kName, payload.refusal);
        return ExitFailure;
    }
    if (!writeUsbBytes(a.positional.at(2), payload.bytes.data(), payload.bytes.size()))
        return ExitFailure;
    if (a.has(QStringLiteral("--parameter-block"))) {
        const auto block = parameterBlock(payload, params, int(project->frames.size()));
        if (!writeUsbBytes(a.text(QStringLiteral("--parameter-block")), block.data(), block.size()))
            return ExitFailure;
    }
    const int64_t size = int64_t(payload.bytes.size());
    QJsonObject summary{
        {QStringLiteral("frame"), frameNumber},
        {QStringLiteral("bytes"), qint64(size)},
        {QStringLiteral("ports"), payload.ports},
        {QStringLiteral("pixelsPerPort"), payload.pixelsPerPort},
        {QStringLiteral("lanes"), payload.lanes},
        {QStringLiteral("bytesPerLane"), qint64(payload.bytesPerLane())},
        {QStringLiteral("chunks"), qint64(UsbMessage::chunkCount(size))},
        {QStringLiteral("announced"), qint64(UsbMessage::announcedPayloadSize(size))},
    };
    printOut(QString::fromUtf8(QJsonDocument(summary).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    return ExitOk;
}

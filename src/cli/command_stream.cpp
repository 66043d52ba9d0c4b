// brightloom-cli stream PROJECT.wst WIRING.line --protocol e131|artnet|ddp --host H [options]
#include "cli_command.h"
#include "cli_support.h"

#include "output/network/network_output_settings.h"
#include "settings/program_folder.h"
#include "network/udp_frame_writer.h"
#include "wiring/wiring_files.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <cmath>

namespace {

const char *const kStreamName = "stream";
// The editor's play speed when it starts.
constexpr int kStreamDefaultFps = 20;

std::optional<NetworkProtocol> streamProtocol(const QString &text)
{
    if (text == QLatin1String("e131"))
        return NetworkProtocol::E131;
    if (text == QLatin1String("artnet"))
        return NetworkProtocol::ArtNet;
    if (text == QLatin1String("ddp"))
        return NetworkProtocol::Ddp;
    return std::nullopt;
}

// The installation's CID when the settings file has one, so a receiver
// sees the editor and the command as one source; else one for this run.
E131Cid streamCid()
{
    NetworkOutputSettings s = loadNetworkOutputSettings(settingsFilePath());
    ensureNetworkCid(s);
    return networkCid(s);
}

QJsonArray streamPortsJson(const NetworkOutputMap &map)
{
    QJsonArray ports;
    for (const NetworkPortPlacement &p : map.ports())
        ports.append(QJsonObject{{QStringLiteral("port"), p.port + 1},
                                 {QStringLiteral("pixels"), p.pixels},
                                 {QStringLiteral("offset"), p.offset},
                                 {QStringLiteral("firstUniverse"), p.firstUniverse},
                                 {QStringLiteral("firstChannel"), p.firstChannel},
                                 {QStringLiteral("lastUniverse"), p.lastUniverse},
                                 {QStringLiteral("lastChannel"), p.lastChannel}});
    return ports;
}

} // namespace

int runStream(const QStringList &args)
{
    CliOptionSpec spec;
    spec.values = {QStringLiteral("--protocol"), QStringLiteral("--host"),  QStringLiteral("--port"),
                   QStringLiteral("--universe"), QStringLiteral("--pixels-per-universe"),
                   QStringLiteral("--fps"),      QStringLiteral("--loops"), QStringLiteral("--order")};
    spec.flags = {QStringLiteral("--multicast"), QStringLiteral("--sync"), QStringLiteral("--shared-universes")};
    const CliArgs a = parseCliArgs(args, spec);
    if (const std::optional<int> done = endsAtParse(a, kStreamName))
        return *done;
    if (a.positional.size() != 2)
        return usageError(kStreamName, QStringLiteral("expected a project file and a wiring file"));

    NetworkOutputSettings s;
    const std::optional<NetworkProtocol> protocol = streamProtocol(a.text(QStringLiteral("--protocol")));
    if (!protocol)
        return usageError(kStreamName, QStringLiteral("--protocol takes e131, artnet or ddp"));
    s.protocol = *protocol;
    s.host = a.text(QStringLiteral("--host"));
    s.multicast = a.has(QStringLiteral("--multicast"));
    if (s.multicast && s.protocol != NetworkProtocol::E131)
        return usageError(kStreamName, QStringLiteral("--multicast is for e131 only"));
    s.sync = a.has(QStringLiteral("--sync"));
    s.layout.portStartsUniverse = !a.has(QStringLiteral("--shared-universes"));
    if (a.has(QStringLiteral("--order"))) {
        const std::optional<ChannelOrder> order = ChannelOrder::parse(a.text(QStringLiteral("--order")));
        if (!order)
            return usageError(kStreamName, QStringLiteral("--order takes rgb, rbg, grb, gbr, brg or bgr, not '%1'")
                                               .arg(a.text(QStringLiteral("--order"))));
        s.layout.order = *order;
    }
    CliNumbers numbers(a);
    s.port = numbers.number("--port", defaultNetworkPort(s.protocol), 1, 65535);
    s.layout.startUniverse = numbers.number("--universe", 1, firstNetworkUniverse(s.protocol),
                                            lastNetworkUniverse(s.protocol));
    s.layout.pixelsPerUniverse = numbers.number("--pixels-per-universe", 170, 1, 170);
    s.framesPerSecond = numbers.number("--fps", kStreamDefaultFps, 1, NetworkOutputSettings::kMaxFramesPerSecond);
    const int loops = numbers.number("--loops", 1, 1, 1000000);
    if (!numbers.error().isEmpty())
        return usageError(kStreamName, numbers.error());
    if (s.needsHost() && s.host.isEmpty())
        return usageError(kStreamName, QStringLiteral("--host H is required (or --multicast for e131)"));

    std::optional<ProjectData> project = loadProject(kStreamName, a.positional.at(0));
    if (!project)
        return ExitFailure;
    const GridGeometry g = project->geometry;
    const std::optional<LineFile> line = loadWiring(kStreamName, a.positional.at(1), g.rows, g.cols);
    if (!line)
        return ExitFailure;
    const NetworkOutputMap map(wiringOf(*line), g.rows, g.cols, s.layout);
    if (map.empty()) {
        complain(kStreamName, QStringLiteral("%1 wires no lamp: there is nothing to send").arg(a.positional.at(1)));
        return ExitFailure;
    }
    if (const QString refusal = networkMapRefusal(map, s.protocol); !refusal.isEmpty()) {
        complain(kStreamName, refusal);
        return ExitFailure;
    }

    NetworkTarget target;
    target.packets = {s.protocol, streamCid(), s.multicast, s.sync};
    target.host = s.host;
    target.port = s.port;
    UdpFrameWriter writer(target);
    QString unknown;
    if (!writer.open(&unknown)) {
        complain(kStreamName, QStringLiteral("the host %1 could not be found").arg(unknown));
        return ExitFailure;
    }

    const std::vector<Frame> &frames = project->frames;
    const int total = int(frames.size()) * loops;
    NetworkFrame out;
    out.universes = map.universes();
    int sent = 0;
    int failed = 0;
    const qint64 periodNs = 1000000000LL / s.framesPerSecond;
    QElapsedTimer clock;
    clock.start();
    qint64 lastProgress = -1;
    for (int step = 0; step < total; ++step) {
        // Steps are kept on the grid of the rate from the start, so a late
        // step does not push every later one back.
        const qint64 due = step * periodNs;
        const qint64 early = due - clock.nsecsElapsed();
        if (early > 0)
            QThread::usleep(quint64(early / 1000));
        map.fill(frames[size_t(step) % frames.size()], out.channels);
        if (writer.send(out))
            ++sent;
        else
            ++failed;
        const qint64 second = clock.elapsed() / 1000;
        if (second != lastProgress || step + 1 == total) {
            lastProgress = second;
            printErr(QStringLiteral("stream: loop %1/%2, frame %3/%4, %5 sent\n")
                         .arg(step / int(frames.size()) + 1)
                         .arg(loops)
                         .arg(step % int(frames.size()) + 1)
                         .arg(frames.size())
                         .arg(sent));
        }
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    QJsonObject summary{{QStringLiteral("protocol"), a.text(QStringLiteral("--protocol"))},
                        {QStringLiteral("framesSent"), sent},
                        {QStringLiteral("framesFailed"), failed},
                        {QStringLiteral("datagrams"), qint64(writer.datagramsSent())},
                        {QStringLiteral("channels"), map.totalChannels()},
                        {QStringLiteral("universes"), int(map.universes().size())},
                        {QStringLiteral("seconds"), std::round(seconds * 1000) / 1000},
                        {QStringLiteral("ports"), streamPortsJson(map)}};
    printOut(QString::fromUtf8(QJsonDocument(summary).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    return failed > 0 ? int(ExitTransferFailed) : int(ExitOk);
}

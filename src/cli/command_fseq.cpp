// brightloom-cli export-fseq PROJECT.wst [WIRING.line] OUT.fseq [options]
// brightloom-cli import-fseq IN.fseq [WIRING.line] OUT.wst [options]
#include "cli_command.h"
#include "cli_support.h"

#include "output/fseq/fseq_sequence.h"
#include "wiring/wiring_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The editor's play speed when it starts, 20 frames per second.
constexpr int kDefaultStepMs = 50;

// Players count channels from 1.
QJsonArray portsJson(const FseqChannelMap &map)
{
    QJsonArray ports;
    for (const FseqPortSpan &p : map.ports())
        ports.append(QJsonObject{{QStringLiteral("port"), p.port + 1},
                                 {QStringLiteral("firstChannel"), qint64(p.firstChannel) + 1},
                                 {QStringLiteral("pixels"), qint64(p.pixelCount)}});
    return ports;
}

std::optional<ChannelOrder> orderOption(const CliArgs &a, QString *error)
{
    if (!a.has(QStringLiteral("--order")))
        return ChannelOrder();
    const std::optional<ChannelOrder> order = ChannelOrder::parse(a.text(QStringLiteral("--order")));
    if (!order)
        *error = QStringLiteral("--order takes rgb, rbg, grb, gbr, brg or bgr, not '%1'").arg(a.text(QStringLiteral("--order")));
    return order;
}

} // namespace

int runExportFseq(const QStringList &args)
{
    const char *const kName = "export-fseq";
    CliOptionSpec spec;
    spec.values = {QStringLiteral("--compress"), QStringLiteral("--step-ms"), QStringLiteral("--order")};
    const CliArgs a = parseCliArgs(args, spec);
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 2 && a.positional.size() != 3)
        return usageError(kName, QStringLiteral("expected a project file, a wiring file (or none) and an output name"));

    CliNumbers numbers(a);
    FseqExportOptions options;
    options.stepMs = numbers.number("--step-ms", kDefaultStepMs, 1, 255);
    if (!numbers.error().isEmpty())
        return usageError(kName, numbers.error());
    if (a.has(QStringLiteral("--compress"))) {
        const auto c = parseFseqCompression(a.text(QStringLiteral("--compress")));
        if (!c)
            return usageError(kName, QStringLiteral("--compress takes none, zstd or zlib, not '%1'")
                                         .arg(a.text(QStringLiteral("--compress"))));
        options.compression = *c;
    }
    QString orderError;
    const std::optional<ChannelOrder> order = orderOption(a, &orderError);
    if (!order)
        return usageError(kName, orderError);
    options.order = *order;

    const QString &projectPath = a.positional.first();
    const QString &outPath = a.positional.last();
    std::optional<ProjectData> project = loadProject(kName, projectPath);
    if (!project)
        return ExitFailure;
    const GridGeometry g = project->geometry;

    Wiring wiring;
    if (a.positional.size() == 3) {
        const std::optional<LineFile> line = loadWiring(kName, a.positional.at(1), g.rows, g.cols);
        if (!line)
            return ExitFailure;
        wiring = wiringOf(*line);
    }
    uint64_t needed = 0;
    const std::optional<FseqChannelMap> map = FseqChannelMap::forProject(wiring, g.rows, g.cols, options.order, &needed);
    if (!map) {
        complain(kName, QStringLiteral("the wiring needs %1 channels, more than an FSEQ file holds").arg(needed));
        return ExitFailure;
    }
    const std::vector<Frame> &frames = project->frames;
    const FseqExportResult result = exportFseqFile(
        outPath, int(frames.size()), [&](int i) -> const Frame & { return frames[size_t(i)]; }, *map, options);
    if (!result.ok) {
        complain(kName, result.error);
        return ExitFailure;
    }
    QJsonObject out{{QStringLiteral("frames"), qint64(result.frames)},
                    {QStringLiteral("channels"), qint64(result.channels)},
                    {QStringLiteral("compression"), fseqCompressionName(options.compression)},
                    {QStringLiteral("stepMs"), options.stepMs},
                    {QStringLiteral("order"), options.order.name()},
                    {QStringLiteral("byWiring"), map->byWiring()},
                    {QStringLiteral("ports"), portsJson(*map)}};
    printOut(QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    return project->truncated ? ExitTruncated : ExitOk;
}

int runImportFseq(const QStringList &args)
{
    const char *const kName = "import-fseq";
    CliOptionSpec spec;
    spec.values = {QStringLiteral("--order"), QStringLiteral("--rows"), QStringLiteral("--cols")};
    const CliArgs a = parseCliArgs(args, spec);
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 2 && a.positional.size() != 3)
        return usageError(kName, QStringLiteral("expected an FSEQ file, a wiring file (or none) and an output name"));
    const bool byWiring = a.positional.size() == 3;
    if (byWiring && (a.has(QStringLiteral("--rows")) || a.has(QStringLiteral("--cols"))))
        return usageError(kName, QStringLiteral("--rows and --cols are taken from the wiring file"));
    if (!byWiring && !(a.has(QStringLiteral("--rows")) && a.has(QStringLiteral("--cols"))))
        return usageError(kName, QStringLiteral("without a wiring file --rows and --cols give the grid"));
    CliNumbers numbers(a);
    int rows = numbers.number("--rows", 0, 1, kMaxGridSide);
    int cols = numbers.number("--cols", 0, 1, kMaxGridSide);
    if (!numbers.error().isEmpty())
        return usageError(kName, numbers.error());
    if (!byWiring && !gridSizeAllowed(rows, cols))
        return usageError(kName, QStringLiteral("a grid of %1 x %2 points is too large").arg(rows).arg(cols));
    QString orderError;
    const std::optional<ChannelOrder> order = orderOption(a, &orderError);
    if (!order)
        return usageError(kName, orderError);

    Wiring wiring;
    if (byWiring) {
        const std::optional<LineFile> line = loadWiring(kName, a.positional.at(1), 0, 0);
        if (!line)
            return ExitFailure;
        rows = line->rows;
        cols = line->cols;
        wiring = wiringOf(*line);
    }
    uint64_t needed = 0;
    const std::optional<FseqChannelMap> map = FseqChannelMap::forProject(wiring, rows, cols, *order, &needed);
    if (!map) {
        complain(kName, QStringLiteral("the wiring needs %1 channels, more than an FSEQ file holds").arg(needed));
        return ExitFailure;
    }
    const QString &inPath = a.positional.first();
    FseqImportResult imported = importFseqFile(inPath, *map, rows * cols);
    if (!imported.ok()) {
        complain(kName, QStringLiteral("%1: %2").arg(inPath, imported.error));
        return ExitFailure;
    }
    if (imported.data->missingChannels > 0)
        complain(kName, QStringLiteral("note: %1 carries %2 channels fewer than the map needs; those lamps stay black")
                            .arg(inPath).arg(imported.data->missingChannels));

    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    FrameSequence frames;
    frames.assign(std::move(imported.data->frames), 0);
    const QString &outPath = a.positional.last();
    QString reason;
    if (!writeProjectFile(outPath, g, frames, &reason)) {
        complain(kName, QStringLiteral("%1: %2").arg(outPath, reason));
        return ExitFailure;
    }
    const QJsonObject out{{QStringLiteral("frames"), frames.count()},
                          {QStringLiteral("rows"), rows},
                          {QStringLiteral("cols"), cols},
                          {QStringLiteral("stepMs"), imported.data->header.stepMs},
                          {QStringLiteral("missingChannels"), qint64(imported.data->missingChannels)}};
    printOut(QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    return ExitOk;
}

// The header of an FSEQ file for `info`.
int printFseqInfo(const QString &path)
{
    const FseqParseResult parsed = readFseqHeaderFile(path);
    if (!parsed.ok()) {
        complain("info", QStringLiteral("%1: %2").arg(path, parsed.error));
        return ExitFailure;
    }
    const FseqHeader &h = parsed.layout->header;
    QJsonArray ranges;
    for (const FseqSparseRange &r : h.sparseRanges)
        ranges.append(QJsonObject{{QStringLiteral("start"), qint64(r.start)}, {QStringLiteral("count"), qint64(r.count)}});
    QJsonArray blocks;
    for (const FseqLayout::Block &b : parsed.layout->blocks)
        blocks.append(QJsonObject{{QStringLiteral("firstFrame"), qint64(b.firstFrame)},
                                  {QStringLiteral("frames"), qint64(b.frames)},
                                  {QStringLiteral("length"), qint64(b.length)}});
    const QJsonObject out{{QStringLiteral("format"), QStringLiteral("FSEQ")},
                          {QStringLiteral("version"), QStringLiteral("%1.%2").arg(h.majorVersion).arg(h.minorVersion)},
                          {QStringLiteral("channelDataOffset"), h.dataOffset},
                          {QStringLiteral("headerLength"), h.headerLength},
                          {QStringLiteral("channels"), qint64(h.channelsPerFrame)},
                          {QStringLiteral("frames"), qint64(h.frameCount)},
                          {QStringLiteral("stepMs"), h.stepMs},
                          {QStringLiteral("flags"), h.flags},
                          {QStringLiteral("compression"), fseqCompressionName(h.compression)},
                          {QStringLiteral("blocks"), blocks},
                          {QStringLiteral("sparseRanges"), ranges},
                          {QStringLiteral("uniqueId"), QString::number(h.uniqueId)},
                          {QStringLiteral("creator"), h.creator()}};
    printOut(QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    return ExitOk;
}

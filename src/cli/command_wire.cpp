// brightloom-cli wire OUT.line [--rows R --cols C] --port P --from X,Y --to X,Y
//                     [--modifier none|ctrl|shift|alt] [--in IN.line]
#include "cli_command.h"
#include "cli_support.h"

#include "settings/grid_geometry.h"
#include "wiring/wiring_files.h"
#include "wiring/wiring_operations.h"

#include <optional>
#include <vector>

namespace {

const char *const kName = "wire";

// One definition drag: the anchor, the release cell (both from 1 on the
// command line, from 0 here) and the key held at the release.
struct Drag
{
    std::optional<int> port;
    std::optional<QPoint> from;
    std::optional<QPoint> to;
    std::optional<WiringModifier> modifier;
};

std::optional<QPoint> parseCell(const QString &text)
{
    const std::optional<std::vector<int>> v = parseNumberList(text, 2);
    if (!v)
        return std::nullopt;
    return QPoint((*v)[0], (*v)[1]);
}

std::optional<WiringModifier> parseModifier(const QString &text)
{
    if (text == QLatin1String("none"))
        return WiringModifier::None;
    if (text == QLatin1String("ctrl"))
        return WiringModifier::Ctrl;
    if (text == QLatin1String("shift"))
        return WiringModifier::Shift;
    if (text == QLatin1String("alt"))
        return WiringModifier::Alt;
    return std::nullopt;
}

struct WireArgs
{
    QStringList positional;
    std::optional<int> rows, cols;
    QString in;
    std::vector<Drag> drags;
    bool help = false;
    QString error;
};

WireArgs parseWireArgs(const QStringList &args)
{
    CliOptionSpec spec;
    spec.values = {QStringLiteral("--rows"), QStringLiteral("--cols"), QStringLiteral("--in"),
                   QStringLiteral("--port"), QStringLiteral("--from"), QStringLiteral("--to"),
                   QStringLiteral("--modifier")};
    spec.repeatable = {QStringLiteral("--port"), QStringLiteral("--from"), QStringLiteral("--to"),
                       QStringLiteral("--modifier")};
    const CliArgs a = parseCliArgs(args, spec);
    WireArgs out;
    out.positional = a.positional;
    out.help = a.help;
    out.error = a.error;
    if (!out.error.isEmpty())
        return out;
    for (const CliOption &o : a.given) {
        const QString &name = o.name;
        const QString &value = o.value;
        if (name == QLatin1String("--rows") || name == QLatin1String("--cols")) {
            const std::optional<int> side = parseNumber(value, 1, kMaxGridSide);
            if (!side) {
                out.error = QStringLiteral("%1 must be a number from 1 to %2").arg(name).arg(kMaxGridSide);
                return out;
            }
            (name == QLatin1String("--rows") ? out.rows : out.cols) = side;
            continue;
        }
        if (name == QLatin1String("--in")) {
            out.in = value;
            continue;
        }
        // A drag option that the current drag already has starts the next
        // drag, and so does every --port.
        if (out.drags.empty())
            out.drags.emplace_back();
        Drag *d = &out.drags.back();
        const bool repeated = (name == QLatin1String("--port") && d->port) || (name == QLatin1String("--from") && d->from)
                              || (name == QLatin1String("--to") && d->to)
                              || (name == QLatin1String("--modifier") && d->modifier);
        if (repeated) {
            out.drags.emplace_back();
            d = &out.drags.back();
        }
        if (name == QLatin1String("--port")) {
            d->port = parseNumber(value, 1, kMaxWiringPorts);
            if (!d->port) {
                out.error = QStringLiteral("--port must be a number from 1 to %1").arg(kMaxWiringPorts);
                return out;
            }
        } else if (name == QLatin1String("--modifier")) {
            d->modifier = parseModifier(value);
            if (!d->modifier) {
                out.error = QStringLiteral("--modifier must be none, ctrl, shift or alt");
                return out;
            }
        } else {
            const std::optional<QPoint> cell = parseCell(value);
            if (!cell) {
                out.error = QStringLiteral("%1 takes a column and a row as X,Y").arg(name);
                return out;
            }
            (name == QLatin1String("--from") ? d->from : d->to) = cell;
        }
    }
    return out;
}

} // namespace

int runWire(const QStringList &args)
{
    const WireArgs a = parseWireArgs(args);
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 1)
        return usageError(kName, QStringLiteral("expected one output file"));
    if (a.drags.empty())
        return usageError(kName, QStringLiteral("expected at least one --port/--from/--to drag"));
    for (size_t i = 0; i < a.drags.size(); ++i)
        if (!a.drags[i].port || !a.drags[i].from || !a.drags[i].to)
            return usageError(kName, QStringLiteral("drag %1 needs --port, --from and --to").arg(i + 1));

    int rows = 0, cols = 0;
    std::vector<WiringPixel> records;
    bool damaged = false;
    if (a.in.isEmpty()) {
        if (!a.rows || !a.cols)
            return usageError(kName, QStringLiteral("--rows and --cols are needed without --in"));
        rows = *a.rows;
        cols = *a.cols;
        if (!gridSizeAllowed(rows, cols))
            return usageError(kName, QStringLiteral("a grid of %1 x %2 points is too large").arg(rows).arg(cols));
    } else {
        LineReadResult read = readLineFile(a.in);
        if (read.error != WiringFileError::None) {
            complain(kName, read.error == WiringFileError::CannotOpen
                                ? QStringLiteral("cannot read %1").arg(a.in)
                                : QStringLiteral("%1 is too short to be a line file").arg(a.in));
            return ExitFailure;
        }
        LineFile &f = *read.file;
        if (f.kind != uint8_t(CircuitryKind::Led)) {
            complain(kName, QStringLiteral("%1 is not an LED wiring (circuitry kind %2)").arg(a.in).arg(f.kind));
            return ExitFailure;
        }
        if (!gridSizeAllowed(f.rows, f.cols)) {
            complain(kName, QStringLiteral("%1 names an impossible grid of %2 x %3").arg(a.in).arg(f.rows).arg(f.cols));
            return ExitFailure;
        }
        if ((a.rows && *a.rows != f.rows) || (a.cols && *a.cols != f.cols)) {
            complain(kName, QStringLiteral("%1 was made for %2 rows and %3 columns").arg(a.in).arg(f.rows).arg(f.cols));
            return ExitFailure;
        }
        rows = f.rows;
        cols = f.cols;
        if (f.content.incomplete()) {
            complain(kName, QStringLiteral("warning: %1 promises %2 records but holds %3 complete ones")
                                .arg(a.in)
                                .arg(f.content.declaredCount)
                                .arg(f.content.records.size()));
            damaged = true;
        }
        records = std::move(f.content.records);
        if (const int dropped = dropImplausibleRecords(records, rows, cols)) {
            complain(kName, QStringLiteral("warning: %1 records of %2 with an impossible port, pixel number or grid "
                                           "point were skipped")
                                .arg(dropped)
                                .arg(a.in));
            damaged = true;
        }
    }

    for (size_t i = 0; i < a.drags.size(); ++i) {
        const QPoint from = *a.drags[i].from;
        const QPoint to = *a.drags[i].to;
        for (const QPoint &c : {from, to})
            if (c.x() < 1 || c.y() < 1 || c.x() > cols || c.y() > rows)
                return usageError(kName, QStringLiteral("drag %1: cell %2,%3 lies outside the grid of %4 columns and "
                                                        "%5 rows")
                                             .arg(i + 1)
                                             .arg(c.x())
                                             .arg(c.y())
                                             .arg(cols)
                                             .arg(rows));
    }

    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(rows, cols);
    w.assign(std::move(records));
    for (const Drag &d : a.drags) {
        const WiringModifier modifier = d.modifier.value_or(WiringModifier::None);
        const auto done = defineRectangle(w, *d.port - 1, *d.from - QPoint(1, 1), *d.to - QPoint(1, 1), modifier);
        printOut(QStringLiteral("port %1: %2 pixels added (fill order %3)\n")
                     .arg(*d.port)
                     .arg(done ? done->addedRecords.size() : 0)
                     .arg(done ? done->fillOrder : 0));
    }
    QString reason;
    if (!writeLineFile(a.positional.first(), rows, cols, uint8_t(CircuitryKind::Led), w.pixels(), &reason)) {
        complain(kName, QStringLiteral("cannot write %1: %2").arg(a.positional.first(), reason));
        return ExitFailure;
    }
    return damaged ? ExitTruncated : ExitOk;
}

// brightloom-cli check-wiring FILE.line [--repair]
#include "cli_command.h"
#include "cli_support.h"

#include "settings/grid_geometry.h"
#include "settings/prompt.h"
#include "wiring/circuitry_check.h"
#include "wiring/wiring_files.h"

namespace {

const char *const kName = "check-wiring";
constexpr int kConfirmingPasses = 2;

// One line per finding, cells and numbers counted from 1 as the user
// sees them. Returns whether there was anything to say.
bool printFindings(const CircuitryFindings &f, bool /*repair*/)
{
    if (f.renumbered > 0)
        printOut(QStringLiteral("pixel numbers not consecutive: %1 records renumbered\n").arg(f.renumbered));
    for (const CircuitryDuplicate &d : f.duplicates) {
        QString outcome;
        if (d.kept == CircuitryDuplicate::Kept::Later)
            outcome = QStringLiteral(" (the earlier one removed)");
        else if (d.kept == CircuitryDuplicate::Kept::Earlier)
            outcome = QStringLiteral(" (the later one removed)");
        printOut(QStringLiteral("grid point %1,%2 wired twice: port %3 pixel %4 and port %5 pixel %6%7\n")
                     .arg(d.cell.x() + 1)
                     .arg(d.cell.y() + 1)
                     .arg(d.earlierPort + 1)
                     .arg(d.earlierPixel + 1)
                     .arg(d.laterPort + 1)
                     .arg(d.laterPixel + 1)
                     .arg(outcome));
    }
    switch (f.portNote) {
    case CircuitryFindings::PortNote::Repaired:
        printOut(QStringLiteral("port numbers not consecutive: %1 head pixels for ports up to %2 (repaired)\n")
                     .arg(f.heads)
                     .arg(f.highestPort + 1));
        break;
    case CircuitryFindings::PortNote::NotRepaired:
        printOut(QStringLiteral("port numbers not consecutive: %1 head pixels for ports up to %2\n")
                     .arg(f.heads)
                     .arg(f.highestPort + 1));
        break;
    case CircuitryFindings::PortNote::Unexpected:
        printOut(QStringLiteral("unexpected port numbering: %1 head pixels for ports up to %2\n")
                     .arg(f.heads)
                     .arg(f.highestPort + 1));
        break;
    case CircuitryFindings::PortNote::None:
        break;
    }
    return !f.clean();
}

} // namespace

int runCheckWiring(const QStringList &args)
{
    CliOptionSpec spec;
    spec.flags = {QStringLiteral("--repair")};
    const CliArgs a = parseCliArgs(args, spec);
    const bool repair = a.has(QStringLiteral("--repair"));
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 1)
        return usageError(kName, QStringLiteral("expected one line file"));
    const QString path = a.positional.first();

    LineReadResult read = readLineFile(path);
    if (read.error != WiringFileError::None) {
        complain(kName, read.error == WiringFileError::CannotOpen
                            ? QStringLiteral("cannot read %1").arg(path)
                            : QStringLiteral("%1 is too short to be a line file").arg(path));
        return ExitFailure;
    }
    LineFile &f = *read.file;
    if (f.kind != uint8_t(CircuitryKind::Led)) {
        complain(kName, QStringLiteral("%1 is not an LED wiring (circuitry kind %2); only LED circuitry is checked")
                            .arg(path)
                            .arg(f.kind));
        return ExitFailure;
    }
    if (!gridSizeAllowed(f.rows, f.cols)) {
        complain(kName, QStringLiteral("%1 names an impossible grid of %2 x %3").arg(path).arg(f.rows).arg(f.cols));
        return ExitFailure;
    }
    bool errors = false;
    if (f.content.incomplete()) {
        printOut(QStringLiteral("file incomplete: %1 records promised, %2 complete ones read\n")
                     .arg(f.content.declaredCount)
                     .arg(f.content.records.size()));
        errors = true;
    }
    std::vector<WiringPixel> records = std::move(f.content.records);
    if (const int dropped = dropImplausibleRecords(records, f.rows, f.cols)) {
        printOut(QStringLiteral("%1 records with an impossible port, pixel number or grid point%2\n")
                     .arg(dropped)
                     .arg(repair ? QStringLiteral(" (dropped)") : QString()));
        errors = true;
    }
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(f.rows, f.cols);
    w.assign(std::move(records));
    if (w.count() == 0) {
        printOut(QStringLiteral("no wired grid points: nothing to check\n"));
        return errors ? ExitTruncated : ExitOk;
    }

    // The check's questions answered without a person: with --repair the
    // later record of a duplicate pair is kept and the ports are closed up,
    // otherwise nothing it asks about changes. The findings are printed
    // from the check's result, so its messages stay unsaid.
    CliPrompt answers(kName, CliPrompt::Messages::Quiet, [repair](PromptButtons buttons) {
        if (buttons == PromptButtons::YesNoCancel)
            return repair ? PromptAnswer::Yes : PromptAnswer::Cancel;
        return repair ? PromptAnswer::Yes : PromptAnswer::No;
    });
    errors = printFindings(circuitryCheckPass(w, answers), repair) || errors;
    if (!repair) {
        if (!errors)
            printOut(QStringLiteral("clean\n"));
        return errors ? ExitTruncated : ExitOk;
    }
    // A repair can leave work for the next pass (keeping the later record
    // of a pair can take a port's head away, which the port repair then
    // mends), so the check runs again, a bounded number of times, until a
    // pass finds nothing. It never loops on the question.
    bool clean = false;
    for (int pass = 0; pass < kConfirmingPasses && !clean; ++pass) {
        const CircuitryFindings again = circuitryCheckPass(w, answers);
        clean = again.clean();
        if (!clean) {
            printOut(QStringLiteral("checked again:\n"));
            printFindings(again, true);
        }
    }
    QString reason;
    if (!writeLineFile(path, f.rows, f.cols, uint8_t(CircuitryKind::Led), w.pixels(), &reason)) {
        complain(kName, QStringLiteral("cannot write %1: %2").arg(path, reason));
        return ExitFailure;
    }
    if (!clean) {
        printOut(QStringLiteral("errors remain after the repair\n"));
        return ExitTruncated;
    }
    printOut(errors ? QStringLiteral("repaired; the check now passes\n") : QStringLiteral("clean\n"));
    return ExitOk;
}

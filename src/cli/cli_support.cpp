#include "cli_support.h"

#include "cli_command.h"

#include "document/wiring.h"
#include "wiring/wiring_files.h"

#include <cstdio>

void printOut(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void printErr(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
}

void complain(const char *command, const QString &message)
{
    printErr(QStringLiteral("brightloom-cli %1: %2\n").arg(QLatin1String(command), message));
}

QString commandHelp(const char *command)
{
    for (const CliCommand &c : cliCommands())
        if (qstrcmp(c.name, command) == 0)
            return QString::fromUtf8(c.help);
    return QString();
}

int usageError(const char *command, const QString &message)
{
    complain(command, message);
    const QString help = commandHelp(command);
    printErr(help.left(help.indexOf(QLatin1Char('\n')) + 1));
    printErr(QStringLiteral("Try 'brightloom-cli %1 --help' for more.\n").arg(QLatin1String(command)));
    return ExitFailure;
}

std::optional<int> parseNumber(const QString &text, int low, int high)
{
    bool ok = false;
    // Read as 64 bits: a value beyond an int is out of range, not wrapped.
    const qlonglong v = text.trimmed().toLongLong(&ok, 10);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return int(v);
}

std::optional<std::vector<int>> parseNumberList(const QString &text, int count, int low, int high)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> out;
    for (const QString &part : parts) {
        const std::optional<int> v = parseNumber(part, low, high);
        if (!v)
            return std::nullopt;
        out.push_back(*v);
    }
    return out;
}

CliArgs parseCliArgs(const QStringList &args, const CliOptionSpec &spec)
{
    CliArgs out;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (optionsEnded || !a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) {
            out.positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out.help = true;
            continue;
        }
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? a : a.left(eq);
        const bool flag = spec.flags.contains(name);
        if (!flag && !spec.values.contains(name)) {
            out.error = QStringLiteral("unknown option '%1'").arg(a);
            return out;
        }
        if (out.options.contains(name) && !spec.repeatable.contains(name)) {
            out.error = QStringLiteral("option '%1' given twice").arg(name);
            return out;
        }
        QString value;
        if (flag) {
            if (eq >= 0) {
                out.error = QStringLiteral("%1 takes no value").arg(name);
                return out;
            }
        } else if (eq >= 0) {
            value = a.mid(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args.at(++i);
        } else {
            out.error = QStringLiteral("option '%1' needs a value").arg(name);
            return out;
        }
        out.options.insert(name, value);
        out.given.push_back({name, value});
    }
    return out;
}

int CliNumbers::number(const char *name, int fallback, int low, int high)
{
    const QString key = QString::fromLatin1(name);
    if (!m_args.has(key))
        return fallback;
    const QString value = m_args.text(key);
    if (const std::optional<int> v = parseNumber(value, low, high))
        return *v;
    if (low == INT_MIN && high == INT_MAX)
        fail(QStringLiteral("%1 needs a whole number, not '%2'").arg(key, value));
    else
        fail(QStringLiteral("%1 needs a whole number from %2 to %3, not '%4'").arg(key).arg(low).arg(high).arg(value));
    return fallback;
}

void CliNumbers::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
}

CliPrompt::CliPrompt(const char *command, Messages messages, Answer answer)
    : m_command(command), m_messages(messages), m_answer(std::move(answer))
{
}

void CliPrompt::inform(const QString &text, PromptIcon icon, const QString &)
{
    switch (m_messages) {
    case Messages::Quiet:
        return;
    case Messages::InformationToStandardOutput:
        if (icon == PromptIcon::Information || icon == PromptIcon::None) {
            printOut(text + QLatin1Char('\n'));
            return;
        }
        break;
    case Messages::ToStandardError:
        break;
    }
    complain(m_command, text);
    m_complained = true;
}

PromptAnswer CliPrompt::ask(const QString &, PromptButtons buttons, PromptIcon, const QString &)
{
    return m_answer(buttons);
}

std::optional<ProjectData> loadProject(const char *command, const QString &path)
{
    ProjectReadResult result = readProjectFile(path);
    if (!result.ok()) {
        // The tool speaks English whether or not a language file is near.
        const QString what = result.error.key == QLatin1String("OpenFileError") ? QStringLiteral("cannot open the file")
                                                                                : QStringLiteral("not a project file");
        complain(command, QStringLiteral("%1: %2: %3").arg(path, what, result.error.detail));
        return std::nullopt;
    }
    const ProjectData &d = *result.data;
    if (d.truncated)
        complain(command, QStringLiteral("%1: truncated: only %2 of the %3 frames its header promises are complete")
                              .arg(path)
                              .arg(d.frames.size())
                              .arg(d.declaredFrames));
    return std::move(result.data);
}

// The LED wiring of a ".line" file for a grid of rows x cols (0 x 0: the
// file's own grid). Nothing, with the reason on standard error, when it
// cannot be used.
std::optional<LineFile> loadWiring(const char *command, const QString &path, int rows, int cols)
{
    const LineReadResult line = readLineFile(path);
    if (!line.file) {
        complain(command, QStringLiteral("%1: %2").arg(path, line.error == WiringFileError::CannotOpen
                                                               ? QStringLiteral("cannot be read")
                                                               : QStringLiteral("not a wiring file (too short)")));
        return std::nullopt;
    }
    LineFile file = *line.file;
    if (rows > 0 && (file.rows != rows || file.cols != cols)) {
        complain(command, QStringLiteral("%1 was made for a %2 x %3 grid, the project is %4 x %5")
                              .arg(path).arg(file.rows).arg(file.cols).arg(rows).arg(cols));
        return std::nullopt;
    }
    if (!gridSizeAllowed(file.rows, file.cols)) {
        complain(command, QStringLiteral("%1: a grid of %2 x %3 cannot be made").arg(path).arg(file.rows).arg(file.cols));
        return std::nullopt;
    }
    if (CircuitryKind(file.kind) != CircuitryKind::Led) {
        complain(command, QStringLiteral("%1 is not an LED wiring").arg(path));
        return std::nullopt;
    }
    if (file.content.incomplete())
        complain(command, QStringLiteral("%1: the file ends early; %2 complete records are used")
                              .arg(path).arg(file.content.records.size()));
    if (const int dropped = dropImplausibleRecords(file.content.records, file.rows, file.cols))
        complain(command, QStringLiteral("%1: %2 damaged records skipped").arg(path).arg(dropped));
    return file;
}

Wiring wiringOf(const LineFile &file)
{
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(file.rows, file.cols);
    w.assign(file.content.records);
    return w;
}

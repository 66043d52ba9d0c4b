#include "cli_support.h"

#include "cli_command.h"

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

CliArgs parseCliArgs(const QStringList &args, const QStringList &valueOptions)
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
        if (!valueOptions.contains(name)) {
            out.error = QStringLiteral("unknown option '%1'").arg(a);
            return out;
        }
        if (out.options.contains(name)) {
            out.error = QStringLiteral("option '%1' given twice").arg(name);
            return out;
        }
        if (eq >= 0) {
            out.options.insert(name, a.mid(eq + 1));
        } else if (i + 1 < args.size()) {
            out.options.insert(name, args.at(++i));
        } else {
            out.error = QStringLiteral("option '%1' needs a value").arg(name);
            return out;
        }
    }
    return out;
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

// brightloom-cli: batch use of the project files without the editor.
#include "cli_command.h"
#include "cli_support.h"

#include "settings/language.h"

namespace {

QString toolHelp()
{
    QString text = QStringLiteral("usage: brightloom-cli COMMAND [ARGS...]\n"
                                  "       brightloom-cli COMMAND --help\n"
                                  "\n"
                                  "Commands:\n");
    for (const CliCommand &c : cliCommands())
        text += QStringLiteral("  %1 %2\n").arg(QString::fromUtf8(c.name), -12).arg(QString::fromUtf8(c.summary));
    text += QStringLiteral("\nExit status: 0 done, 1 done on a truncated project, 2 failed.\n");
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    // Messages of the tool are English; the language files may still carry
    // better words for the shared texts.
    Language::setCode(Language::English);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    if (args.isEmpty()) {
        printErr(toolHelp());
        return ExitFailure;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        printOut(toolHelp());
        return ExitOk;
    }
    for (const CliCommand &c : cliCommands())
        if (name == QLatin1String(c.name))
            return c.run(args);

    printErr(QStringLiteral("brightloom-cli: unknown command '%1'\n\n").arg(name));
    printErr(toolHelp());
    return ExitFailure;
}

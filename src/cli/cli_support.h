#pragma once
// What the commands share: output, the one option parser, the one number
// reader, the one Prompt adapter, and loading a project with messages that
// name the file and the reason.

#include "document/project_file.h"
#include "document/wiring.h"
#include "cli_command.h"
#include "settings/prompt.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <climits>
#include <functional>
#include <optional>
#include <vector>

void printOut(const QString &text);
void printErr(const QString &text);

// "brightloom-cli COMMAND: message" on standard error.
void complain(const char *command, const QString &message);
// A complaint about the arguments, followed by the command's usage line.
int usageError(const char *command, const QString &message);

// A whole number from `low` to `high` written in decimal (blanks around it
// allowed); nothing for any other text, a number out of range included
// (also one beyond what an int holds).
std::optional<int> parseNumber(const QString &text, int low = INT_MIN, int high = INT_MAX);
// "N,M,..." with exactly `count` whole numbers, each from `low` to `high`.
std::optional<std::vector<int>> parseNumberList(const QString &text, int count, int low = INT_MIN,
                                                int high = INT_MAX);

// The options a command takes.
struct CliOptionSpec
{
    QStringList values;     // take a value, as "--frame 3" or "--frame=3"
    QStringList flags;      // take none, as "--repair"
    QStringList repeatable; // of those, the ones that may be given more than once
};

struct CliOption
{
    QString name;
    QString value; // empty for a flag
};

struct CliArgs
{
    QStringList positional;
    std::vector<CliOption> given;    // every option in the order given
    QHash<QString, QString> options; // the last value of each option ("--frame" -> "3")
    bool help = false;
    QString error; // empty when the arguments parsed

    bool has(const QString &name) const { return options.contains(name); }
    QString text(const QString &name) const { return options.value(name); }
};

// Splits arguments into positional ones and the options of `spec`.
// "--help" and "-h" ask for help; "--" ends the options; any other "-x", a
// flag given a value, a value option without one, and an option given twice
// that is not repeatable are errors.
CliArgs parseCliArgs(const QStringList &args, const CliOptionSpec &spec = {});



// Reads number options with their ranges and keeps the first problem, so a
// command can read all of them and then report once.
class CliNumbers
{
public:
    explicit CliNumbers(const CliArgs &args) : m_args(args) {}
    // The option's value from `low` to `high`; `fallback` when absent or bad
    // (the problem is kept).
    int number(const char *name, int fallback, int low = INT_MIN, int high = INT_MAX);
    // Keeps `why` unless a problem was kept before.
    void fail(const QString &why);
    const QString &error() const { return m_error; }

private:
    const CliArgs &m_args;
    QString m_error;
};

// The messages and questions of core operations on a terminal. Messages go
// to standard error as complaints (or, with InformationToStandardOutput,
// information and plain messages to standard output; or nowhere with
// Quiet); questions get the answer the command chose; file dialogs are
// cancelled.
class CliPrompt : public Prompt
{
public:
    enum class Messages { ToStandardError, InformationToStandardOutput, Quiet };
    using Answer = std::function<PromptAnswer(PromptButtons)>;

    CliPrompt(const char *command, Messages messages, Answer answer);

    void inform(const QString &text, PromptIcon icon, const QString &title) override;
    PromptAnswer ask(const QString &text, PromptButtons buttons, PromptIcon icon, const QString &title) override;
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &, const QString &) override { return {}; }

    // Something was said on standard error.
    bool complained() const { return m_complained; }

private:
    const char *m_command;
    Messages m_messages;
    Answer m_answer;
    bool m_complained = false;
};

// The help text of a command, from the command table.
QString commandHelp(const char *command);

// Reads a project for `command`. On failure the reason is on standard
// error and nothing is returned. A truncated file is returned with a
// warning on standard error.
std::optional<ProjectData> loadProject(const char *command, const QString &path);

struct LineFile;
// The LED wiring of a ".line" file for a grid of rows x cols (0 x 0: the
// file's own grid), damaged records dropped with a note. Nothing, with the
// reason on standard error, when it cannot be used.
std::optional<LineFile> loadWiring(const char *command, const QString &path, int rows, int cols);
// The wiring of a line file's records, on the file's grid.
Wiring wiringOf(const LineFile &file);

// A parse error ends the command with the usage message, --help with the
// command's help; otherwise the command goes on (nothing returned). For any
// parsed arguments with `error` and `help`.
template <typename Args> std::optional<int> endsAtParse(const Args &args, const char *command)
{
    if (!args.error.isEmpty())
        return usageError(command, args.error);
    if (args.help) {
        printOut(commandHelp(command));
        return int(ExitOk);
    }
    return std::nullopt;
}

#pragma once
// What the commands share: output, argument parsing and loading a project
// with messages that name the file and the reason.

#include "document/project_file.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

void printOut(const QString &text);
void printErr(const QString &text);

// "brightloom-cli COMMAND: message" on standard error.
void complain(const char *command, const QString &message);
// A complaint about the arguments, followed by the command's usage line.
int usageError(const char *command, const QString &message);

struct CliArgs
{
    QStringList positional;
    QHash<QString, QString> options; // "--frame" -> "3"
    bool help = false;
    QString error; // empty when the arguments parsed
};

// Splits arguments into positional ones and the options of `valueOptions`
// (each takes a value, as "--frame 3" or "--frame=3"). "--help" and "-h"
// ask for help; "--" ends the options; any other "-x" is an error.
CliArgs parseCliArgs(const QStringList &args, const QStringList &valueOptions = {});

// The help text of a command, from the command table.
QString commandHelp(const char *command);

// Reads a project for `command`. On failure the reason is on standard
// error and nothing is returned. A truncated file is returned with a
// warning on standard error.
std::optional<ProjectData> loadProject(const char *command, const QString &path);

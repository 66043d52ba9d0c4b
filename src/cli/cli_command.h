#pragma once
// The commands of brightloom-cli. Each command lives in its own file and
// has one line in the table of cli_commands.cpp; main() only dispatches.

#include <QString>
#include <QStringList>
#include <span>

// Exit codes shared by every command.
enum CliExit : int {
    ExitOk = 0,
    // The work was done, but the input project ended before the frames its
    // header promised; only its complete frames were used.
    ExitTruncated = 1,
    // Nothing was done: bad arguments, or a file missing, unreadable, not a
    // project, or not writable.
    ExitFailure = 2,
    // send and update-program: the port could not be opened, or the
    // controller did not answer or take a packet.
    ExitTransferFailed = 1,
};

struct CliCommand
{
    const char *name;
    const char *summary; // one line for the tool's own help
    const char *help;    // the command's --help text, usage line first
    int (*run)(const QStringList &args);
};

std::span<const CliCommand> cliCommands();

// The commands, one per file.
int runInfo(const QStringList &args);
int runConvert(const QStringList &args);
int runExportPng(const QStringList &args);
int runTransform(const QStringList &args);
int runWire(const QStringList &args);
int runCheckWiring(const QStringList &args);
int runGenerate(const QStringList &args);
int runMakeLed(const QStringList &args);
int runSend(const QStringList &args);
int runUpdateProgram(const QStringList &args);
int runExportFseq(const QStringList &args);
int runImportFseq(const QStringList &args);
int runUsbPayload(const QStringList &args);
int runImportVideo(const QStringList &args);
int runExportVideo(const QStringList &args);
int runStream(const QStringList &args);

// The header of an FSEQ sequence as one JSON object (info on a file that
// starts with "PSEQ").
int printFseqInfo(const QString &path);

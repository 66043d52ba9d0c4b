#pragma once
// Reading files the user names (projects, wiring, palettes, parameter and
// language files) and reporting failed saves.
//
// Only regular files are read. A folder, a character or block device
// (/dev/zero never ends), a FIFO (opening one with no writer waits for
// ever) or a socket is refused before anything is read, and a read never
// takes more than the file held when it was opened.

#include <QByteArray>
#include <QString>
#include <limits>

class QFile;
class QFileDevice;

// Opens `path` read-only when it is a regular file. The kind of file is
// checked on the opened handle (opened without waiting), so a FIFO put in
// the file's place after a check cannot block the editor. On failure the
// file stays closed and `reason` names the cause in the system's words
// ("No such file or directory", "Permission denied", "it is a character
// device, not a file").
bool openRegularFile(QFile &file, const QString &path, QString *reason = nullptr);

struct FileBytes
{
    QByteArray bytes;
    QString error; // why the file could not be read; empty when it was
    qint64 fileSize = 0; // the file's size when it was opened
    bool ok() const { return error.isEmpty(); }
};

// The first `limit` bytes of a regular file (the whole file when it is
// smaller). Memory is bounded by the file's size, never by what a device
// could go on producing.
FileBytes readRegularFile(const QString &path, qint64 limit = std::numeric_limits<qint64>::max());

// Why an operation on `file` just failed, in the system's words: Qt's own
// text, or, where Qt has only "Unknown error" (a write refused by a full
// disk or a file size limit), the system's text for the error. Call it
// right after the failing call.
QString fileFailureReason(const QFileDevice &file);

// A failed save's message: the described text, then the reason the system
// gave (for example "Permission denied") on its own line.
QString withSystemReason(const QString &text, const QString &reason);

// A save killed in the instant between QSaveFile naming its finished
// temporary file "<name>.XXXXXX" (six letters) and renaming it over <name>
// leaves that copy beside the file; the file itself still holds what it
// held before. Before the next save of `path` such copies are removed:
// regular files of exactly that name form whose first bytes are `header`,
// the writer's own file header, so another program's files are never
// touched. Returns how many were removed.
int removeKilledSaveLeftovers(const QString &path, const QByteArray &header);

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

// A save that replaces a file the user may lose writes the whole new file
// first, under a hidden name of the editor's own beside it
// (".<name>.brightloom-save"), and then moves it over the file in one
// rename. Killed at any moment it leaves the old file or the new one, and
// at worst that hidden copy, which the next save of the file replaces.
// (QSaveFile alone names its finished copy "<name>.XXXXXX" for its last
// rename, and a copy a killed save left that way cannot be told safely
// from a user's own "show.wst.backup".)
struct StagedSave
{
    QString target; // the file that really changes: a link's target
    QString staging; // the hidden file written first
};
StagedSave stagedSaveFor(const QString &path);

// Moves the finished staging file over the target, giving it the target's
// permissions when the target exists. On failure the staging file is
// removed, the target is untouched and `reason` says why.
bool replaceWithStaged(const StagedSave &save, QString *reason);

#pragma once
// Reading files the user names (projects, wiring, palettes, parameter and
// language files) and reporting failed saves.
//
// Only regular files are read. A folder, a character or block device
// (/dev/zero never ends), a FIFO (opening one with no writer waits for
// ever) or a socket is refused before anything is read, and a read never
// takes more than the file held when it was opened.

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <functional>
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
//
// A power cut must leave the old file or the whole new one too: the new
// file reaches the disk before the rename, and the folder, which holds the
// rename, right after it. Both waits happen once per save, at the commit,
// never per write.
//
// Saving through a link changes the file it points to, as an editor that
// writes in place would; the link stays a link. The new file gets the old
// one's permissions. A failed or cancelled save leaves the old file as it
// was and removes the hidden copy.
class StagedSaveFile
{
public:
    StagedSaveFile() = default;
    explicit StagedSaveFile(const QString &path) { setFileName(path); }
    StagedSaveFile(const StagedSaveFile &) = delete;
    StagedSaveFile &operator=(const StagedSaveFile &) = delete;

    void setFileName(const QString &path);
    // The file that really changes (a link's target) and the hidden copy.
    const QString &target() const { return m_target; }
    const QString &stagingPath() const { return m_staging; }

    // Removes a copy an earlier killed save left and opens a new one.
    bool open();
    // Where the new contents go, for writers that need the device itself.
    QSaveFile &device() { return m_file; }
    bool isOpen() const { return m_file.isOpen(); }
    // Writes all of `bytes`; false (and the reason kept) when it could not.
    bool write(const char *bytes, qint64 size);
    bool write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }
    // Finishes the copy and moves it over the target. With
    // FolderSync::Later the caller syncs the target's folder itself
    // (syncSavedFolder), once for many files saved together.
    enum class FolderSync { Now, Later };
    bool commit(FolderSync folder = FolderSync::Now);
    // Drops what was written; the target stays as it was.
    void cancel();

    // Why the last step failed, in the system's words; asks the device
    // when the failure happened outside this class (a writer that wrote
    // to device() itself), so call it right after the failure.
    QString failureReason() const;

private:
    bool fail(const QString &reason);

    QSaveFile m_file;
    QString m_target;
    QString m_staging;
    QString m_reason;
};

// Makes the renames of saves committed with FolderSync::Later into `folder`
// outlive a power cut. Returns why it could not, in the system's words, or
// an empty text.
QString syncSavedFolder(const QString &folder);

// What a save waits on to reach the disk: the saved file's handle before
// its rename, then its folder's handle after it. Returns 0, or -1 with
// errno set, as fsync(2) does.
enum class DiskSyncPoint { File, Folder };
using DiskSync = std::function<int(int handle, DiskSyncPoint point)>;

// Puts `sync` in place of fsync(2) for every later save (an empty one puts
// fsync back) and returns what was in place. For tests, which count the
// waits or make them fail.
DiskSync replaceDiskSync(DiskSync sync);

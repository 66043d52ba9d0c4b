#include "settings/file_access.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QString notAFile(mode_t mode)
{
    const char *kind = S_ISDIR(mode)    ? "a folder"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISFIFO(mode) ? "a FIFO (named pipe)"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "not an ordinary file";
    return QStringLiteral("It is %1, not a file.").arg(QLatin1String(kind));
}

bool fail(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

DiskSync &diskSync()
{
    static DiskSync sync;
    return sync;
}

int syncToDisk(int handle, DiskSyncPoint point)
{
    if (const DiskSync &sync = diskSync())
        return sync(handle, point);
    int r;
    do
        r = ::fsync(handle);
    while (r != 0 && errno == EINTR);
    return r;
}


// QSaveFile writes a file nobody can see yet and links it under the hidden
// name at the commit. Where the filesystem cannot (FAT and exFAT cards,
// network shares), it writes ".<name>.brightloom-save.XXXXXX" instead, six
// letters, digits, '-' or '_', which a save killed before its commit
// leaves behind. Only such a copy is removed: a plain file of this user,
// exactly that name, unchanged for a few seconds before this save began
// (FAT keeps times to two seconds), so that a save another window of the
// editor is still writing is left alone.
void removeKilledSaveLeftovers(const QString &staging)
{
    const QFileInfo info(staging);
    const QString prefix = info.fileName() + QLatin1Char('.');
    const std::time_t settled = std::time(nullptr) - 5;
    const auto randomChar = [](QChar c) {
        return (c.unicode() < 128 && c.isLetterOrNumber()) || c == QLatin1Char('-') || c == QLatin1Char('_');
    };
    QDirIterator it(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        if (name.size() != prefix.size() + 6 || !name.startsWith(prefix)
            || !std::all_of(name.cbegin() + prefix.size(), name.cend(), randomChar))
            continue;
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == ::geteuid() && st.st_mtime < settled)
            QFile::remove(path);
    }
}

} // namespace

bool openRegularFile(QFile &file, const QString &path, QString *reason)
{
    if (path.isEmpty())
        return fail(reason, systemError(ENOENT));
    // O_NONBLOCK: opening a FIFO that nobody writes to returns at once
    // instead of waiting; the handle is refused right after.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(reason, systemError(errno));
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(reason, systemError(code));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(reason, notAFile(st.st_mode));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(reason, file.errorString());
    }
    return true;
}

FileBytes readRegularFile(const QString &path, qint64 limit)
{
    FileBytes out;
    QFile file;
    if (!openRegularFile(file, path, &out.error)) {
        if (out.error.isEmpty())
            out.error = QStringLiteral("The file cannot be opened.");
        return out;
    }
    out.fileSize = file.size();
    const qint64 want = std::max<qint64>(0, std::min(limit, out.fileSize));
    out.bytes = file.read(want);
    if (file.error() != QFileDevice::NoError) {
        out.error = file.errorString();
        out.bytes.clear();
    }
    return out;
}

QString fileFailureReason(const QFileDevice &file)
{
    const int code = errno;
    const QString qtReason = file.errorString();
    if ((qtReason.isEmpty() || qtReason == QLatin1String("Unknown error")) && code != 0)
        return systemError(code);
    return qtReason;
}

QString withSystemReason(const QString &text, const QString &reason)
{
    if (reason.isEmpty())
        return text;
    return text + QLatin1Char('\n') + reason;
}

void StagedSaveFile::setFileName(const QString &path)
{
    QFileInfo info(path);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        info = QFileInfo(resolved.isEmpty() ? info.symLinkTarget() : resolved);
    }
    m_target = info.absoluteFilePath();
    m_staging = info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".brightloom-save"));
    m_file.setFileName(m_staging);
    m_reason.clear();
}

bool StagedSaveFile::open()
{
    m_reason.clear();
    // QSaveFile links a name that does not exist yet in one step, so the
    // copy is never seen half-named.
    QFile::remove(m_staging);
    removeKilledSaveLeftovers(m_staging);
    if (!m_file.open(QIODevice::WriteOnly)) {
        m_reason = fileFailureReason(m_file);
        return false;
    }
    return true;
}

bool StagedSaveFile::write(const char *bytes, qint64 size)
{
    if (m_file.write(bytes, size) == size)
        return true;
    m_reason = fileFailureReason(m_file);
    return false;
}

bool StagedSaveFile::fail(const QString &reason)
{
    m_reason = reason;
    cancel();
    return false;
}

bool StagedSaveFile::commit(FolderSync folder)
{
    if (!m_file.isOpen())
        return m_file.commit(); // false, with Qt's reason
    // What is still buffered goes out first, so a full disk shows here.
    if (!m_file.flush())
        return fail(m_reason.isEmpty() ? fileFailureReason(m_file) : m_reason);
    // The permissions go on the open copy, so its sync carries them too.
    const QFileInfo old(m_target);
    if (old.exists())
        m_file.setPermissions(old.permissions());
    if (syncToDisk(m_file.handle(), DiskSyncPoint::File) != 0)
        return fail(systemError(errno));
    if (!m_file.commit()) {
        if (m_reason.isEmpty())
            m_reason = fileFailureReason(m_file);
        return false;
    }
    // rename(2) replaces the target in one step; QFile::rename would refuse
    // an existing target.
    if (::rename(QFile::encodeName(m_staging).constData(), QFile::encodeName(m_target).constData()) != 0) {
        m_reason = systemError(errno);
        QFile::remove(m_staging);
        return false;
    }
    // The file now has the new contents; a folder that could not be synced
    // is still reported, as the rename may not outlive a power cut.
    if (folder == FolderSync::Later)
        return true;
    m_reason = syncSavedFolder(QFileInfo(m_target).absolutePath());
    return m_reason.isEmpty();
}

void StagedSaveFile::cancel()
{
    if (!m_file.isOpen())
        return;
    // cancelWriting only marks the copy; the commit then drops it.
    m_file.cancelWriting();
    m_file.commit();
}

// A filesystem that cannot sync a folder (some network and FUSE ones) says
// EINVAL: nothing more can be done there, and the save stands.
QString syncSavedFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return systemError(errno);
    const int code = syncToDisk(fd, DiskSyncPoint::Folder) == 0 ? 0 : errno;
    ::close(fd);
    return code == 0 || code == EINVAL || code == ENOTSUP ? QString() : systemError(code);
}

DiskSync replaceDiskSync(DiskSync sync)
{
    return std::exchange(diskSync(), std::move(sync));
}

QString StagedSaveFile::failureReason() const
{
    return m_reason.isEmpty() ? fileFailureReason(m_file) : m_reason;
}

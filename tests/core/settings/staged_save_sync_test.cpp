// A save must outlive a power cut: the new file reaches the disk before it
// is renamed over the old one, and the folder holding the rename right
// after. A wait that fails is a failed save, told in the system's words.
#include "disk_sync_test_support.h"
#include "qstring_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace {

struct SyncedSave
{
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("show.wst"));
    RecordedDiskSync sync;
    size_t syncsWhileWriting = 0;
    QString reason;

    SyncedSave() { QFile f(target); f.open(QIODevice::WriteOnly) && f.write("old contents"); }
    QByteArray targetBytes() const { QFile f(target); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }
    bool save()
    {
        StagedSaveFile file(target);
        const bool written = file.open() && file.write(QByteArray("new ")) && file.write(QByteArray("contents"));
        syncsWhileWriting = sync.points.size();
        const bool ok = written && file.commit();
        reason = file.failureReason();
        return ok;
    }
};

TEST(StagedSaveSync, FileIsSyncedWholeBeforeItsRenameAndTheFolderAfterIt)
{
    SyncedSave s;
    QByteArray atFileSync, atFolderSync;
    struct stat synced{};
    s.sync.onSync = [&](int handle, DiskSyncPoint point) {
        (point == DiskSyncPoint::File ? atFileSync : atFolderSync) = s.targetBytes();
        if (point == DiskSyncPoint::File)
            ::fstat(handle, &synced);
    };
    ASSERT_TRUE(s.save());
    EXPECT_EQ(s.syncsWhileWriting, 0u) << "no wait for the disk per write";
    EXPECT_EQ(s.sync.points, (std::vector<DiskSyncPoint>{DiskSyncPoint::File, DiskSyncPoint::Folder}));
    EXPECT_EQ(synced.st_size, off_t(qstrlen("new contents"))) << "all that was written is on the handle synced";
    EXPECT_EQ(atFileSync, QByteArray("old contents"));
    EXPECT_EQ(atFolderSync, QByteArray("new contents"));
}

TEST(StagedSaveSync, FailedWaitFailsTheSaveAndAFailedFileWaitKeepsTheOldFile)
{
    SyncedSave s;
    const QString ioError = QString::fromLocal8Bit(std::strerror(EIO));
    s.sync.failAt = DiskSyncPoint::File;
    EXPECT_FALSE(s.save());
    EXPECT_EQ(s.reason, ioError);
    EXPECT_EQ(s.targetBytes(), QByteArray("old contents"));
    EXPECT_EQ(QDir(s.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("show.wst")});

    s.sync.failAt = DiskSyncPoint::Folder; // after the rename: the file is new, but may not outlive a power cut
    EXPECT_FALSE(s.save());
    EXPECT_EQ(s.reason, ioError);
    s.sync.failCode = EINVAL; // a filesystem that cannot sync folders
    EXPECT_TRUE(s.save());
}

} // namespace

// On a card or share where the copy must be named while it is written, a
// killed save leaves ".<name>.brightloom-save.XXXXXX". The next save of the
// same file removes such a copy once it has stopped changing, and nothing
// that only looks like one.
#include "settings/file_access.h"
#include "qstring_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// The entry (a link itself, not what it points to) last changed `age` seconds ago.
bool agedEntry(const QString &path, int age)
{
    timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= age;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

TEST(StagedSaveLeftovers, NextSaveRemovesOnlyItsOwnSettledNamedCopies)
{
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString copy = QStringLiteral(".show.wst.brightloom-save.");
    QStringList kept{copy + QStringLiteral("Zz9Zz9"), // changed just now: another save may still write it
                     copy + QStringLiteral("Ab3zz"), copy + QStringLiteral("Ab3zzzz"), copy + QStringLiteral("Ab3z.z"),
                     copy.mid(1) + QStringLiteral("Ab3zzz"), QStringLiteral(".other.wst.brightloom-save.Ab3zzz"),
                     QStringLiteral("show.wst.AbCdEf")};
    const QStringList planted = QStringList(kept) << copy + QStringLiteral("Ab3_-z"); // the one a save removes
    for (const QString &name : planted) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("half a sa") == 9);
        f.close();
        ASSERT_TRUE(agedEntry(f.fileName(), name.contains(QLatin1String("Zz9")) ? 0 : 3600));
    }
    // A link and a folder by a copy's name are not copies.
    kept << copy + QStringLiteral("Lnk123") << copy + QStringLiteral("Dir123") << QStringLiteral("show.wst");
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("show.wst.AbCdEf")), dir.filePath(kept[7])));
    ASSERT_TRUE(dir.mkdir(kept[8]));
    ASSERT_TRUE(agedEntry(dir.filePath(kept[7]), 3600) && agedEntry(dir.filePath(kept[8]), 3600));

    StagedSaveFile file(dir.filePath(QStringLiteral("show.wst")));
    ASSERT_TRUE(file.open() && file.write(QByteArray("whole")) && file.commit());
    QStringList listing = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    listing.sort();
    kept.sort();
    EXPECT_EQ(listing, kept);
}

} // namespace

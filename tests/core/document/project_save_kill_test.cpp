// A save killed at any moment (the power cut, the OOM killer, a kill -9)
// leaves the project file either as it was or wholly new, byte for byte,
// and leaves nothing else beside it. A child process saves a project of a
// few megabytes over an older one through the real writer and is killed
// with SIGKILL after a random delay spread over the time a save takes.
//
// The writer puts the whole new file under a hidden name of its own beside
// the project and renames it over the project: a kill between the two
// leaves that finished copy, which the next save replaces; the listing of
// the folder after each kill, saved over again, holds it to that.
#include "child_process.h"
#include "document/frame_sequence.h"
#include "document/project_file.h"
#include "project_test_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <signal.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray killedSaveBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

FrameSequence killedSaveFrames(int count, size_t points, uint32_t seed)
{
    FrameSequence frames;
    frames.assign(testfiles::seededFrames(count, points, seed), 0);
    return frames;
}

TEST(KilledSave, LeavesTheOldOrTheWholeNewFileAndNoTemporaryFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("show.wst"));

    // 64 x 64 points: 12 KB a frame. The old project has 128 frames
    // (1.5 MB), the new one 192 (2.25 MB).
    GridGeometry g;
    g.rows = 64;
    g.cols = 64;
    const size_t points = size_t(g.pointCount());
    const FrameSequence oldFrames = killedSaveFrames(128, points, 1);
    const FrameSequence newFrames = killedSaveFrames(192, points, 2);
    const QByteArray oldBytes = projectBytes(g, oldFrames);
    const QByteArray newBytes = projectBytes(g, newFrames);
    ASSERT_NE(oldBytes.size(), newBytes.size());

    // A save in a child process. The child says on a pipe when it starts
    // and when it has saved: starting a process of this size takes about as
    // long as the save, so the kills are timed from the start of the save.
    struct Saving
    {
        pid_t pid = -1;
        int said = -1; // the pipe's reading end
        bool next(char expected) const
        {
            char c = 0;
            return ::read(said, &c, 1) == 1 && c == expected;
        }
    };
    const auto startSaving = [&] {
        Saving s;
        int fds[2];
        if (pipe(fds) != 0)
            return s;
        s.pid = startChild([&] {
            ::close(fds[0]);
            (void)!::write(fds[1], "s", 1);
            const bool saved = writeProjectFile(target, g, newFrames);
            (void)!::write(fds[1], "d", 1);
            return saved ? 0 : 1;
        });
        ::close(fds[1]);
        s.said = fds[0];
        if (!s.next('s'))
            s.pid = -1;
        return s;
    };
    // How long a save takes there: the middle one of three (the machine
    // may be busy with other work now and then).
    ASSERT_TRUE(writeProjectFile(target, g, oldFrames));
    std::vector<qint64> timings;
    for (int i = 0; i < 3; ++i) {
        const Saving s = startSaving();
        ASSERT_GT(s.pid, 0);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(s.next('d'));
        timings.push_back(clock.nsecsElapsed() / 1000);
        const ChildOutcome timed = waitForChild(s.pid);
        ::close(s.said);
        ASSERT_TRUE(timed.normal()) << timed.describe();
    }
    std::sort(timings.begin(), timings.end());
    const qint64 saveMicros = std::max<qint64>(timings[1], 1000);
    ASSERT_EQ(killedSaveBytes(target), newBytes);

    const unsigned seed = qEnvironmentVariableIsSet("BRIGHTLOOM_KILL_SEED")
                              ? qgetenv("BRIGHTLOOM_KILL_SEED").toUInt()
                              : std::random_device{}();
    std::printf("killed saves: seed %u (BRIGHTLOOM_KILL_SEED repeats it), one save takes %lld us\n", seed,
                (long long)saveMicros);
    std::mt19937 rng(seed);
    // Up to 1.1 times a save: a few kills land after it ended.
    std::uniform_int_distribution<qint64> delay(0, saveMicros * 11 / 10);

    int keptOld = 0, wholeNew = 0, finished = 0, leftovers = 0;
    constexpr int kKills = 100;
    for (int k = 0; k < kKills; ++k) {
        {
            QFile old(target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(oldBytes) == oldBytes.size()) << "kill " << k;
        }
        const qint64 wait = delay(rng);
        const Saving saving = startSaving();
        ASSERT_GT(saving.pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(wait));
        ::kill(saving.pid, SIGKILL);
        const ChildOutcome out = waitForChild(saving.pid);
        ::close(saving.said);
        finished += out.normal();
        ASSERT_TRUE(out.normal() || out.signal == SIGKILL) << "kill " << k << ": " << out.describe();

        const QByteArray now = killedSaveBytes(target);
        if (now == oldBytes)
            ++keptOld;
        else if (now == newBytes)
            ++wholeNew;
        else
            FAIL() << "kill " << k << " after " << wait << " us left " << now.size() << " bytes that are neither file (seed "
                   << seed << ")";
        // What a kill left beside the project is gone once it is saved
        // again (the next kill's old file is written by hand, not saved).
        if (QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() > 1) {
            ++leftovers;
            ASSERT_TRUE(writeProjectFile(target, g, oldFrames)) << "kill " << k;
        }
        const QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        ASSERT_EQ(left, QStringList{QStringLiteral("show.wst")})
            << "kill " << k << " after " << wait << " us (seed " << seed << ")";
    }
    std::printf("killed saves: %d kills, %d left the old file, %d the new one (%d of them after the save ended), "
                "%d a finished copy beside it\n",
                kKills, keptOld, wholeNew, finished, leftovers);
    EXPECT_EQ(keptOld + wholeNew, kKills);
    // The delays spread over the save: some kills caught it half done.
    EXPECT_GT(keptOld, 0);
}

void writeKilledSaveFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << path.toStdString();
}

TEST(KilledSave, TheNextSaveReplacesWhatAKilledSaveLeftAndNoOtherFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir folder(dir.path());
    GridGeometry g;
    g.rows = 2;
    g.cols = 3;
    const FrameSequence frames = killedSaveFrames(2, 6, 9);
    const QByteArray project = projectBytes(g, frames);
    const QString target = folder.filePath(QStringLiteral("show [1].wst"));
    writeKilledSaveFile(target, projectBytes(g, killedSaveFrames(1, 6, 3)));
    ASSERT_TRUE(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));

    // The hidden copy a killed save left, cut short here.
    writeKilledSaveFile(folder.filePath(QStringLiteral(".show [1].wst.brightloom-save")), project.left(12));
    // The user's own copies, whatever their names look like, stay.
    const QStringList kept = {QStringLiteral("show [1].wst.backup"), QStringLiteral("show [1].wst.TlSWVr"),
                              QStringLiteral("show [1].wst.bak"), QStringLiteral("other.wst.brightloom-save")};
    for (const QString &name : kept)
        writeKilledSaveFile(folder.filePath(name), project);

    ASSERT_TRUE(writeProjectFile(target, g, frames));
    QStringList expected = kept;
    expected << QStringLiteral("show [1].wst");
    expected.sort();
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    EXPECT_EQ(killedSaveBytes(target), project);
    // A project only its owner could read stays so.
    EXPECT_EQ(QFile::permissions(target) & QFileDevice::Permissions(0x7077), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // Saving through a link changes the file it points to; the link stays.
    const QString link = folder.filePath(QStringLiteral("linked.wst"));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(writeProjectFile(link, g, killedSaveFrames(3, 6, 5)));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(killedSaveBytes(target), projectBytes(g, killedSaveFrames(3, 6, 5)));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral(".show [1].wst.brightloom-save"))));
}

} // namespace


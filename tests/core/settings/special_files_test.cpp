// Every reader of outside files is given things that are not files: an
// endless device, a FIFO nobody writes to, a folder. Each must refuse at
// once with its open-failure result, without reading or waiting.
#include "document/project_file.h"
#include "links/parameter_file.h"
#include "palette/colour_pad_file.h"
#include "palette/palette_file.h"
#include "palette/palette_state.h"
#include "settings/file_access.h"
#include "settings/profile_file.h"
#include "wiring/wiring_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Each reader, and whether what it returned is its open failure.
struct Reader
{
    const char *name;
    std::function<bool(const QString &path)> refuses;
};

const Reader kReaders[] = {
    {"project", [](const QString &p) {
         const ProjectReadResult r = readProjectFile(p);
         return !r.ok() && r.error.key == QLatin1String("OpenFileError");
     }},
    {"line", [](const QString &p) { return readLineFile(p).error == WiringFileError::CannotOpen; }},
    {"undo", [](const QString &p) { return readUndoFile(p).error == WiringFileError::CannotOpen; }},
    {"palette", [](const QString &p) { return readPaletteFile(p, 1).error == PaletteFileRead::CannotOpen; }},
    {"colour pad", [](const QString &p) { return loadColourPad(p) == PaletteState::fallbackColours(); }},
    {"parameter", [](const QString &p) {
         const ParameterFileResult r = readParameterFile(p);
         return r.kind == ParameterFileResult::Failed && r.message == QLatin1String("Open file fail.");
     }},
    {"profile", [](const QString &p) {
         ProfileFile::LoadStatus status = ProfileFile::LoadStatus::Loaded;
         ProfileFile::load(p, &status);
         return status == ProfileFile::LoadStatus::Unreadable;
     }},
};

class SpecialFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        fifo = dir.filePath(QStringLiteral("pipe"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    }

    // Runs `refuses` on the FIFO. A reader that opened it the plain way
    // would wait for a writer for ever: after a few seconds the test opens
    // the writing end itself to let it go, and counts the wait as a failure.
    bool refusesFifoAtOnce(const std::function<bool(const QString &)> &refuses)
    {
        std::future<bool> done = std::async(std::launch::async, [&] { return refuses(fifo); });
        if (done.wait_for(5s) == std::future_status::ready)
            return done.get();
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        done.wait();
        return false;
    }

    QTemporaryDir dir;
    QString fifo;
};

TEST_F(SpecialFiles, EveryReaderRefusesADeviceAFifoAndAFolder)
{
    for (const Reader &r : kReaders) {
        EXPECT_TRUE(r.refuses(QStringLiteral("/dev/zero"))) << r.name << ": /dev/zero";
        EXPECT_TRUE(refusesFifoAtOnce(r.refuses)) << r.name << ": FIFO";
        EXPECT_TRUE(r.refuses(dir.path())) << r.name << ": folder";
    }
}

TEST_F(SpecialFiles, TheOpenFailureSaysWhatTheFileIs)
{
    QFile file;
    QString reason;
    EXPECT_FALSE(openRegularFile(file, QStringLiteral("/dev/zero"), &reason));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(reason, QStringLiteral("It is a character device, not a file."));
    EXPECT_FALSE(openRegularFile(file, fifo, &reason));
    EXPECT_EQ(reason, QStringLiteral("It is a FIFO (named pipe), not a file."));
    EXPECT_FALSE(openRegularFile(file, dir.path(), &reason));
    EXPECT_EQ(reason, QStringLiteral("It is a folder, not a file."));
    EXPECT_FALSE(openRegularFile(file, dir.filePath(QStringLiteral("none.wst")), &reason));
    EXPECT_EQ(reason, QStringLiteral("No such file or directory"));

    // The project reader passes the reason on as the message's detail.
    const ProjectReadResult r = readProjectFile(QStringLiteral("/dev/zero"));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error.detail, QStringLiteral("It is a character device, not a file."));
}

TEST_F(SpecialFiles, ARegularFileIsReadUpToItsSizeOrTheLimit)
{
    const QString path = dir.filePath(QStringLiteral("ten.bin"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("0123456789");
    out.close();

    FileBytes whole = readRegularFile(path);
    ASSERT_TRUE(whole.ok()) << whole.error.toStdString();
    EXPECT_EQ(whole.bytes, QByteArray("0123456789"));
    EXPECT_EQ(whole.fileSize, 10);
    FileBytes head = readRegularFile(path, 4);
    EXPECT_EQ(head.bytes, QByteArray("0123"));
    EXPECT_EQ(head.fileSize, 10);

    // A symbolic link to a regular file is that file; to a device, it is not.
    const QString toFile = dir.filePath(QStringLiteral("link.bin"));
    const QString toDevice = dir.filePath(QStringLiteral("zero.bin"));
    ASSERT_TRUE(QFile::link(path, toFile));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), toDevice));
    EXPECT_EQ(readRegularFile(toFile).bytes, QByteArray("0123456789"));
    EXPECT_FALSE(readRegularFile(toDevice).ok());
}

TEST(SaveFailureText, TheSystemReasonFollowsOnItsOwnLine)
{
    EXPECT_EQ(withSystemReason(QStringLiteral("Save file fail."), QStringLiteral("Permission denied")),
              QStringLiteral("Save file fail.\nPermission denied"));
    EXPECT_EQ(withSystemReason(QStringLiteral("Save file fail."), QString()), QStringLiteral("Save file fail."));
}

} // namespace

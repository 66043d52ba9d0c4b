// Every file the editor saves over one the user already has goes through
// the same hidden copy and one rename: a save leaves nothing else in the
// folder, the file keeps its permissions, a link stays a link and the file
// it points to changes, a hidden copy a killed save left behind is
// replaced by the next save, and the save waits for the disk before and
// after its rename. The same table runs for every writer, so a
// writer that goes back to writing its own way is caught here.
#include "capture/video_file.h"
#include "document/frame.h"
#include "document/project_file.h"
#include "document/wiring.h"
#include "links/controller_params.h"
#include "links/parameter_file.h"
#include "output/port_data_files.h"
#include "output/fseq/fseq_channel_map.h"
#include "output/fseq/fseq_sequence.h"
#include "palette/palette_file.h"
#include "settings/profile_file.h"
#include "wiring/wiring_files.h"
#include "disk_sync_test_support.h"
#include "scripted_prompt.h"
#include "wired_grid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// One writer: the file name it saves and a save of one of two different
// contents (0 the old file, 1 the new one). Bytes [varyFrom, varyTo) change
// from one save to the next (an FSEQ file's id is the time of the save).
struct StagedWriter
{
    const char *name;
    const char *fileName;
    std::function<bool(const QString &path, int version)> save;
    int varyFrom = 0;
    int varyTo = 0;
};

bool saveProjectVersion(const QString &path, int version)
{
    GridGeometry g;
    g.rows = 3;
    g.cols = 4;
    FrameSequence frames;
    frames.assign(std::vector<Frame>(size_t(2 + version), Frame(size_t(g.pointCount()), ColorValue(0x102030 + version))),
                  0);
    return writeProjectFile(path, g, frames);
}

bool saveVideoVersion(const QString &path, int version)
{
    VideoWriter writer;
    if (!writer.open(path, 16, 8, 10))
        return false;
    QImage picture(16, 8, QImage::Format_RGB32);
    for (int i = 0; i < 2 + version; ++i) {
        picture.fill(version == 0 ? Qt::red : Qt::blue);
        if (!writer.write(picture))
            return false;
    }
    return writer.finish();
}

bool saveFseqVersion(const QString &path, int version)
{
    const std::vector<Frame> frames(size_t(3 + version), Frame(4, ColorValue(0x404040 * (version + 1))));
    FseqExportOptions options;
    const FseqExportResult r = exportFseqFile(
        path, int(frames.size()), [&](int i) -> const Frame & { return frames[size_t(i)]; },
        FseqChannelMap::fromGrid(2, 2, {}), options);
    return r.ok;
}

// The first port's file of a controller card: "show_01.led" is what
// choosing "show.led" writes for port 0.
bool savePortFileVersion(const QString &path, int version)
{
    PortRuns runs;
    runs.pointsPerPort = 4;
    const auto doc = makeWiredDocument(1, 4, 2 + version, runs, [](int frame, int point) {
        return ColorValue(0x010203 * unsigned(frame + point + 1));
    });
    ControllerParams params = ControllerParams::initial(3);
    PortDataRequest request;
    request.toFrame = doc->frameCount();
    request.chosenPath = path.chopped(int(qstrlen("_01.led"))) + QStringLiteral(".led");
    ScriptedPrompt prompt;
    return writePortDataFiles(*doc, params, request, prompt) == PortDataResult::Written;
}

std::vector<StagedWriter> stagedWriters()
{
    return {
        {"project", "show.wst", saveProjectVersion},
        {"line", "show.line",
         [](const QString &path, int version) {
             WiringPixel p;
             p.port = version;
             return writeLineFile(path, 2, 2, 0, std::vector<WiringPixel>(size_t(1 + version), p));
         }},
        {"undo", "show.undo",
         [](const QString &path, int version) {
             return writeUndoFile(path, std::vector<WiringPixel>(size_t(1 + version)));
         }},
        {"palette", "warm.col",
         [](const QString &path, int version) {
             return writePaletteFile(path, std::vector<ColorValue>(size_t(4 + version), 0x112233), version);
         }},
        {"parameters", "kv.zari",
         [](const QString &path, int version) {
             ControllerParams params;
             params.cycle = 5 + version;
             return writeParameterFile(path, params);
         }},
        {"profile", "brightloom.ini",
         [](const QString &path, int version) {
             return ProfileFile::fromBytes(QByteArray("[Main]\nRows=") + QByteArray::number(10 + version) + "\n")
                 .save(path);
         }},
        {"fseq", "show.fseq", saveFseqVersion, 24, 32},
        {"video", "show.avi", saveVideoVersion},
        {"portData", "show_01.led", savePortFileVersion},
    };
}

QByteArray stagedBytes(const QString &path, const StagedWriter &writer)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    QByteArray bytes = f.readAll();
    for (int i = writer.varyFrom; i < writer.varyTo && i < bytes.size(); ++i)
        bytes[i] = 0;
    return bytes;
}

QStringList stagedListing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

class StagedSaveWriters : public ::testing::TestWithParam<StagedWriter>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reference.isValid());
        ASSERT_TRUE(dir.isValid());
        // What each version looks like when written to a fresh name.
        for (int v = 0; v < 2; ++v) {
            // The whole name kept: a port file's name says its port.
            const QString path =
                QDir(reference.path()).filePath(QString::number(v) + QLatin1Char('-') + GetParam().fileName);
            ASSERT_TRUE(GetParam().save(path, v));
            expected[v] = stagedBytes(path, GetParam());
        }
        ASSERT_NE(expected[0], expected[1]) << "the two versions must differ to see which one is there";
        target = dir.filePath(QLatin1String(GetParam().fileName));
        ASSERT_TRUE(GetParam().save(target, 0));
    }

    QTemporaryDir reference;
    QTemporaryDir dir;
    QByteArray expected[2];
    QString target;
};

TEST_P(StagedSaveWriters, SaveOverAFileLeavesOnlyThatFileWithItsPermissions)
{
    const auto keep = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(target, keep));
    ASSERT_TRUE(GetParam().save(target, 1));
    EXPECT_EQ(stagedBytes(target, GetParam()), expected[1]);
    EXPECT_EQ(stagedListing(dir.path()), QStringList{QLatin1String(GetParam().fileName)});
    // Owner, group and others; the "user" bits only mirror one of them.
    const auto kinds = QFile::Permissions(0x7077);
    EXPECT_EQ(QFileInfo(target).permissions() & kinds, keep);
}

TEST_P(StagedSaveWriters, SaveThroughALinkChangesTheFileItPointsTo)
{
    const QString link = dir.filePath(QStringLiteral("link-") + QLatin1String(GetParam().fileName));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(GetParam().save(link, 1));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(stagedBytes(target, GetParam()), expected[1]);
    EXPECT_EQ(stagedListing(dir.path()).size(), 2);
}

TEST_P(StagedSaveWriters, NextSaveReplacesTheCopyAKilledSaveLeft)
{
    const QString stale =
        dir.filePath(QLatin1Char('.') + QLatin1String(GetParam().fileName) + QStringLiteral(".brightloom-save"));
    {
        QFile f(stale);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(expected[0].left(7));
    }
    ASSERT_TRUE(QFile::setPermissions(stale, QFile::ReadOwner));
    ASSERT_TRUE(GetParam().save(target, 1));
    EXPECT_EQ(stagedBytes(target, GetParam()), expected[1]);
    EXPECT_EQ(stagedListing(dir.path()), QStringList{QLatin1String(GetParam().fileName)});
}

TEST_P(StagedSaveWriters, SaveWaitsForTheDiskOnceBeforeAndOnceAfterItsRename)
{
    RecordedDiskSync sync;
    ASSERT_TRUE(GetParam().save(target, 1));
    EXPECT_EQ(sync.points, (std::vector<DiskSyncPoint>{DiskSyncPoint::File, DiskSyncPoint::Folder}));
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, StagedSaveWriters, ::testing::ValuesIn(stagedWriters()),
                         [](const ::testing::TestParamInfo<StagedWriter> &info) {
                             return std::string(info.param.name);
                         });

} // namespace

// The writer: the exact bytes of the current layout, and files that read
// back with every colour, wired or not.
#include "document/project_file.h"
#include "project_test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testfiles;

namespace {

FrameSequence sequenceOf(std::vector<Frame> frames)
{
    FrameSequence s;
    s.assign(std::move(frames), 0);
    return s;
}

GridGeometry geometry(int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    g.celWidth = 14;
    g.celHeight = 11;
    g.baseColorNum = 1;
    g.scanMode = 0;
    return g;
}

} // namespace

TEST(ProjectWriter, WritesTheCurrentLayoutByteForByte)
{
    const GridGeometry g = geometry(3, 4);
    const std::vector<Frame> frames = seededFrames(2, 12, 21);
    RawHeader h;
    h.frameCount = 2;
    h.rows = 3;
    h.cols = 4;
    h.celWidth = 14;
    h.celHeight = 11;
    h.baseColorNum = 1;
    h.scanMode = 0;
    const QByteArray written = projectBytes(g, sequenceOf(frames));
    EXPECT_EQ(written, currentLayout(h, frames));
    EXPECT_EQ(written.left(10), QByteArray("WST1\0\0\0\0\0\0", 10));
    EXPECT_EQ(written.size(), 32 + 2 * 12 * 3);
}

TEST(ProjectWriter, TopBytesAreNotStored)
{
    // Only red, green and blue go to the file; what comes back has a zero
    // top byte, as every colour a user picks has.
    const GridGeometry g = geometry(1, 2);
    Frame f(2);
    f[0] = 0xFF010203u;
    f[1] = 0x00FFFFFFu;
    const ProjectReadResult r = readProjectBytes(projectBytes(g, sequenceOf({f})));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.data->frames.at(0)[0], 0x00010203u);
    EXPECT_EQ(r.data->frames.at(0)[1], 0x00FFFFFFu);
}

TEST(ProjectWriter, EveryColourRoundTripsThroughAFile)
{
    // 2^24 colours spread over 256 frames of 256 x 256 points: each colour
    // once, so a lost or swapped channel cannot hide.
    const GridGeometry g = geometry(256, 256);
    std::vector<Frame> frames;
    for (uint32_t blue = 0; blue < 256; ++blue) {
        Frame f(256 * 256);
        for (uint32_t i = 0; i < 256 * 256; ++i)
            f[i] = makeColor(i & 0xFF, i >> 8, blue);
        frames.push_back(std::move(f));
    }
    const std::vector<Frame> expected = frames;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("all.wst"));
    QString detail;
    ASSERT_TRUE(writeProjectFile(path, g, sequenceOf(std::move(frames)), &detail)) << detail.toStdString();
    const ProjectReadResult r = readProjectFile(path);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.data->format, ProjectFormat::Wst1);
    EXPECT_EQ(r.data->geometry, g);
    EXPECT_FALSE(r.data->truncated);
    EXPECT_TRUE(r.data->frames == expected);
}

TEST(ProjectWriter, FileAndMemoryFormsAgree)
{
    const GridGeometry g = geometry(24, 40);
    const FrameSequence frames = sequenceOf(seededFrames(5, 24 * 40, 22));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.wst"));
    ASSERT_TRUE(writeProjectFile(path, g, frames));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), projectBytes(g, frames));
}

TEST(ProjectWriter, EmptySequenceWritesAHeaderOnly)
{
    const GridGeometry g = geometry(5, 6);
    const QByteArray bytes = projectBytes(g, FrameSequence());
    EXPECT_EQ(bytes.size(), 32);
    const ProjectReadResult r = readProjectBytes(bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.data->frames.empty());
    EXPECT_EQ(r.data->geometry, g);
}

TEST(ProjectWriter, ConvertingOldLayoutsKeepsEveryColour)
{
    RawHeader h;
    h.rows = 6;
    h.cols = 7;
    h.frameCount = 3;
    const std::vector<Frame> frames = seededFrames(3, 42, 23);
    const ScrambleKey k = makeScrambleKey(4099, 4111);
    ScrambledHeader s;
    s.rows = 6;
    s.cols = 7;
    s.frameCount = 3;
    for (const QByteArray &source : {oldLayout(h, frames), scrambledLayout(k, s, frames)}) {
        ProjectReadResult first = readProjectBytes(source);
        ASSERT_TRUE(first.ok());
        const GridGeometry g = first.data->geometry;
        const QByteArray rewritten = projectBytes(g, sequenceOf(std::move(first.data->frames)));
        const ProjectReadResult second = readProjectBytes(rewritten);
        ASSERT_TRUE(second.ok());
        EXPECT_EQ(second.data->format, ProjectFormat::Wst1);
        EXPECT_EQ(second.data->frames, frames);
    }
}

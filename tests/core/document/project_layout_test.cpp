// Reading each of the three project layouts, and telling them apart by the
// header text.
#include "document/project_file.h"
#include "project_test_files.h"

#include <gtest/gtest.h>

using namespace testfiles;

namespace {

constexpr size_t kPoints = 24 * 40;

ProjectData readOk(const QByteArray &bytes)
{
    ProjectReadResult r = readProjectBytes(bytes);
    EXPECT_TRUE(r.ok()) << r.error.detail.toStdString();
    return r.ok() ? std::move(*r.data) : ProjectData();
}

} // namespace

TEST(ProjectLayouts, CurrentLayoutGivesGeometryAndEveryColour)
{
    RawHeader h;
    h.frameCount = 3;
    h.celWidth = 12;
    h.celHeight = 9;
    h.baseColorNum = 2;
    h.scanMode = 0;
    const std::vector<Frame> frames = seededFrames(3, kPoints, 1);
    const ProjectData d = readOk(currentLayout(h, frames));
    EXPECT_EQ(d.format, ProjectFormat::Wst1);
    EXPECT_EQ(d.geometry.rows, 24);
    EXPECT_EQ(d.geometry.cols, 40);
    EXPECT_EQ(d.geometry.celWidth, 12);
    EXPECT_EQ(d.geometry.celHeight, 9);
    EXPECT_EQ(d.geometry.baseColorNum, 2);
    EXPECT_EQ(d.geometry.scanMode, 0);
    EXPECT_EQ(d.declaredFrames, 3);
    EXPECT_FALSE(d.truncated);
    EXPECT_EQ(d.frames, frames);
}

TEST(ProjectLayouts, OldLayoutCopiesWholeColourValuesUnchanged)
{
    RawHeader h;
    h.rows = 3;
    h.cols = 5;
    h.frameCount = 2;
    std::vector<Frame> frames = seededFrames(2, 15, 2);
    frames[1][7] = 0xFF123456u; // the top byte is carried as it is
    const ProjectData d = readOk(oldLayout(h, frames));
    EXPECT_EQ(d.format, ProjectFormat::Vissp);
    EXPECT_EQ(d.geometry.rows, 3);
    EXPECT_EQ(d.geometry.cols, 5);
    EXPECT_EQ(d.frames, frames);
}

class ScrambledLayout : public ::testing::TestWithParam<std::pair<uint32_t, uint32_t>>
{
};

TEST_P(ScrambledLayout, DecodesHeaderWordsAndPixelWords)
{
    const ScrambleKey key = makeScrambleKey(GetParam().first, GetParam().second);
    ScrambledHeader h;
    h.frameCount = 4;
    h.rows = 7;
    h.cols = 300; // above the 12 bits of Rows
    h.celWidth = 31;
    h.celHeight = 17;
    h.baseColorNum = 1;
    h.scanMode = 0;
    const std::vector<Frame> frames = seededFrames(4, 7 * 300, 3);
    const ProjectData d = readOk(scrambledLayout(key, h, frames));
    EXPECT_EQ(d.format, ProjectFormat::Vissp2);
    EXPECT_EQ(d.geometry.rows, 7);
    EXPECT_EQ(d.geometry.cols, 300);
    EXPECT_EQ(d.geometry.celWidth, 31);
    EXPECT_EQ(d.geometry.celHeight, 17);
    EXPECT_EQ(d.geometry.baseColorNum, 1);
    EXPECT_EQ(d.geometry.scanMode, 0);
    EXPECT_EQ(d.declaredFrames, 4);
    EXPECT_EQ(d.frames, frames);
}

INSTANTIATE_TEST_SUITE_P(TwoModuli, ScrambledLayout,
                         ::testing::Values(std::pair<uint32_t, uint32_t>{65521, 65519},
                                           std::pair<uint32_t, uint32_t>{4099, 4111}));

TEST(ProjectHeaderText, OnlyBytesUpToTheFirstZeroCount)
{
    RawHeader h;
    h.rows = 2;
    h.cols = 2;
    h.frameCount = 1;
    const std::vector<Frame> frames = seededFrames(1, 4, 5);
    QByteArray bytes = currentLayout(h, frames);
    bytes.replace(5, 5, "\x7Fjunk"); // "WST1", zero, then garbage
    const ProjectData d = readOk(bytes);
    EXPECT_EQ(d.format, ProjectFormat::Wst1);
    EXPECT_EQ(d.frames, frames);
}

TEST(ProjectHeaderText, UnknownOrUnterminatedTextsAreFormatErrors)
{
    RawHeader h;
    h.rows = 2;
    h.cols = 2;
    const QByteArray body = currentLayout(h, {}).mid(10);
    const QByteArray texts[] = {
        headerText("WST2"),
        headerText("wst1"),
        headerText("VISSP"),              // neither old (needs 0x01) nor scrambled
        headerText("VISSP\x02"),
        headerText("WST1 "),              // a space before the zero
        QByteArray("WST1WST1WS", 10),     // no zero at all in the field
        headerText(""),
    };
    for (const QByteArray &text : texts) {
        const ProjectReadResult r = readProjectBytes(text + body);
        EXPECT_FALSE(r.ok()) << text.toHex().toStdString();
        EXPECT_EQ(r.error.key, QStringLiteral("FileFormatError"));
        EXPECT_EQ(r.error.section, QStringLiteral("Message"));
        EXPECT_EQ(r.error.defaultText, QStringLiteral("文件格式错误!"));
    }
}

TEST(ProjectHeaderText, OldTextIsTheOneFollowedByByteOne)
{
    // "VISSP" 0x01 and "VISSP2" share five letters; each must pick its own
    // layout (the old one has a 24-byte header, the scrambled one 32).
    RawHeader h;
    h.rows = 1;
    h.cols = 2;
    h.frameCount = 1;
    const ProjectData d = readOk(oldLayout(h, {Frame(2, 0x00ABCDEFu)}));
    EXPECT_EQ(d.format, ProjectFormat::Vissp);
    EXPECT_EQ(d.frames.at(0)[1], 0x00ABCDEFu);
}

TEST(ProjectGeometry, ZeroFramesGiveAnEmptyProjectOfTheStoredGeometry)
{
    RawHeader h;
    h.rows = 10;
    h.cols = 12;
    h.frameCount = 0;
    for (const QByteArray &bytes : {currentLayout(h, {}), oldLayout(h, {})}) {
        const ProjectData d = readOk(bytes);
        EXPECT_TRUE(d.frames.empty());
        EXPECT_FALSE(d.truncated);
        EXPECT_EQ(d.geometry.rows, 10);
        EXPECT_EQ(d.geometry.cols, 12);
    }
}

TEST(ProjectGeometry, SidesOfZeroOrLessAreRaisedAndFramesRebuiltBlack)
{
    // A stored side of 0 means the frames hold no bytes; after raising, the
    // frames have the raised size and are black. The frame count stays.
    RawHeader h;
    h.rows = 0;
    h.cols = 6;
    h.celWidth = 0;
    h.celHeight = -5;
    h.frameCount = 3;
    const ProjectData d = readOk(currentLayout(h, {}));
    EXPECT_EQ(d.geometry.rows, 1);
    EXPECT_EQ(d.geometry.cols, 6);
    EXPECT_EQ(d.geometry.celWidth, 1);
    EXPECT_EQ(d.geometry.celHeight, 1);
    ASSERT_EQ(d.frames.size(), 3u);
    for (const Frame &f : d.frames)
        EXPECT_EQ(f, Frame(6, 0));
    EXPECT_FALSE(d.truncated);

    h.rows = -4;
    h.cols = 0;
    const ProjectData both = readOk(oldLayout(h, {}));
    EXPECT_EQ(both.geometry.rows, 1);
    EXPECT_EQ(both.geometry.cols, 1);
    EXPECT_EQ(both.frames.size(), 3u);
}

TEST(ProjectGeometry, ColourModesOutsideTheirRangesTakeTheDefaults)
{
    struct Case
    {
        uint8_t base, scan, wantBase, wantScan;
    };
    const Case cases[] = {{0, 0, 3, 0}, {4, 2, 3, 1}, {255, 255, 3, 1}, {1, 1, 1, 1}, {2, 0, 2, 0}};
    for (const Case &c : cases) {
        RawHeader h;
        h.rows = 1;
        h.cols = 1;
        h.baseColorNum = c.base;
        h.scanMode = c.scan;
        const ProjectData d = readOk(currentLayout(h, {}));
        EXPECT_EQ(d.geometry.baseColorNum, c.wantBase) << int(c.base);
        EXPECT_EQ(d.geometry.scanMode, c.wantScan) << int(c.scan);
    }
}

TEST(ProjectGeometry, BytesAfterTheLastFrameAreIgnored)
{
    RawHeader h;
    h.rows = 2;
    h.cols = 3;
    h.frameCount = 2;
    const std::vector<Frame> frames = seededFrames(2, 6, 8);
    const ProjectData d = readOk(currentLayout(h, frames) + QByteArray(5, '\x55'));
    EXPECT_EQ(d.frames, frames);
    EXPECT_FALSE(d.truncated);
}

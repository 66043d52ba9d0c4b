// Frame blocks of each format family on small wirings, against bytes worked
// out by hand. Pixels of the fixture: point x of frame 1 is (x+1, x+2, x+3).
#include "output_fixture.h"

namespace {

using BlockFormats = OutputTest;

// Writes one frame and returns its block of `length` bytes, checking the
// header's length fields on the way.
#define EXPECT_HEADER(file, l, n)          \
    do {                                   \
        EXPECT_EQ(u16(file, 0), unsigned(l)); \
        EXPECT_EQ(u16(file, 12), unsigned(n)); \
    } while (0)

TEST_F(BlockFormats, PlainFormatsKeepThePixelBytes)
{
    for (int format : {0, 6, 11}) {
        makeDocument(2, 1);
        wireRow(2);
        params.communicationFormat = format;
        ASSERT_EQ(write(), PortDataResult::Written);
        const auto file = portBytes(0);
        EXPECT_EQ(block(file, 0, 6, 512), (std::vector<uint8_t>{1, 2, 3, 2, 3, 4})) << "format " << format;
        EXPECT_HEADER(file, 6, 6);
        EXPECT_EQ(u16(file, 18), 6u);
        EXPECT_EQ(file[14], format);
    }
}

TEST_F(BlockFormats, ReversedFormatsReadTheBytesBackwards)
{
    for (int format : {1, 5, 7}) {
        makeDocument(2, 1);
        wireRow(2);
        params.communicationFormat = format;
        ASSERT_EQ(write(), PortDataResult::Written);
        const auto file = portBytes(0);
        EXPECT_EQ(block(file, 0, 6, 512), (std::vector<uint8_t>{4, 3, 2, 3, 2, 1})) << "format " << format;
        EXPECT_HEADER(file, 6, 6);
    }
}

TEST_F(BlockFormats, ReversedInSingleColourSeesTheThreeFoldBuffer)
{
    makeDocument(2, 1, 1);
    wireRow(2);
    params.communicationFormat = 1;
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(block(file, 0, 6, 512), (std::vector<uint8_t>{0, 0, 0, 0, 2, 1}));
    EXPECT_HEADER(file, 6, 6);
}

TEST_F(BlockFormats, GroupsInColourWithCycleTwoAndANullRow)
{
    makeDocument(3, 1);
    wireRow(3);
    params.communicationFormat = 2;
    params.changeCycle(2, 3);
    params.addNullRow();
    // Top to bottom: null, 1b 1g 1r, 2b 2g 2r; three pixels make two groups
    // of two, the fourth pixel missing. Groups run from the last to the
    // first, rows from the bottom up.
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(block(file, 0, 14, 512),
              (std::vector<uint8_t>{0, 0, 0, 3, 4, 5, 0, /* group 1: pixels 3 and (4) */
                                    2, 3, 4, 1, 2, 3, 0 /* group 0: pixels 1 and 2 */}));
    // n rounded up to 4: 3 × 4 + (4 ÷ 2) × 1.
    EXPECT_HEADER(file, 14, 14);
    EXPECT_EQ(u16(file, 18), 14u);
}

TEST_F(BlockFormats, GroupsInColourWithTheInitialList)
{
    makeDocument(2, 1);
    wireRow(2);
    ASSERT_EQ(params.communicationFormat, 2);
    ASSERT_EQ(write(), PortDataResult::Written);
    // Cycle 1: the last pixel first, red, green, blue each.
    EXPECT_EQ(block(portBytes(0), 0, 6, 512), (std::vector<uint8_t>{2, 3, 4, 1, 2, 3}));
}

TEST_F(BlockFormats, GroupsInSingleColourRunForwards)
{
    makeDocument(4, 1, 1);
    wireRow(4);
    params.communicationFormat = 2;
    params.changeCycle(3, 1);
    params.addNullRow();
    // Top to bottom: null, 1r, 2r, 3r; groups first to last.
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(block(file, 0, 8, 512), (std::vector<uint8_t>{0, 1, 2, 3, 0, 4, 0, 0}));
    // n rounded to 6: 6 + (6 ÷ 3) × 1; N is the row count.
    EXPECT_HEADER(file, 8, 4);
}

TEST_F(BlockFormats, GroupRowsOutsideTheCycleGiveZero)
{
    makeDocument(4, 1);
    wireRow(4);
    params.communicationFormat = 2;
    params.cycle = 2;
    params.orderList.clear();
    // Bottom up: pixel 3 (outside cycle 2), pixel 1 red, "x" (no byte),
    // pixel 0 green.
    params.orderList.insertAtTop({QStringLiteral("3"), QStringLiteral("r")});
    params.orderList.insertAtTop({QStringLiteral("1"), QStringLiteral("r")});
    params.orderList.insertAtTop({QStringLiteral("1"), QStringLiteral("x")});
    params.orderList.insertAtTop({QStringLiteral("0"), QStringLiteral("g")});
    ASSERT_EQ(write(), PortDataResult::Written);
    EXPECT_EQ(block(portBytes(0), 0, 6, 512), (std::vector<uint8_t>{0, 3, 0, 0, 1, 0}));
}

TEST_F(BlockFormats, ACycleBelowOneIsTakenAsOne)
{
    makeDocument(2, 1);
    wireRow(2);
    params.communicationFormat = 2;
    params.cycle = 0; // as a parameter file may leave it
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(block(file, 0, 6, 512), (std::vector<uint8_t>{2, 3, 4, 1, 2, 3}));
    EXPECT_HEADER(file, 6, 6);
}

TEST_F(BlockFormats, BitsPackEightSingleColourPixelsPerByte)
{
    makeDocument(10, 1, 1);
    params.communicationFormat = 3;
    for (int i = 0; i < 10; ++i)
        doc->wiring().append(wiredAt(i, 0, 0, i));
    Frame &frame = doc->frames()[0];
    const unsigned reds[10] = {5, 0, 0, 9, 0, 0, 0, 1, 0, 3};
    for (int i = 0; i < 10; ++i)
        frame[size_t(i)] = makeColor(reds[i], 200, 200);
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(block(file, 0, 2, 512), (std::vector<uint8_t>{0x89, 0x02}));
    EXPECT_HEADER(file, 2, 2);
}

TEST_F(BlockFormats, BitsInColourGiveAnEmptyBlock)
{
    makeDocument(3, 2);
    wireRow(3);
    params.communicationFormat = 3;
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(file.size(), 512u);
    EXPECT_EQ(u16(file, 16), 0u);
    EXPECT_EQ(u16(file, 18), 0u);
    EXPECT_HEADER(file, 9, 9);
}

TEST_F(BlockFormats, OrderRowsFollowAReorderedList)
{
    for (int format : {4, 9, 10, 12}) {
        makeDocument(2, 1);
        wireRow(2);
        params.communicationFormat = format;
        // "1r" dragged to the top: 1r 1b 1g, read from the bottom up.
        params.orderList.moveRow(2, 0);
        ASSERT_EQ(write(), PortDataResult::Written);
        const auto file = portBytes(0);
        EXPECT_EQ(block(file, 0, 6, 512), (std::vector<uint8_t>{2, 3, 1, 3, 4, 2})) << "format " << format;
        EXPECT_HEADER(file, 6, 6);
        EXPECT_EQ(file[14], format == 12 ? 9 : format);
    }
}

TEST_F(BlockFormats, OrderRowsSkipOtherLettersAndRepeatChannels)
{
    makeDocument(2, 1);
    wireRow(2);
    params.communicationFormat = 4;
    params.orderList.clear();
    params.orderList.insertAtTop({QStringLiteral("1"), QStringLiteral("g")});
    params.orderList.insertAtTop({QStringLiteral("null"), QStringLiteral("null")});
    params.orderList.insertAtTop({QStringLiteral("1"), QStringLiteral("green")});
    ASSERT_EQ(write(), PortDataResult::Written);
    // Bottom up: g, (null: no byte), "green" read by its first letter.
    EXPECT_EQ(block(portBytes(0), 0, 4, 512), (std::vector<uint8_t>{2, 2, 3, 3}));
}

TEST_F(BlockFormats, OrderRowsInSingleColourSeeTheThreeFoldBuffer)
{
    makeDocument(4, 1, 1);
    wireRow(4);
    params.communicationFormat = 4;
    ASSERT_EQ(write(), PortDataResult::Written);
    // Pixel i reads byte 3i of "1 2 3 4 0 0 0 0 0 0 0 0".
    EXPECT_EQ(block(portBytes(0), 0, 4, 512), (std::vector<uint8_t>{1, 4, 0, 0}));
}

TEST_F(BlockFormats, OtherFormatsGiveEmptyBlocks)
{
    for (int format : {8, 13, 40}) {
        makeDocument(2, 3);
        wireRow(2);
        params.communicationFormat = format;
        ASSERT_EQ(write(), PortDataResult::Written);
        const auto file = portBytes(0);
        EXPECT_EQ(file.size(), 512u) << "format " << format;
        EXPECT_HEADER(file, 6, 6);
    }
}

TEST_F(BlockFormats, ThirtyTwoLevelsOnTheSecondModelPackTwoBytesPerPixel)
{
    makeDocument(2, 1);
    wireRow(2);
    params.communicationFormat = 4;
    params.controllerModel = 1;
    params.greyLevels = 32;
    Frame &frame = doc->frames()[0];
    frame[0] = makeColor(0xF8, 0x80, 0x08); // levels 31, 16, 1
    frame[1] = makeColor(0x00, 0xFF, 0x10); // levels 0, 31, 2
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(block(file, 0, 4, 512), (std::vector<uint8_t>{0xFE, 0x01, 0x83, 0xE2}));
    // (2 ÷ 1) × 0 + 2 × 2.
    EXPECT_HEADER(file, 4, 4);
    EXPECT_EQ(u16(file, 18), 4u);
    EXPECT_EQ(file[7], 31);
}

TEST_F(BlockFormats, TheSecondModelsLengthRuleCountsTheGroupExtra)
{
    makeDocument(4, 1);
    wireRow(4);
    params.communicationFormat = 4;
    params.controllerModel = 1;
    params.changeCycle(2, 3);
    params.addNullRow();
    ASSERT_EQ(write(), PortDataResult::Written);
    // (4 ÷ 2) × 1 + 2 × 4, whatever the grey levels.
    EXPECT_HEADER(portBytes(0), 10, 10);
}

TEST_F(BlockFormats, TheLengthRuleAddsTheGroupExtraPerCycle)
{
    makeDocument(6, 1);
    wireRow(6);
    params.communicationFormat = 0;
    params.changeCycle(4, 3);
    params.addNullRow();
    params.addNullRow();
    ASSERT_EQ(write(), PortDataResult::Written);
    // 3 × 6 + (6 ÷ 4) × 2; the block itself is the 18 pixel bytes.
    const auto file = portBytes(0);
    EXPECT_HEADER(file, 20, 20);
    EXPECT_EQ(u16(file, 18), 18u);
}

TEST_F(BlockFormats, SingleColourLengthRuleForOtherFormats)
{
    makeDocument(6, 1, 1);
    wireRow(6);
    params.communicationFormat = 6;
    ASSERT_EQ(write(), PortDataResult::Written);
    // Format 6 falls to the general rule: 3 × 6, though the block is 6 bytes.
    const auto file = portBytes(0);
    EXPECT_HEADER(file, 18, 18);
    EXPECT_EQ(u16(file, 18), 6u);
}

struct GreyCase
{
    int levels;
    int format;
    std::vector<uint8_t> bytes; // of the pixel (0xFF, 0x80, 0x00)
};

class GreyLevelShift : public BlockFormats, public ::testing::WithParamInterface<GreyCase>
{
};

TEST_P(GreyLevelShift, ReducesEveryByte)
{
    makeDocument(1, 1);
    wireRow(1);
    params.communicationFormat = GetParam().format;
    params.greyLevels = GetParam().levels;
    doc->frames()[0][0] = makeColor(0xFF, 0x80, 0x00);
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(block(file, 0, 3, 512), GetParam().bytes);
    EXPECT_EQ(file[7], GetParam().levels - 1);
    // The shift applies to the block only, never to the padding.
    EXPECT_EQ(file[512 + 3], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, GreyLevelShift,
    ::testing::Values(GreyCase{2, 0, {0x01, 0x01, 0x00}}, GreyCase{8, 0, {0x07, 0x04, 0x00}},
                      GreyCase{16, 0, {0x0F, 0x08, 0x00}}, GreyCase{32, 0, {0x1F, 0x10, 0x00}},
                      GreyCase{64, 0, {0x3F, 0x20, 0x00}}, GreyCase{128, 0, {0x7F, 0x40, 0x00}},
                      GreyCase{256, 0, {0xFF, 0x80, 0x00}},
                      // LPD8806 with 128 levels: the top bit of every byte, zeros too.
                      GreyCase{128, 11, {0xFF, 0xC0, 0x80}}, GreyCase{64, 11, {0x3F, 0x20, 0x00}}));

} // namespace

// Cut, copy, delete and invert over a frame range, on the block or on whole
// frames.
#include "editing/range_operations.h"
#include "editing_test_support.h"
#include "scripted_prompt.h"

namespace {

class FrameRangeTest : public ::testing::Test
{
protected:
    FrameRangeTest() : doc(gridOf(4, 5)) { fillNumbered(doc, 4); }

    void defineBlock(int x0, int y0, int x1, int y1)
    {
        state.area.defined = true;
        state.area.x0 = x0;
        state.area.y0 = y0;
        state.area.x1 = x1;
        state.area.y1 = y1;
    }
    ColorValue at(int frame, int x, int y) const { return doc.frames()[frame].at(x, y, doc.cols()); }

    BuiltInTexts texts{Language::Chinese};
    Document doc;
    EditingState state;
    ScriptedPrompt prompt;
};

TEST_F(FrameRangeTest, ModeNumbersAreOddForTheBlockAndEvenForWholeFrames)
{
    EXPECT_EQ(frameRangeMode(RangeOperation::Cut, true), 1);
    EXPECT_EQ(frameRangeMode(RangeOperation::Cut, false), 2);
    EXPECT_EQ(frameRangeMode(RangeOperation::Copy, true), 3);
    EXPECT_EQ(frameRangeMode(RangeOperation::Copy, false), 4);
    EXPECT_EQ(frameRangeMode(RangeOperation::Delete, true), 5);
    EXPECT_EQ(frameRangeMode(RangeOperation::Delete, false), 6);
    EXPECT_EQ(frameRangeMode(RangeOperation::Invert, true), 7);
    EXPECT_EQ(frameRangeMode(RangeOperation::Invert, false), 8);
}

TEST_F(FrameRangeTest, ARangeOutOfBoundsShowsTheRangeMessageAndChangesNothing)
{
    const struct
    {
        int start, end;
    } bad[] = {{0, 2}, {3, 2}, {1, 5}, {5, 5}, {-1, 1}};
    const Frame before = doc.frames()[0];
    for (const auto &r : bad) {
        EXPECT_FALSE(runFrameRange(doc, state, 6, r.start, r.end, prompt)) << r.start << ".." << r.end;
        EXPECT_EQ(prompt.lastText(), QStringLiteral("输入错误！开始帧或结束帧超出范围。"));
        EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Error);
    }
    EXPECT_EQ(prompt.shown.size(), 5u);
    EXPECT_EQ(doc.frameCount(), 4);
    EXPECT_EQ(doc.frames()[0], before);
    EXPECT_TRUE(state.clipboard.empty());
    // A single frame is a valid range.
    EXPECT_TRUE(runFrameRange(doc, state, 4, 4, 4, prompt));
}

TEST_F(FrameRangeTest, CutOfAllFramesLeavesOneBlankCurrentFrame)
{
    doc.setBackgroundColor(0x000000);
    doc.setNewFrameCopiesCurrent(true); // no current frame is left to copy
    ASSERT_TRUE(runFrameRange(doc, state, 2, 1, 4, prompt));
    ASSERT_EQ(doc.frameCount(), 1);
    EXPECT_EQ(doc.currentIndex(), 0);
    EXPECT_EQ(doc.frames()[0], Frame(20, 0));
    ASSERT_EQ(state.clipboard.frames.size(), 4u);
    EXPECT_EQ(state.clipboard.rows, 4);
    EXPECT_EQ(state.clipboard.cols, 5);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(state.clipboard.frames[size_t(k)], numberedFrame(k, 20));
}

TEST_F(FrameRangeTest, CuttingOrDeletingFramesMovesTheCurrentFrameToTheGap)
{
    ASSERT_TRUE(runFrameRange(doc, state, 2, 2, 3, prompt));
    ASSERT_EQ(doc.frameCount(), 2);
    EXPECT_EQ(frameNumberOf(doc.frames()[1]), 3);
    EXPECT_EQ(doc.currentIndex(), 1); // the frame now at the start of the cut

    // Deleting the tail: the current frame is the one before.
    ASSERT_TRUE(runFrameRange(doc, state, 6, 2, 2, prompt));
    ASSERT_EQ(doc.frameCount(), 1);
    EXPECT_EQ(doc.currentIndex(), 0);
    EXPECT_EQ(frameNumberOf(doc.frames()[0]), 0);
    EXPECT_EQ(state.clipboard.frames.size(), 2u); // delete leaves the clipboard alone
}

TEST_F(FrameRangeTest, CutOfTheBlockCopiesItAndFillsItWithTheBackground)
{
    doc.setBackgroundColor(0x00ABCDEF);
    defineBlock(1, 1, 3, 2);
    ASSERT_TRUE(runFrameRange(doc, state, 1, 2, 3, prompt));
    ASSERT_EQ(state.clipboard.frames.size(), 2u);
    EXPECT_EQ(state.clipboard.rows, 2);
    EXPECT_EQ(state.clipboard.cols, 3);
    // Clipboard frame 0 is frame 2's block, row-major.
    const Frame &first = state.clipboard.frames[0];
    EXPECT_EQ(first[0], 2000u + 6);
    EXPECT_EQ(first[2], 2000u + 8);
    EXPECT_EQ(first[3], 2000u + 11);
    EXPECT_EQ(at(1, 2, 2), 0x00ABCDEFu);
    EXPECT_EQ(at(2, 1, 1), 0x00ABCDEFu);
    EXPECT_EQ(at(1, 0, 1), 2000u + 5); // outside the block
    EXPECT_EQ(at(0, 2, 2), 1000u + 12); // outside the range
    EXPECT_EQ(doc.frameCount(), 4);
}

TEST_F(FrameRangeTest, CopyTakesTheBlockOrTheWholeGridAndChangesNoFrame)
{
    defineBlock(4, 3, 4, 3);
    ASSERT_TRUE(runFrameRange(doc, state, 3, 1, 4, prompt));
    ASSERT_EQ(state.clipboard.frames.size(), 4u);
    EXPECT_EQ(state.clipboard.frames[3], Frame(1, 4000 + 19));
    ASSERT_TRUE(runFrameRange(doc, state, 4, 2, 2, prompt));
    ASSERT_EQ(state.clipboard.frames.size(), 1u); // the old contents are gone
    EXPECT_EQ(state.clipboard.frames[0], numberedFrame(1, 20));
    EXPECT_EQ(state.clipboard.rows, 4);
    EXPECT_EQ(doc.frames()[1], numberedFrame(1, 20));
}

TEST_F(FrameRangeTest, DeleteOfTheBlockFillsItWithTheBackground)
{
    doc.setBackgroundColor(0x00FFFFFF);
    defineBlock(0, 0, 0, 3);
    ASSERT_TRUE(runFrameRange(doc, state, 5, 1, 1, prompt));
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(at(0, 0, y), 0x00FFFFFFu);
    EXPECT_EQ(at(0, 1, 0), 1001u);
    EXPECT_EQ(doc.frameCount(), 4);
}

TEST_F(FrameRangeTest, InvertOfTheBlockOfFramesTwoToThreeLeavesEverythingElse)
{
    defineBlock(1, 1, 2, 2);
    ASSERT_TRUE(runFrameRange(doc, state, 7, 2, 3, prompt));
    for (int f = 0; f < 4; ++f)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const ColorValue original = ColorValue((f + 1) * 1000 + y * 5 + x);
                const bool inside = (f == 1 || f == 2) && x >= 1 && x <= 2 && y >= 1 && y <= 2;
                EXPECT_EQ(at(f, x, y), inside ? (~original & 0xFFFFFFu) : original)
                    << "frame " << f << " point " << x << "," << y;
            }
}

TEST_F(FrameRangeTest, InvertOfWholeFramesKeepsTheTopByteZero)
{
    doc.frames()[0][0] = 0xFF102030; // a colour with a stray top byte
    ASSERT_TRUE(runFrameRange(doc, state, 8, 1, 1, prompt));
    EXPECT_EQ(at(0, 0, 0), 0x00EFDFCFu);
    EXPECT_EQ(at(0, 4, 3), ~ColorValue(1019) & 0xFFFFFFu);
}

TEST_F(FrameRangeTest, ABlockNotDrawnYetOrOutsideTheGridCountsAsNoBlock)
{
    defineBlock(-1, 0, 2, 2); // define pressed, nothing drawn yet
    EXPECT_FALSE(state.area.usable(doc.rows(), doc.cols()));
    ASSERT_TRUE(runFrameRange(doc, state, 3, 1, 1, prompt));
    EXPECT_EQ(state.clipboard.cols, 5);
    defineBlock(3, 0, 5, 1); // one column past the grid
    ASSERT_TRUE(runFrameRange(doc, state, 3, 1, 1, prompt));
    EXPECT_EQ(state.clipboard.cols, 5);
    EXPECT_EQ(state.clipboard.rows, 4);
}

} // namespace

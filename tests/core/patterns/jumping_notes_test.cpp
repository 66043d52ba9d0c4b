// Jumping notes: lines that move, bar shape and colours, the skipped lead-in,
// counts of 0 or less, the empty palette and the frame budget.
#include "patterns/jumping_notes.h"
#include "document/frame_repeat.h"
#include "patterns/palette_pattern_check.h"
#include "patterns/pattern_random.h"
#include "pattern_test_support.h"
#include "scripted_prompt.h"

namespace {

using JumpingNotes = PatternTest;

// The height of column x's bar in a frame: lit cells counted from the
// bottom row up to the first dark one.
int columnBar(const Frame &f, int rows, int cols, int x)
{
    int t = 0;
    while (t < rows && f.at(x, rows - 1 - t, cols) != kBlack)
        ++t;
    return t;
}

int litCells(const Frame &f)
{
    return int(std::count_if(f.pixels().begin(), f.pixels().end(), [](ColorValue c) { return c != kBlack; }));
}

TEST_F(JumpingNotes, CountsOfZeroOrLessMakeNothing)
{
    auto doc = documentOf(6, 5);
    PaletteState palette;
    PatternTarget target{*doc, 0, BlockArea(), &palette};
    ScriptedPrompt prompt;
    for (int frames : {0, -1, -50, -51, -2000000000}) {
        EXPECT_EQ(runJumpingNotes(target, {frames, false, 0}, prompt), 0) << frames;
        EXPECT_EQ(doc->frameCount(), 1);
    }
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(JumpingNotes, TheOddRangeOnFiveColumnsMovesColumnsZeroTwoAndFour)
{
    auto doc = documentOf(8, 5);
    PaletteState palette;
    PatternTarget target{*doc, 0, BlockArea(), &palette};
    PatternRandom random(7);
    ASSERT_EQ(generateJumpingNotes(target, {60, false, 1}, random), 60);
    ASSERT_EQ(doc->frameCount(), 61);
    std::vector<int> highest(5, 0);
    for (int i = 1; i <= 60; ++i)
        for (int x = 0; x < 5; ++x)
            highest[size_t(x)] = std::max(highest[size_t(x)], columnBar(doc->frames().at(i), 8, 5, x));
    EXPECT_GT(highest[0], 1);
    EXPECT_EQ(highest[1], 0);
    EXPECT_GT(highest[2], 1);
    EXPECT_EQ(highest[3], 0);
    EXPECT_GT(highest[4], 1);

    // The even range is the other half.
    auto even = documentOf(8, 5);
    PatternTarget evenTarget{*even, 0, BlockArea(), &palette};
    ASSERT_EQ(generateJumpingNotes(evenTarget, {60, false, 2}, random), 60);
    for (int i = 1; i <= 60; ++i) {
        const Frame &f = even->frames().at(i);
        EXPECT_EQ(columnBar(f, 8, 5, 0) + columnBar(f, 8, 5, 2) + columnBar(f, 8, 5, 4), 0) << "frame " << i;
        EXPECT_GT(columnBar(f, 8, 5, 1), 0) << "frame " << i;
    }
}

TEST_F(JumpingNotes, BarsStandOnTheBottomRowAndRiseAndFallOneCellAFrame)
{
    constexpr int rows = 12;
    constexpr int cols = 6;
    auto doc = documentOf(rows, cols, 3);
    doc->goToFrame(1);
    PaletteState palette;
    palette.colours = {kRed, kGreen, kBlue, kYellow, kWhite}; // shorter than the tallest bars
    PatternTarget target{*doc, 1, BlockArea(), &palette};    // inserted whatever the AddMode
    PatternRandom random(11);
    ASSERT_EQ(generateJumpingNotes(target, {120, false, 0}, random), 120);
    ASSERT_EQ(doc->frameCount(), 123);
    EXPECT_EQ(doc->currentIndex(), 121);

    bool tallerThanPalette = false;
    std::vector<int> before(cols, -1);
    for (int i = 2; i <= 121; ++i) {
        const Frame &f = doc->frames().at(i);
        int counted = 0;
        for (int x = 0; x < cols; ++x) {
            const int t = columnBar(f, rows, cols, x);
            counted += t;
            // After the lead-in every bar is up: a fall to 1 is followed by
            // the next rise from 1.
            EXPECT_GE(t, 1) << "frame " << i << " column " << x;
            if (before[size_t(x)] >= 0) {
                EXPECT_LE(std::abs(t - before[size_t(x)]), 1) << "frame " << i << " column " << x;
            }
            before[size_t(x)] = t;
            // The tip takes the first colour; bars longer than the palette
            // start over at it.
            for (int j = 0; j < t; ++j)
                ASSERT_EQ(f.at(x, rows - t + j, cols), palette.colours[size_t(j) % 5])
                    << "frame " << i << " column " << x << " cell " << j;
            tallerThanPalette = tallerThanPalette || t > 5;
        }
        EXPECT_EQ(litCells(f), counted) << "nothing floats above a bar, frame " << i;
    }
    EXPECT_TRUE(tallerThanPalette);
    EXPECT_EQ(doc->frames().at(122), doc->backgroundFrame()); // the frame after stays
}

TEST_F(JumpingNotes, TheFirstFiftySimulatedFramesAreNotShown)
{
    // One column: its bar rises to peaks drawn one after another, each
    // below the row count, and the frames shown start at simulated frame 50.
    constexpr int rows = 9;
    auto doc = documentOf(rows, 1);
    PaletteState palette;
    PatternTarget target{*doc, 0, BlockArea(), &palette};
    PatternRandom random(3);
    ASSERT_EQ(generateJumpingNotes(target, {40, false, 0}, random), 40);

    PatternRandom again(3);
    std::vector<int> heights;
    while (heights.size() < 90) {
        const int k = again.below(rows);
        for (int t = 1; t <= k; ++t)
            heights.push_back(t);
        for (int t = k; t >= 1; --t)
            heights.push_back(t);
    }
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(columnBar(doc->frames().at(i + 1), rows, 1, 0), heights[size_t(50 + i)]) << "frame " << i + 1;
}

TEST_F(JumpingNotes, HorizontalBarsGrowFromTheLeftWithTheFirstColourAtTheirTip)
{
    constexpr int rows = 4;
    constexpr int cols = 10;
    auto doc = documentOf(rows, cols);
    PaletteState palette;
    PatternTarget target{*doc, 0, BlockArea(), &palette};
    PatternRandom random(5);
    ASSERT_EQ(generateJumpingNotes(target, {30, true, 2}, random), 30);
    for (int i = 1; i <= 30; ++i) {
        const Frame &f = doc->frames().at(i);
        for (int y = 0; y < rows; ++y) {
            int t = 0;
            while (t < cols && f.at(t, y, cols) != kBlack)
                ++t;
            if (y % 2 == 0) {
                EXPECT_EQ(t, 0) << "row " << y << " of frame " << i << " is not in the range";
                continue;
            }
            ASSERT_GE(t, 1);
            for (int j = 0; j < t; ++j)
                EXPECT_EQ(f.at(t - 1 - j, y, cols), palette.colours[size_t(j) % 3]);
            for (int x = t; x < cols; ++x)
                EXPECT_EQ(f.at(x, y, cols), kBlack);
        }
    }
}

TEST_F(JumpingNotes, ALineOfOneCellStaysDark)
{
    auto doc = documentOf(1, 4);
    PaletteState palette;
    PatternTarget target{*doc, 0, BlockArea(), &palette};
    PatternRandom random;
    ASSERT_EQ(generateJumpingNotes(target, {5, false, 0}, random), 5);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(litCells(doc->frames().at(i)), 0);
}

TEST_F(JumpingNotes, AnEmptyPaletteOrAnOversizedCountIsRefusedBeforeAnythingIsMade)
{
    auto doc = documentOf(24, 40);
    PaletteState empty;
    empty.colours.clear();
    PatternTarget target{*doc, 0, BlockArea(), &empty};
    ScriptedPrompt prompt;
    EXPECT_EQ(runJumpingNotes(target, {100, false, 0}, prompt), 0);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("调色板中颜色为空")});
    // Even a count of 0: the palette is checked first.
    EXPECT_EQ(runJumpingNotes(target, {0, false, 0}, prompt), 0);
    EXPECT_EQ(prompt.texts().size(), 2);

    PaletteState palette;
    PatternTarget full{*doc, 0, BlockArea(), &palette};
    ScriptedPrompt budget;
    // Two thousand million frames of 960 points: refused at once, no
    // simulation of them is started.
    EXPECT_EQ(runJumpingNotes(full, {2000000000, false, 0}, budget), 0);
    EXPECT_EQ(budget.texts(), QStringList{tooManyFramesText()});
    EXPECT_EQ(doc->frameCount(), 1);
}

} // namespace

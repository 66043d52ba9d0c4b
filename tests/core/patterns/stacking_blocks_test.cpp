// Stacking blocks: lanes, spawning, targets, the fixed falling sequence,
// the palette flow foreground, the area taken at page creation, AddModes.
#include "patterns/stacking_blocks.h"
#include "patterns/flow_direction.h"
#include "pattern_test_support.h"
#include "scripted_prompt.h"

#include <algorithm>

namespace {

using Stacking = PatternTest;

StackingParams strip4(int direction, int frequency)
{
    StackingParams p;
    p.blockHeight = 1;
    p.blockWidth = 1;
    p.frequency = frequency;
    p.direction = direction;
    p.area = {0, 0, 3, 0};
    return p;
}

std::vector<std::string> strips(const Document &doc, int first, int count)
{
    std::vector<std::string> out;
    for (int i = first; i < first + count; ++i)
        out.push_back(strip(doc, i));
    return out;
}

TEST_F(Stacking, OneAtATimeEachBlockSlidesToItsTargetBeforeTheNextStarts)
{
    auto doc = documentOf(1, 4);
    PatternTarget target{*doc};
    // A block that reached its target in the last move is joined by the
    // next one in the same frame.
    ASSERT_EQ(generateStacking(target, strip4(0, 0)), 7);
    EXPECT_EQ(strips(*doc, 1, 7),
              (std::vector<std::string>{"#...", ".#..", "..#.", "#..#", ".#.#", "#.##", "####"}));
}

TEST_F(Stacking, WithAFrequencyABlockStartsEveryFewFrames)
{
    auto doc = documentOf(1, 4);
    PatternTarget target{*doc};
    EXPECT_EQ(generateStacking(target, strip4(0, 2)), 7);
    EXPECT_EQ(strips(*doc, 1, 7),
              (std::vector<std::string>{"#...", ".#..", "#.#.", ".#.#", "#.##", ".###", "####"}));
}

TEST_F(Stacking, RightToLeftPilesUpAtTheLeft)
{
    auto doc = documentOf(1, 4);
    PatternTarget target{*doc};
    ASSERT_EQ(generateStacking(target, strip4(1, 0)), 7);
    EXPECT_EQ(strips(*doc, 1, 7),
              (std::vector<std::string>{"...#", "..#.", ".#..", "#..#", "#.#.", "##.#", "####"}));
}

TEST_F(Stacking, FallingWithoutFrequencyRunsTheFixedSequence)
{
    auto doc = documentOf(4, 1);
    PatternTarget target{*doc};
    StackingParams p = strip4(2, 0);
    p.area = {0, 0, 0, 3};
    EXPECT_EQ(generateStacking(target, p), 7);
    auto column = [&](int i) {
        std::string s;
        for (const std::string &row : picture(*doc, i))
            s += row;
        return s;
    };
    // Layers J = 1, 2, 3: the block falls to one row above its layer; the
    // layers below it are complete; one last frame fills the area.
    const std::vector<std::string> expected = {"#...", ".#..", "..#.", "#..#", ".#.#", "#.##", "####"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(column(i + 1), expected[size_t(i)]) << "frame " << i + 1;
}

TEST_F(Stacking, LaneCountFollowsTheThicknessAgainstTheGrid)
{
    struct Case
    {
        int direction, height, width, expected;
    };
    // Grid of 10 rows and 7 columns. Sideways motion compares the height
    // with the rows, up and down compare the width with the columns.
    const Case cases[] = {
        {0, 10, 1, 1}, {1, 12, 1, 1}, {0, 5, 1, 2}, {0, 4, 1, 3}, {0, -4, 1, 3},
        {2, 1, 7, 1},  {3, 1, 9, 1},  {2, 1, 3, 2}, {3, 1, 2, 3}, {2, 0, 0, 3},
    };
    for (const Case &c : cases) {
        StackingParams p;
        p.direction = c.direction;
        p.blockHeight = c.height;
        p.blockWidth = c.width;
        EXPECT_EQ(stackingLaneCount(p, 10, 7), c.expected) << c.direction << " " << c.height << "x" << c.width;
    }
}

TEST_F(Stacking, ABlockAsWideAsTheGridUsesOneLaneSpanningTheArea)
{
    auto doc = documentOf(6, 5);
    PatternTarget target{*doc};
    StackingParams p;
    p.blockHeight = 2;
    p.blockWidth = 9;
    p.frequency = 3;
    p.direction = 3; // bottom to top
    p.area = {0, 0, 4, 5};
    const int made = generateStacking(target, p);
    ASSERT_GT(made, 3);
    for (int i = 1; i <= made; ++i)
        for (const std::string &row : picture(*doc, i))
            EXPECT_TRUE(row == "#####" || row == ".....") << "frame " << i << ": " << row;
    EXPECT_EQ(picture(*doc, 1), (std::vector<std::string>{".....", ".....", ".....", ".....", "#####", "#####"}));
}

TEST_F(Stacking, LanesTakeBandsOfTheBlockThicknessInTurn)
{
    // Thickness 1 across 5 rows gives three lanes: rows 0 and 3 are lane
    // 0, rows 1 and 4 lane 1, row 2 lane 2.
    auto doc = documentOf(5, 3);
    PatternTarget target{*doc};
    StackingParams p;
    p.blockHeight = 1;
    p.blockWidth = 1;
    p.frequency = 1;
    p.direction = 0;
    p.area = {0, 0, 2, 4};
    generateStacking(target, p);
    EXPECT_EQ(picture(*doc, 1), (std::vector<std::string>{"#..", "...", "...", "#..", "..."}));
    EXPECT_EQ(picture(*doc, 2), (std::vector<std::string>{".#.", "#..", "...", ".#.", "#.."}));
    EXPECT_EQ(picture(*doc, 3), (std::vector<std::string>{"..#", ".#.", "#..", "..#", ".#."}));
}

TEST_F(Stacking, APaletteFlowRecoloursOnlyTheBlocksAndAdvancesOncePerFrame)
{
    auto doc = documentOf(2, 3);
    PaletteState palette;
    palette.colours = {kGreen, kBlue, kWhite};
    palette.selected = 0;
    PatternTarget target{*doc};
    target.palette = &palette;
    StackingParams p;
    p.foreground = kStackingFlowItemBase + int(FlowDirection::Down);
    p.background = 7;
    p.blockHeight = 2;
    p.blockWidth = 1;
    p.frequency = 0;
    p.direction = 0;
    p.area = {0, 0, 2, 1};
    ScriptedPrompt prompt;
    const int made = runStacking(target, p, prompt);
    EXPECT_TRUE(prompt.shown.empty());
    ASSERT_GT(made, 2);
    EXPECT_EQ(palette.selected, made % 3);
    // "Down": the bottom row takes the selected entry, the row above the next.
    EXPECT_EQ(picture(*doc, 1), (std::vector<std::string>{"B..", "G.."}));
    EXPECT_EQ(picture(*doc, 2), (std::vector<std::string>{".W.", ".B."}));
    for (int i = 1; i <= made; ++i)
        for (ColorValue c : doc->frames().at(i).pixels())
            EXPECT_NE(c, kRed) << "frame " << i; // the solid stand-in never shows
}

TEST_F(Stacking, TheFlowStandInIsTheColourAfterTheBackground)
{
    // With no palette to flow, the blocks keep the stand-in colour: the
    // list colour after the background (white -> black wraps to red).
    auto doc = documentOf(1, 2);
    PatternTarget target{*doc};
    StackingParams p = strip4(0, 0);
    p.area = {0, 0, 1, 0};
    p.foreground = kStackingFlowItemBase;
    p.background = 1; // yellow: the stand-in is green
    generateStacking(target, p);
    EXPECT_EQ(strip(*doc, 1), "GY");
}

TEST_F(Stacking, UsesTheAreaItWasGivenNotThePanelsAreaNow)
{
    auto doc = documentOf(1, 6);
    PatternTarget target{*doc, 0, drawnArea(0, 0, 1, 0)};
    StackingParams p = strip4(0, 0);
    p.area = {2, 0, 5, 0};
    ASSERT_EQ(generateStacking(target, p), 7);
    EXPECT_EQ(strip(*doc, 1), "..#...");
    EXPECT_EQ(strip(*doc, 7), "..####");
}

TEST_F(Stacking, OutsideTheAreaFramesKeepTheConstructorsStartValue)
{
    auto doc = documentOf(1, 4);
    doc->setBackgroundColor(0x40);
    PatternTarget target{*doc};
    StackingParams p = strip4(0, 0);
    p.area = {1, 0, 2, 0};
    const int made = generateStacking(target, p);
    for (int i = 1; i <= made; ++i) {
        EXPECT_EQ(doc->frames().at(i)[0], 0x404040u);
        EXPECT_EQ(doc->frames().at(i)[3], 0x404040u);
    }
}

TEST_F(Stacking, NegativeBlockSizesCountAsOne)
{
    auto doc = documentOf(1, 4);
    PatternTarget target{*doc};
    StackingParams p = strip4(0, 0);
    p.blockHeight = -3;
    p.blockWidth = -1;
    EXPECT_EQ(generateStacking(target, p), 7);
}

TEST_F(Stacking, CurrentFrameModeKeepsTheLengthAndShowsTheLastFrame)
{
    auto inserted = documentOf(1, 4);
    PatternTarget insertTarget{*inserted};
    const int made = generateStacking(insertTarget, strip4(0, 2));

    auto doc = documentOf(1, 4, 3);
    doc->goToFrame(1);
    doc->setNewFrameCopiesCurrent(true); // what the AddMode drop-down does
    PatternTarget target{*doc, 2};
    EXPECT_EQ(generateStacking(target, strip4(0, 2)), made);
    EXPECT_EQ(doc->frameCount(), 3);
    EXPECT_EQ(doc->currentIndex(), 1);
    EXPECT_EQ(strip(*doc, 1), strip(*inserted, made));
}

TEST_F(Stacking, OverwriteFromTheLastFrameAppendsTheRunAndOneMoreFrame)
{
    auto inserted = documentOf(1, 4);
    PatternTarget insertTarget{*inserted};
    const int n = generateStacking(insertTarget, strip4(0, 0));

    auto doc = documentOf(1, 4, 2);
    doc->goToFrame(1);
    doc->setNewFrameCopiesCurrent(true);
    PatternTarget target{*doc, 1};
    EXPECT_EQ(generateStacking(target, strip4(0, 0)), n);
    // The first generated frame lies over the old last frame; the others
    // follow, then one frame from the constructor, which is current.
    ASSERT_EQ(doc->frameCount(), 2 + n);
    for (int k = 1; k <= n; ++k)
        EXPECT_EQ(strip(*doc, k), strip(*inserted, k)) << k;
    EXPECT_EQ(doc->currentIndex(), n + 1);
    EXPECT_EQ(strip(*doc, n + 1), "####"); // a copy of the frame before it
}

TEST_F(Stacking, EqualColoursAreRefusedOnlyForAColourForeground)
{
    auto doc = documentOf(1, 4);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    StackingParams p = strip4(0, 0);
    p.foreground = 7;
    p.background = 7;
    EXPECT_EQ(runStacking(target, p, prompt), 0);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("前景色和背景色相同")});
    p.foreground = kStackingFlowItemBase + 7; // a flow direction, background black
    EXPECT_EQ(runStacking(target, p, prompt), 7);
    EXPECT_EQ(prompt.shown.size(), 1u);
}

} // namespace

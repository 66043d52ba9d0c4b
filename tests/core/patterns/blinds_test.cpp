// Blinds: slats, phases, repetitions, the area and the insert-always rule.
#include "patterns/blinds.h"
#include "pattern_test_support.h"
#include "scripted_prompt.h"

namespace {

using Blinds = PatternTest;

TEST_F(Blinds, ThreeSlatsOverTenColumnsAreFourFourAndACutTwo)
{
    auto doc = documentOf(1, 10);
    PatternTarget target{*doc};
    const BlindsParams p{0, 7, 1, 0, 3, 1};
    EXPECT_EQ(blindsSlatSize(p, {0, 0, 9, 0}), 4);
    EXPECT_EQ(generateBlinds(target, p), 8);
    const std::vector<std::string> expected = {
        "#...#...#.", "##..##..##", "###.###.##", "##########", // foreground sweeps in
        ".###.###.#", "..##..##..", "...#...#..", "..........", // background sweeps back
    };
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(strip(*doc, k + 1), expected[size_t(k)]) << "frame " << k + 1;
}

TEST_F(Blinds, ACutSlatSweptFromItsFarSideStartsBeyondTheEdge)
{
    auto doc = documentOf(1, 10);
    PatternTarget target{*doc};
    EXPECT_EQ(generateBlinds(target, {0, 7, 1, 1, 3, 1}), 8);
    // Slat 2 is columns 8..11, of which 10 and 11 lie outside the grid.
    EXPECT_EQ(strip(*doc, 1), "...#...#..");
    EXPECT_EQ(strip(*doc, 2), "..##..##..");
    EXPECT_EQ(strip(*doc, 3), ".###.###.#");
    EXPECT_EQ(strip(*doc, 4), "##########");
}

TEST_F(Blinds, TwoRepetitionsMakeTwiceTheFrames)
{
    for (int step : {1, 3}) {
        auto once = documentOf(1, 10);
        auto twice = documentOf(1, 10);
        PatternTarget t1{*once}, t2{*twice};
        const int a = generateBlinds(t1, {0, 7, step, 0, 3, 1});
        const int b = generateBlinds(t2, {0, 7, step, 0, 3, 2});
        EXPECT_EQ(b, 2 * a);
        EXPECT_EQ(b, blindsFrameCount({0, 7, step, 0, 3, 2}, {0, 0, 9, 0}));
        EXPECT_EQ(twice->frameCount(), 1 + b);
        // The second repetition repeats the first.
        for (int k = 1; k <= a; ++k)
            EXPECT_EQ(picture(*twice, k), picture(*twice, k + a));
    }
}

TEST_F(Blinds, CountsOfZeroOrLessCountAsOne)
{
    auto doc = documentOf(1, 4);
    PatternTarget target{*doc};
    // One slat of four lines, step 1, once: 4 + 4 frames.
    EXPECT_EQ(generateBlinds(target, {0, 7, 0, 0, -2, 0}), 8);
    EXPECT_EQ(strip(*doc, 1), "#...");
}

TEST_F(Blinds, RowsForTheUpAndDownDirectionsAndBlackOutsideTheArea)
{
    auto doc = documentOf(5, 3);
    PatternTarget target{*doc, 0, drawnArea(1, 0, 2, 3)};
    EXPECT_EQ(generateBlinds(target, {2, 7, 1, 3, 2, 1}), 4); // bottom to top, slats of 2 rows
    EXPECT_EQ(picture(*doc, 1), (std::vector<std::string>{"...", ".GG", "...", ".GG", "..."}));
    EXPECT_EQ(picture(*doc, 3), (std::vector<std::string>{".GG", "...", ".GG", "...", "..."}));
}

TEST_F(Blinds, InsertsWhateverTheAddMode)
{
    auto doc = documentOf(1, 4, 3);
    PatternTarget target{*doc, 2};
    EXPECT_EQ(generateBlinds(target, {0, 7, 1, 0, 2, 1}), 4);
    EXPECT_EQ(doc->frameCount(), 7);
    EXPECT_EQ(doc->currentIndex(), 4);
    EXPECT_EQ(strip(*doc, 0), "....");
    EXPECT_EQ(strip(*doc, 1), "#.#.");
}

TEST_F(Blinds, EqualColoursShowTheMessage)
{
    auto doc = documentOf(1, 4);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    EXPECT_EQ(runBlinds(target, {7, 7, 1, 0, 2, 1}, prompt), 0);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("前景色和背景色相同")});
    EXPECT_EQ(doc->frameCount(), 1);
}

} // namespace

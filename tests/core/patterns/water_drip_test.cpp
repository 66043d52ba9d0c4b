// Water drip: the frame counts, the falling and spreading frames.
#include "patterns/water_drip.h"
#include "pattern_test_support.h"
#include "scripted_prompt.h"

namespace {

using WaterDrip = PatternTest;

TEST_F(WaterDrip, ASingleColumnHasNoSpreadingFrames)
{
    auto doc = documentOf(4, 1);
    PatternTarget target{*doc};
    EXPECT_EQ(waterDripFrameCount(4, 1), 10);
    EXPECT_EQ(generateWaterDrip(target, {0, 7, 0}), 10);
    auto column = [&](int i) {
        std::string s;
        for (const std::string &row : picture(*doc, i))
            s += row;
        return s;
    };
    const std::vector<std::string> expected = {"#...", ".#..", "..#.", "...#", "#..#",
                                               ".#.#", "..##", "#.##", ".###", "####"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(column(i + 1), expected[size_t(i)]) << "frame " << i + 1;
}

TEST_F(WaterDrip, TheDefaultGridMakesSevenHundredEightyFramesAfterTheCurrentOne)
{
    auto doc = documentOf(24, 40, 3);
    doc->goToFrame(1);
    PatternTarget target{*doc, 2}; // inserted whatever the AddMode
    EXPECT_EQ(waterDripFrameCount(24, 40), 24 * 25 / 2 + 24 * 20);
    EXPECT_EQ(generateWaterDrip(target, {4, 6, 1}), 780);
    EXPECT_EQ(doc->frameCount(), 783);
    EXPECT_EQ(doc->currentIndex(), 781);
    const Frame &last = doc->frames().at(781);
    EXPECT_TRUE(std::all_of(last.pixels().begin(), last.pixels().end(), [](ColorValue c) { return c == kBlue; }));
    EXPECT_EQ(doc->frames().at(2).at(20, 0, 40), kBlue); // the drop starts in column Cols / 2
    EXPECT_EQ(doc->frames().at(2).at(19, 0, 40), kWhite);
}

TEST_F(WaterDrip, TheDropFallsThenSpreadsOverTheRowAboveTheWater)
{
    auto doc = documentOf(3, 4);
    PatternTarget target{*doc};
    EXPECT_EQ(generateWaterDrip(target, {0, 7, 0}), 12);
    using P = std::vector<std::string>;
    EXPECT_EQ(picture(*doc, 1), (P{"..#.", "....", "...."}));
    EXPECT_EQ(picture(*doc, 3), (P{"....", "....", "..#."}));
    EXPECT_EQ(picture(*doc, 4), (P{"....", "....", ".###"}));
    EXPECT_EQ(picture(*doc, 5), (P{"....", "....", "####"}));
    EXPECT_EQ(picture(*doc, 6), (P{"..#.", "....", "####"}));
    EXPECT_EQ(picture(*doc, 8), (P{"....", ".###", "####"}));
    EXPECT_EQ(picture(*doc, 10), (P{"..#.", "####", "####"}));
    EXPECT_EQ(picture(*doc, 11), (P{".###", "####", "####"}));
    EXPECT_EQ(picture(*doc, 12), (P{"####", "####", "####"}));
}

TEST_F(WaterDrip, IgnoresTheDefinedArea)
{
    auto doc = documentOf(2, 2);
    PatternTarget target{*doc, 0, drawnArea(0, 0, 0, 0)};
    EXPECT_EQ(generateWaterDrip(target, {0, 7, 0}), int(waterDripFrameCount(2, 2)));
    EXPECT_EQ(picture(*doc, doc->frameCount() - 1), (std::vector<std::string>{"##", "##"}));
}

TEST_F(WaterDrip, EqualColoursShowTheMessage)
{
    auto doc = documentOf(2, 2);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    EXPECT_EQ(runWaterDrip(target, {2, 2, 0}, prompt), 0);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("前景色和背景色相同")});
}

} // namespace

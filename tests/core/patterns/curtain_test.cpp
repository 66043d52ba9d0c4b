// Curtain: frame counts, the sweep from each side, the area and the add rule.
#include "patterns/curtain.h"
#include "pattern_test_support.h"
#include "scripted_prompt.h"

namespace {

using Curtain = PatternTest;

TEST_F(Curtain, FortyColumnsInStepsOfThreeMakeFourteenFramesEndingAllForeground)
{
    auto doc = documentOf(2, 40);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    EXPECT_EQ(runCurtain(target, {0, 7, 3, 0}, prompt), 14);
    ASSERT_EQ(doc->frameCount(), 15);
    // Frame k of the run has min(3k, 40) red columns from the left.
    EXPECT_EQ(strip(*doc, 1), std::string(3, '#') + std::string(37, '.'));
    EXPECT_EQ(strip(*doc, 13), std::string(39, '#') + ".");
    EXPECT_EQ(picture(*doc, 14), std::vector<std::string>(2, std::string(40, '#')));
    EXPECT_EQ(doc->currentIndex(), 14);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(Curtain, StepsOfZeroOrLessCountAsOne)
{
    for (int step : {0, -3, 1}) {
        auto doc = documentOf(1, 40);
        PatternTarget target{*doc};
        EXPECT_EQ(generateCurtain(target, {0, 7, step, 0}), 40) << step;
        EXPECT_EQ(strip(*doc, 1), "#" + std::string(39, '.'));
    }
}

TEST_F(Curtain, EachDirectionStartsAtItsOwnSide)
{
    struct Case
    {
        int direction;
        std::vector<std::string> first;
    };
    const Case cases[] = {
        {0, {"#...", "#...", "#..."}},
        {1, {"...#", "...#", "...#"}},
        {2, {"####", "....", "...."}},
        {3, {"....", "....", "####"}},
    };
    for (const Case &c : cases) {
        auto doc = documentOf(3, 4);
        PatternTarget target{*doc};
        const int made = generateCurtain(target, {0, 7, 1, c.direction});
        EXPECT_EQ(made, c.direction < 2 ? 4 : 3) << c.direction;
        EXPECT_EQ(picture(*doc, 1), c.first) << c.direction;
    }
}

TEST_F(Curtain, OutsideADefinedAreaEveryFrameIsBlack)
{
    auto doc = documentOf(4, 6);
    PatternTarget target{*doc, 0, drawnArea(1, 1, 3, 2)};
    EXPECT_EQ(generateCurtain(target, {0, 6, 2, 0}), 2); // three columns, two per frame
    EXPECT_EQ(picture(*doc, 1), (std::vector<std::string>{"......", ".##W..", ".##W..", "......"}));
    EXPECT_EQ(picture(*doc, 2), (std::vector<std::string>{"......", ".###..", ".###..", "......"}));
}

TEST_F(Curtain, AnAreaNotDrawnYetCountsAsNoArea)
{
    auto doc = documentOf(1, 5);
    BlockArea pending;
    pending.defined = true; // the define button was pressed, nothing drawn
    PatternTarget target{*doc, 0, pending};
    EXPECT_EQ(generateCurtain(target, {0, 7, 1, 0}), 5);
}

TEST_F(Curtain, OverwriteAndCurrentFrameBothStoreAndAdvance)
{
    for (int mode : {1, 2}) {
        auto doc = documentOf(1, 3, 5);
        doc->goToFrame(1);
        PatternTarget target{*doc, mode};
        EXPECT_EQ(generateCurtain(target, {0, 7, 1, 0}), 3);
        EXPECT_EQ(doc->frameCount(), 5) << mode;
        EXPECT_EQ(strip(*doc, 1), "#..");
        EXPECT_EQ(strip(*doc, 3), "###");
        EXPECT_EQ(doc->currentIndex(), 4) << mode;
    }
}

TEST_F(Curtain, EqualColoursShowTheMessageAndMakeNothing)
{
    auto doc = documentOf(2, 2);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    EXPECT_EQ(runCurtain(target, {3, 3, 1, 0}, prompt), 0);
    EXPECT_EQ(doc->frameCount(), 1);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, QStringLiteral("前景色和背景色相同"));
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::None);
}

} // namespace

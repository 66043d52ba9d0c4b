// Runs whose frames would not fit in memory are refused before any frame
// is made; the frame counts the refusal rests on agree with real runs.
#include "document/frame_repeat.h"
#include "patterns/blinds.h"
#include "patterns/curtain.h"
#include "patterns/pattern_key_run.h"
#include "patterns/stacking_blocks.h"
#include "patterns/water_drip.h"
#include "pattern_test_support.h"
#include "scripted_prompt.h"

namespace {

class PatternBudget : public PatternTest
{
protected:
    // The run made nothing and said why.
    void expectRefused(int made, const Document &doc, int framesBefore)
    {
        EXPECT_EQ(made, 0);
        EXPECT_EQ(doc.frameCount(), framesBefore);
        EXPECT_EQ(prompt.texts(), QStringList{tooManyFramesText()});
    }
    ScriptedPrompt prompt;
};

TEST_F(PatternBudget, WaterDripOverA256By256GridIsRefused)
{
    // 256 x 257 / 2 + 256 x 128 = 65,664 frames of 256 KiB: about 17 GB.
    auto doc = documentOf(256, 256);
    PatternTarget target(*doc);
    expectRefused(runWaterDrip(target, {0, 7, 0}, prompt), *doc, 1);
}

TEST_F(PatternBudget, BlindsRepeatedWithoutBoundAreRefused)
{
    auto doc = documentOf(2, 2);
    PatternTarget target(*doc);
    BlindsParams p;
    p.repeat = 2000000000;
    expectRefused(runBlinds(target, p, prompt), *doc, 1);
}

TEST_F(PatternBudget, StackingAtAHugeFrequencyIsRefused)
{
    auto doc = documentOf(4, 4);
    PatternTarget target(*doc);
    StackingParams p;
    p.frequency = 1000000000;
    p.area = GridRect{0, 0, 3, 3};
    expectRefused(runStacking(target, p, prompt), *doc, 1);
}

TEST_F(PatternBudget, CurtainThatFitsStillRuns)
{
    auto doc = documentOf(3, 40);
    PatternTarget target(*doc);
    CurtainParams p;
    p.step = 3;
    EXPECT_EQ(runCurtain(target, p, prompt), 14);
    EXPECT_TRUE(prompt.shown.empty());
}

// The stacking count is worked out without making frames; every shape of
// run (falling one at a time, moving with and without a frequency, one to
// three lanes, blocks longer than the area) must give what the run makes.
TEST(StackingFrameCount, AgreesWithTheFramesARunMakes)
{
    struct Shape
    {
        int rows, cols;
        GridRect area;
    };
    const Shape shapes[] = {{4, 4, {0, 0, 3, 3}}, {6, 5, {1, 0, 4, 5}}, {3, 7, {0, 0, 6, 2}}, {1, 1, {0, 0, 0, 0}}};
    int checked = 0;
    for (const Shape &s : shapes)
        for (int direction = 0; direction < 4; ++direction)
            for (int frequency : {0, 1, 3, 7})
                for (int block : {1, 2, 3, 9}) {
                    StackingParams p;
                    p.direction = direction;
                    p.frequency = frequency;
                    p.blockHeight = block;
                    p.blockWidth = block == 9 ? 1 : block;
                    p.area = s.area;
                    auto doc = documentOf(s.rows, s.cols);
                    PatternTarget target(*doc);
                    const int made = generateStacking(target, p);
                    EXPECT_EQ(stackingFrameCount(p, s.rows, s.cols), made)
                        << s.rows << "x" << s.cols << " direction " << direction << " frequency " << frequency
                        << " block " << block;
                    ++checked;
                }
    EXPECT_EQ(checked, 256);
}

TEST(StackingFrameCount, FourByFourFallingInTwoByTwoBlocksByHand)
{
    // Two lanes of 2 x 2 blocks over four rows. Each block of the bottom
    // layer is shown at rows 0-1 and 1-2 before it rests at 2-3; the top
    // layer only appears in the final frame of the full area:
    // 2 lanes x 2 + 1 = 5 frames.
    StackingParams p;
    p.direction = 2; // top to bottom
    p.frequency = 0;
    p.blockHeight = 2;
    p.blockWidth = 2;
    p.area = GridRect{0, 0, 3, 3};
    EXPECT_EQ(stackingFrameCount(p, 4, 4), 5);
}

} // namespace

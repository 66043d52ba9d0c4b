// A run stopped by its listener (the progress dialog's Cancel) ends after
// the frame in hand: the frames made so far stay, exactly as a full run
// made them, and the document is announced once, with a valid current
// frame.
#include "patterns/blinds.h"
#include "patterns/curtain.h"
#include "patterns/stacking_blocks.h"
#include "patterns/water_drip.h"
#include "pattern_test_support.h"

#include <QSignalSpy>
#include <cctype>
#include <functional>

namespace {

using Family = std::function<int(PatternTarget &)>;

struct StopCase
{
    const char *name;
    Family run;
};

const StackingParams kStacking{0, 7, 1, 1, 2, 0, GridRect{0, 0, 5, 3}};

class StoppedRuns : public ::testing::TestWithParam<StopCase>
{
};

TEST_P(StoppedRuns, KeepTheFramesMadeSoFar)
{
    const StopCase &c = GetParam();
    // The whole run, for comparison.
    auto full = documentOf(4, 6);
    PatternTarget whole{*full};
    const int all = c.run(whole);
    ASSERT_GT(all, 5) << c.name; // so that a stop after 5 cuts it short

    for (int stopAt : {1, 5}) {
        SCOPED_TRACE(stopAt);
        auto doc = documentOf(4, 6);
        QSignalSpy counted(doc.get(), &Document::framesChanged);
        PatternTarget target{*doc};
        int calls = 0;
        target.progress = [&](int64_t made, int64_t) {
            ++calls;
            return made < stopAt;
        };
        EXPECT_EQ(c.run(target), stopAt);
        // One call per frame made, and the one at the end.
        EXPECT_EQ(calls, stopAt + 1);
        ASSERT_EQ(doc->frameCount(), 1 + stopAt);
        for (int i = 0; i <= stopAt; ++i)
            EXPECT_EQ(doc->frames()[i], full->frames()[i]) << "frame " << i;
        EXPECT_EQ(doc->currentIndex(), stopAt);
        EXPECT_EQ(counted.count(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Families, StoppedRuns,
    ::testing::Values(StopCase{"curtain", [](PatternTarget &t) { return generateCurtain(t, {0, 7, 1, 0}); }},
                      StopCase{"blinds", [](PatternTarget &t) { return generateBlinds(t, {0, 7, 1, 0, 2, 3}); }},
                      StopCase{"water drip", [](PatternTarget &t) { return generateWaterDrip(t, {0, 7, 0}); }},
                      StopCase{"stacking, moving", [](PatternTarget &t) { return generateStacking(t, kStacking); }},
                      StopCase{"stacking, falling",
                               [](PatternTarget &t) {
                                   StackingParams p = kStacking;
                                   p.frequency = 0;
                                   p.direction = 2;
                                   return generateStacking(t, p);
                               }}),
    [](const ::testing::TestParamInfo<StopCase> &info) {
        std::string name = info.param.name;
        for (char &ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(StoppedRuns, TheStackingRunKnowsHowManyFramesItWillMake)
{
    // The progress dialog's bar needs the total in advance.
    auto doc = documentOf(4, 6);
    PatternTarget target{*doc};
    int64_t expectedSeen = -1;
    target.progress = [&](int64_t, int64_t expected) {
        expectedSeen = expected;
        return true;
    };
    const int made = generateStacking(target, kStacking);
    EXPECT_EQ(expectedSeen, made);
    EXPECT_EQ(expectedSeen, stackingFrameCount(kStacking, 4, 6));
}

} // namespace

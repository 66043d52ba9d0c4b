#include "editing/brightness.h"
#include "transform_fixtures.h"

#include <gtest/gtest.h>

namespace {

TEST(BrightnessTable, TheDefaultPointsLeaveEveryLevelAlone)
{
    const BrightnessTable t = brightnessTable(BrightnessCurve{});
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(t[size_t(v)], v);
}

TEST(BrightnessTable, PassesThroughTheEndPointsAndBothControlPoints)
{
    const BrightnessCurve c{40, 100, 180, 220};
    const BrightnessTable t = brightnessTable(c);
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[255], 255);
    EXPECT_EQ(t[40], 100);
    EXPECT_EQ(t[180], 220);
    EXPECT_EQ(t[20], 50);   // halfway to point 1
    EXPECT_EQ(t[110], 160); // halfway between the points
}

TEST(BrightnessTable, IsMonotonicWhenThePointsRise)
{
    std::mt19937 gen(3);
    std::uniform_int_distribution<int> level(0, 255);
    for (int round = 0; round < 200; ++round) {
        int x1 = level(gen), x2 = level(gen), y1 = level(gen), y2 = level(gen);
        if (y1 > y2)
            std::swap(y1, y2);
        if (x1 > x2)
            std::swap(x1, x2);
        const BrightnessTable t = brightnessTable(BrightnessCurve{x1, y1, x2, y2});
        for (int v = 1; v < 256; ++v)
            ASSERT_LE(t[size_t(v - 1)], t[size_t(v)]) << x1 << "," << y1 << " " << x2 << "," << y2 << " at " << v;
    }
}

TEST(BrightnessTable, OrdersThePointsByXAndClampsThem)
{
    EXPECT_EQ(brightnessTable(BrightnessCurve{200, 10, 50, 30}), brightnessTable(BrightnessCurve{50, 30, 200, 10}));
    EXPECT_EQ((BrightnessCurve{300, -5, 10, 20}.normalised()), (BrightnessCurve{10, 20, 255, 0}));
}

TEST(BrightnessTable, PointsOnTheEdgesLiftBlackAndCapWhite)
{
    const BrightnessTable t = brightnessTable(BrightnessCurve{0, 60, 255, 180});
    EXPECT_EQ(t[0], 60);
    EXPECT_EQ(t[255], 180);
    EXPECT_EQ(t[128], 120);
}

TEST(AdjustBrightness, MapsEachComponentInsideTheBlockOfTheRange)
{
    Document doc(gridOf(2, 3));
    for (int f = 0; f < 3; ++f)
        doc.insertFrameAfterCurrent(Frame(6, makeColor(20, 110, 255)));
    BlockArea area;
    area.defined = true;
    area.x0 = 1;
    area.x1 = 2;
    area.y0 = 1;
    area.y1 = 1;
    ASSERT_TRUE(adjustBrightness(doc, FrameRange{1, 2}, area, BrightnessCurve{40, 100, 180, 220}));
    const ColorValue same = makeColor(20, 110, 255);
    const ColorValue mapped = makeColor(50, 160, 255);
    EXPECT_EQ(doc.frames()[0].pixels(), std::vector<ColorValue>(6, same));
    EXPECT_EQ(doc.frames()[2].pixels(), std::vector<ColorValue>(6, same));
    EXPECT_EQ(doc.frames()[1].pixels(), (std::vector<ColorValue>{same, same, same, same, mapped, mapped}));

    area.defined = false;
    ASSERT_TRUE(adjustBrightness(doc, FrameRange{2, 3}, area, BrightnessCurve{40, 100, 180, 220}));
    EXPECT_EQ(doc.frames()[2].pixels(), std::vector<ColorValue>(6, mapped));
    EXPECT_FALSE(adjustBrightness(doc, FrameRange{0, 4}, area, BrightnessCurve{}));
}

} // namespace

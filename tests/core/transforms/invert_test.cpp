#include "editing/invert.h"
#include "transform_fixtures.h"

#include <gtest/gtest.h>

namespace {

BlockArea block(int x0, int y0, int x1, int y1)
{
    BlockArea a;
    a.defined = true;
    a.x0 = x0;
    a.y0 = y0;
    a.x1 = x1;
    a.y1 = y1;
    return a;
}

TEST(InvertColours, ComplementsEachComponentWithATopByteOfZero)
{
    ColorValue px[3] = {makeColor(0, 128, 255), 0xFF000000u | makeColor(1, 2, 3), 0};
    invertColours(px, 3);
    EXPECT_EQ(px[0], makeColor(255, 127, 0));
    EXPECT_EQ(px[1], makeColor(254, 253, 252));
    EXPECT_EQ(px[2], 0x00FFFFFFu);
}

TEST(InvertFrames, TheBlockOfFrames2To3LeavesFrame1AndTheOutsideUnchanged)
{
    Document doc(gridOf(4, 5));
    fillTagged(doc, 4);
    const std::vector<Frame> before = framesOf(doc);
    const BlockArea area = block(1, 1, 3, 2);
    ASSERT_TRUE(invertFrames(doc, *FrameRange::fromDialog(2, 3, 4), area));
    for (int f = 0; f < 4; ++f)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const ColorValue was = before[size_t(f)].at(x, y, 5);
                const bool inverted = (f == 1 || f == 2) && area.rect().contains(x, y);
                EXPECT_EQ(doc.frames()[f].at(x, y, 5), inverted ? (~was & 0xFFFFFFu) : was)
                    << "frame " << f << " at " << x << "," << y;
            }
}

TEST(InvertFrames, WithoutAUsableBlockWholeFramesAreInverted)
{
    // Not defined; defined but not drawn (x0 = -1); drawn but larger than
    // the grid: each counts as no block.
    BlockArea notDefined = block(0, 0, 1, 1);
    notDefined.defined = false;
    BlockArea notDrawn = block(-1, 0, 1, 1);
    const BlockArea tooLarge = block(0, 0, 9, 1);
    for (const BlockArea &a : {notDefined, notDrawn, tooLarge}) {
        Document doc(gridOf(2, 3));
        fillTagged(doc, 2);
        const std::vector<Frame> before = framesOf(doc);
        ASSERT_TRUE(invertFrames(doc, FrameRange{1, 2}, a));
        EXPECT_EQ(doc.frames()[0], before[0]);
        for (size_t i = 0; i < 6; ++i)
            EXPECT_EQ(doc.frames()[1][i], ~before[1][i] & 0xFFFFFFu);
    }
}

TEST(InvertFrames, TwiceRestoresAndABadRangeChangesNothing)
{
    Document doc(gridOf(3, 3));
    fillTagged(doc, 3);
    const std::vector<Frame> before = framesOf(doc);
    EXPECT_FALSE(invertFrames(doc, FrameRange{2, 4}, BlockArea{}));
    EXPECT_EQ(framesOf(doc), before);
    ASSERT_TRUE(invertFrames(doc, FrameRange{0, 3}, block(0, 0, 2, 2)));
    EXPECT_NE(framesOf(doc), before);
    ASSERT_TRUE(invertFrames(doc, FrameRange{0, 3}, block(0, 0, 2, 2)));
    EXPECT_EQ(framesOf(doc), before);
}

} // namespace

#include "document/colour_replace.h"
#include "transform_fixtures.h"

#include <gtest/gtest.h>

namespace {

struct BasicCase
{
    int from;
    int to;
    ColorValue before;
    ColorValue after; // equal to before: no match
};

class BasicReplacement : public ::testing::TestWithParam<BasicCase>
{
};

TEST_P(BasicReplacement, KeepsTheLevelAndChangesOnlyMatchingPoints)
{
    const BasicCase c = GetParam();
    ColorValue px = c.before;
    replaceBasic(&px, 1, c.from, c.to);
    EXPECT_EQ(px, c.after) << std::hex << "from " << c.from << " to " << c.to << " of " << c.before;
}

constexpr ColorValue rgb(unsigned r, unsigned g, unsigned b) { return makeColor(r, g, b); }

INSTANTIATE_TEST_SUITE_P(
    MatchTable, BasicReplacement,
    ::testing::Values(
        // red: R != 0, G = B = 0, level R
        BasicCase{BasicRed, BasicGreen, rgb(128, 0, 0), rgb(0, 128, 0)},
        BasicCase{BasicRed, BasicGreen, rgb(128, 1, 0), rgb(128, 1, 0)},
        BasicCase{BasicRed, BasicGreen, rgb(0, 0, 0), rgb(0, 0, 0)},
        // yellow: R = G != 0, B = 0, level R
        BasicCase{BasicYellow, BasicCyan, rgb(90, 90, 0), rgb(0, 90, 90)},
        BasicCase{BasicYellow, BasicCyan, rgb(90, 91, 0), rgb(90, 91, 0)},
        // green: level G
        BasicCase{BasicGreen, BasicMagenta, rgb(0, 7, 0), rgb(7, 0, 7)},
        // cyan: R = 0, G = B != 0, level G
        BasicCase{BasicCyan, BasicRed, rgb(0, 200, 200), rgb(200, 0, 0)},
        BasicCase{BasicCyan, BasicRed, rgb(0, 200, 199), rgb(0, 200, 199)},
        // blue: level B
        BasicCase{BasicBlue, BasicWhite, rgb(0, 0, 33), rgb(33, 33, 33)},
        // magenta: R = B != 0, G = 0, level B
        BasicCase{BasicMagenta, BasicYellow, rgb(64, 0, 64), rgb(64, 64, 0)},
        BasicCase{BasicMagenta, BasicYellow, rgb(64, 1, 64), rgb(64, 1, 64)},
        // white: R = G = B != 0, level R
        BasicCase{BasicWhite, BasicBlue, rgb(17, 17, 17), rgb(0, 0, 17)},
        BasicCase{BasicWhite, BasicBlue, rgb(0, 0, 0), rgb(0, 0, 0)},
        // black: all 0, level 255
        BasicCase{BasicBlack, BasicBlue, rgb(0, 0, 0), rgb(0, 0, 255)},
        BasicCase{BasicBlack, BasicBlue, rgb(0, 0, 1), rgb(0, 0, 1)},
        // to black: every match goes to 0
        BasicCase{BasicGreen, BasicBlack, rgb(0, 99, 0), rgb(0, 0, 0)}));

struct OrderCase
{
    ComponentOrder order;
    ColorValue expected; // of (R, G, B) = (1, 2, 3)
};

class ComponentReorder : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(ComponentReorder, FollowsTheOrderTable)
{
    ColorValue px = makeColor(1, 2, 3);
    reorderComponents(&px, 1, GetParam().order);
    EXPECT_EQ(px, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(OrderTable, ComponentReorder,
                         ::testing::Values(OrderCase{ComponentOrder::RBG, rgb(1, 3, 2)},
                                           OrderCase{ComponentOrder::GRB, rgb(2, 1, 3)},
                                           OrderCase{ComponentOrder::GBR, rgb(2, 3, 1)},
                                           OrderCase{ComponentOrder::BRG, rgb(3, 1, 2)},
                                           OrderCase{ComponentOrder::BGR, rgb(3, 2, 1)}));

// --- over a document -------------------------------------------------------------

// A 2 x 2 document of three frames of one colour.
struct ThreeFrames : Document
{
    explicit ThreeFrames(ColorValue fill) : Document(gridOf(2, 2))
    {
        for (int f = 0; f < 3; ++f)
            insertFrameAfterCurrent(Frame(4, fill));
    }
};

TEST(ReplaceColours, BlackByBlueTurnsEveryBlackPointOfTheRangeBlue)
{
    Document doc(gridOf(2, 2));
    doc.insertFrameAfterCurrent(Frame(4, 0));
    Frame mixed(4, 0);
    mixed[1] = rgb(5, 0, 0);
    doc.insertFrameAfterCurrent(mixed);
    ColourReplacement r;
    r.oldIndex = BasicBlack;
    r.newIndex = BasicBlue;
    ASSERT_TRUE(replaceColours(doc, FrameRange{1, 2}, r));
    EXPECT_EQ(doc.frames()[0].pixels(), std::vector<ColorValue>(4, 0)); // outside the range
    EXPECT_EQ(doc.frames()[1].pixels(),
              (std::vector<ColorValue>{rgb(0, 0, 255), rgb(5, 0, 0), rgb(0, 0, 255), rgb(0, 0, 255)}));
}

TEST(ReplaceColours, ACustomSideReplacesExactColoursOnly)
{
    Document doc(gridOf(1, 3));
    Frame f(3);
    f[0] = 0x0064FF;
    f[1] = 0x0064FE;
    f[2] = 0x0064FF;
    doc.insertFrameAfterCurrent(f);
    ColourReplacement r; // opens custom 0x0064FF -> custom 0x64FF00
    ASSERT_TRUE(replaceColours(doc, FrameRange{0, 1}, r));
    EXPECT_EQ(doc.frames()[0].pixels(), (std::vector<ColorValue>{0x64FF00, 0x0064FE, 0x64FF00}));
}

TEST(ReplaceColours, ABasicSideFacingACustomSideUsesItsOwnColourNotAStaleCustomOne)
{
    // The old side shows basic red while its custom colour is still the
    // opening 0x0064FF: full red is replaced, 0x0064FF is left alone.
    Document doc(gridOf(1, 2));
    Frame f(2);
    f[0] = basicColour(BasicRed);
    f[1] = 0x0064FF;
    doc.insertFrameAfterCurrent(f);
    ColourReplacement r;
    r.oldIndex = BasicRed;
    ASSERT_TRUE(replaceColours(doc, FrameRange{0, 1}, r));
    EXPECT_EQ(doc.frames()[0].pixels(), (std::vector<ColorValue>{0x64FF00, 0x0064FF}));
}

TEST(ReplaceColours, SameColoursAreRecognisedByWhatEachSideStandsFor)
{
    ColourReplacement r;
    EXPECT_FALSE(r.sidesAreSame());
    r.newCustom = r.oldCustom;
    EXPECT_TRUE(r.sidesAreSame());
    r.oldIndex = BasicGreen; // custom colours equal but the old side shows green
    EXPECT_FALSE(r.sidesAreSame());
    r.newIndex = BasicGreen;
    EXPECT_TRUE(r.sidesAreSame());
    r.newIndex = kNewCustomIndex;
    r.newCustom = basicColour(BasicGreen);
    EXPECT_TRUE(r.sidesAreSame());

    ThreeFrames doc(basicColour(BasicGreen));
    EXPECT_FALSE(replaceColours(doc, FrameRange{0, 3}, r));
    EXPECT_EQ(doc.frames()[0][0], basicColour(BasicGreen));
}

TEST(ReplaceColours, ReorderingChangesEveryPointOfTheRangeOnly)
{
    ThreeFrames doc(rgb(10, 20, 30));
    ColourReplacement r;
    r.reorder = true;
    r.order = ComponentOrder::BGR;
    ASSERT_TRUE(replaceColours(doc, FrameRange{0, 2}, r));
    EXPECT_EQ(doc.frames()[0][3], rgb(30, 20, 10));
    EXPECT_EQ(doc.frames()[1][0], rgb(30, 20, 10));
    EXPECT_EQ(doc.frames()[2][0], rgb(10, 20, 30));
}

TEST(ReplaceColours, RefusesARangeOutsideTheFramesOrAnUnknownIndex)
{
    ThreeFrames doc(0);
    ColourReplacement r;
    r.oldIndex = BasicBlack;
    r.newIndex = BasicRed;
    EXPECT_FALSE(replaceColours(doc, FrameRange{2, 4}, r));
    EXPECT_FALSE(replaceColours(doc, FrameRange{1, 1}, r));
    r.newIndex = 12;
    EXPECT_FALSE(replaceColours(doc, FrameRange{0, 3}, r));
    r.newIndex = kOldCustomIndex; // the old side's custom cell is not the new side's
    EXPECT_FALSE(replaceColours(doc, FrameRange{0, 3}, r));
    EXPECT_EQ(doc.frames()[0][0], 0u);
}

} // namespace

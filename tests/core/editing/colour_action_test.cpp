// The twelve colour actions, including carries and borrows across colour
// bytes.
#include "editing/colour_action.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Case
{
    int index;
    ColorValue a; // old colour
    ColorValue d; // brush colour
    ColorValue expected;
    const char *what;
};

const Case kCases[] = {
    {0, 0x123456, 0xABCDEF, 0xABCDEF, "replace takes the brush"},
    {1, 0x123456, 0x000000, 0xEDCBA9, "invert ignores the brush"},
    {1, 0x000000, 0xFFFFFF, 0xFFFFFF, "invert of black is white"},
    {2, 0x0F0F0F, 0x00FFFF, 0x000F0F, "and"},
    {3, 0x0F0000, 0x0000F0, 0x0F00F0, "or"},
    {4, 0x123456, 0x123456, 0x000000, "xor with the same colour is black"},
    {4, 0xFF00FF, 0x00FF00, 0xFFFFFF, "xor"},
    {5, 0x0000FF, 0x000001, 0x000100, "add carries red into green"},
    {5, 0x00FF00, 0x000100, 0x010000, "add carries green into blue"},
    {5, 0xFFFFFF, 0x000001, 0x000000, "add wraps at 24 bits"},
    {6, 0x000100, 0x000001, 0x0000FF, "subtract borrows from green"},
    {6, 0x010000, 0x000001, 0x00FFFF, "subtract borrows across two bytes"},
    {6, 0x000000, 0x000001, 0xFFFFFF, "subtract wraps below zero"},
    {7, 0x00FF00, 0xFFFFFF, 0xFF00FF, "not-and"},
    {8, 0xFF0000, 0x000000, 0x00FFFF, "not-or"},
    {8, 0xFFFFFF, 0x000012, 0x000012, "not-or keeps the brush bits"},
    {9, 0x123456, 0x123456, 0xFFFFFF, "nxor of equal colours is white"},
    {9, 0xFF0000, 0x00FF00, 0x0000FF, "nxor"},
    {10, 0x000001, 0x000000, 0xFFFFFE, "not-add is d - a - 1"},
    {10, 0x0000FF, 0x000100, 0x000000, "not-add carries out of the top"},
    {10, 0x000000, 0x000001, 0x000000, "not-add of black"},
    {11, 0x000000, 0x000001, 0xFFFFFE, "not-subtract is -d - a - 1"},
    {11, 0xFFFFFF, 0x000001, 0xFFFFFF, "not-subtract borrows below zero"},
    {11, 0x00FF00, 0x000100, 0xFEFFFF, "not-subtract borrows from blue"},
    {12, 0x123456, 0x00ABCD, 0x00ABCD, "an index past the list replaces"},
    {-1, 0x123456, 0x00ABCD, 0x00ABCD, "a negative index replaces"},
    {5, 0xFF000010, 0x01, 0x000011, "the top byte of the old colour is ignored"},
};

TEST(ColourActionRules, EveryRuleGivesItsDocumentedResult)
{
    for (const Case &c : kCases) {
        EXPECT_EQ(combineColours(c.index, c.a, c.d), c.expected) << c.what;
        EXPECT_EQ(combineColours(c.index, c.a, c.d) & 0xFF000000u, 0u) << c.what;
    }
}

TEST(ColourActionRuns, ARunMatchesThePointRuleAndSkipsTheKeyColour)
{
    std::vector<ColorValue> dst = {0x0000FF, 0x000100, 0x123456, 0x000000};
    const std::vector<ColorValue> src = {0x000001, 0x000001, 0x000000, 0x000005};
    for (int action = 0; action < kColourActionCount; ++action) {
        std::vector<ColorValue> run = dst;
        combineRun(ColourAction(action), run.data(), src.data(), run.size());
        for (size_t i = 0; i < run.size(); ++i)
            EXPECT_EQ(run[i], combineColours(action, dst[i], src[i])) << "action " << action << " point " << i;
    }
    std::vector<ColorValue> run = dst;
    const ColorValue key = 0x000000;
    combineRun(ColourAction::Replace, run.data(), src.data(), run.size(), &key);
    EXPECT_EQ(run, (std::vector<ColorValue>{0x000001, 0x000001, 0x123456, 0x000005}));
}

} // namespace

#include "wiring/fill_order.h"
#include "wiring/wiring_operations.h"
#include "wiring_test_support.h"

#include <gtest/gtest.h>

namespace {

struct FillCase
{
    int order;
    const char *threeByTwo;   // 3 columns x 2 rows: abc / def
    const char *fourByThree;  // 4 columns x 3 rows: abcd / efgh / ijkl
};

// Written out by hand from the runs, directions and snake rule of each order.
const FillCase kFillCases[] = {
    {0, "abcdef", "abcdefghijkl"},  {1, "cbafed", "dcbahgfelkji"},  {2, "cfbead", "dhlcgkbfjaei"},
    {3, "fcebda", "lhdkgcjfbiea"},  {4, "abcfed", "abcdhgfeijkl"},  {5, "defcba", "ijklhgfeabcd"},
    {6, "cbadef", "dcbaefghlkji"},  {7, "fedabc", "lkjiefghdcba"},  {8, "adebcf", "aeijfbcgklhd"},
    {9, "dabefc", "ieabfjkgcdhl"},  {10, "cfebad", "dhlkgcbfjiea"}, {11, "fcbeda", "lhdcgkjfbaei"},
    {12, "defabc", "ijklefghabcd"}, {13, "fedcba", "lkjihgfedcba"}, {14, "adbecf", "aeibfjcgkdhl"},
    {15, "daebfc", "ieajfbkgclhd"},
};

class FillOrders : public ::testing::TestWithParam<FillCase>
{
};

TEST_P(FillOrders, WalkTheRectangleInTheWrittenOrder)
{
    const FillCase &c = GetParam();
    EXPECT_EQ(cellWord(fillOrderCells(c.order, {0, 0, 2, 1}), 3), QString::fromLatin1(c.threeByTwo));
    EXPECT_EQ(cellWord(fillOrderCells(c.order, {0, 0, 3, 2}), 4), QString::fromLatin1(c.fourByThree));
}

TEST_P(FillOrders, NumberTheChainOfADefinitionInThatOrder)
{
    // The same order reached through a drag: the modifier and direction
    // that choose it, on a grid the rectangle fills exactly.
    const FillCase &c = GetParam();
    for (int mod = 0; mod < 4; ++mod)
        for (int dir = 0; dir < 4; ++dir) {
            if (fillOrderFor(WiringModifier(mod), dir) != c.order)
                continue;
            const QPoint corners[4] = {{0, 0}, {3, 0}, {3, 2}, {0, 2}}; // dir 0..3 anchors
            const QPoint anchor = corners[dir];
            const QPoint release(3 - anchor.x(), 2 - anchor.y());
            Document doc(wiringGrid(3, 4));
            doc.wiring().setKind(CircuitryKind::Led);
            auto done = defineRectangle(doc.wiring(), 0, anchor, release, WiringModifier(mod));
            ASSERT_TRUE(done);
            EXPECT_EQ(done->fillOrder, c.order);
            EXPECT_EQ(chainWord(doc.wiring(), 0), QString::fromLatin1(c.fourByThree));
            // Every order begins at the corner where the drag was anchored.
            EXPECT_EQ(doc.wiring().pixel(0).column, anchor.x());
            EXPECT_EQ(doc.wiring().pixel(0).row, anchor.y());
        }
}

INSTANTIATE_TEST_SUITE_P(AllSixteen, FillOrders, ::testing::ValuesIn(kFillCases),
                         [](const auto &info) { return "Order" + std::to_string(info.param.order); });

TEST(FillOrderChoice, TheHeldKeyChoosesRowsColumnsOrSnakesFromTheAnchor)
{
    // A 2 x 3 grid, cells lettered a b c / d e f. Worked by hand: plain
    // rows, Shift columns, Ctrl a row snake, Alt a column snake, each from
    // the corner where the drag was anchored, towards the release.
    struct Drag
    {
        WiringModifier modifier;
        QPoint anchor, release;
        const char *chain;
    };
    const Drag drags[] = {
        {WiringModifier::None, {0, 0}, {2, 1}, "abcdef"},  // right and down
        {WiringModifier::None, {2, 1}, {0, 0}, "fedcba"},  // left and up
        {WiringModifier::Shift, {0, 1}, {2, 0}, "daebfc"}, // up: columns bottom to top
        {WiringModifier::Ctrl, {2, 0}, {0, 1}, "cbadef"},  // left: the second row turns round
        {WiringModifier::Alt, {0, 0}, {2, 1}, "adebcf"},   // the second column turns round
    };
    for (const Drag &d : drags) {
        Document doc(wiringGrid(2, 3));
        doc.wiring().setKind(CircuitryKind::Led);
        ASSERT_TRUE(defineRectangle(doc.wiring(), 0, d.anchor, d.release, d.modifier));
        EXPECT_EQ(chainWord(doc.wiring(), 0), QString::fromLatin1(d.chain))
            << "modifier " << int(d.modifier) << " from " << d.anchor.x() << "," << d.anchor.y();
    }
}

TEST(FillOrderChoice, CtrlWinsOverShiftAndShiftOverAlt)
{
    EXPECT_EQ(wiringModifier(true, true, true), WiringModifier::Ctrl);
    EXPECT_EQ(wiringModifier(false, true, true), WiringModifier::Shift);
    EXPECT_EQ(wiringModifier(false, false, true), WiringModifier::Alt);
    EXPECT_EQ(wiringModifier(false, false, false), WiringModifier::None);
}

TEST(FillOrderChoice, DirectionComparesReleaseWithAnchor)
{
    EXPECT_EQ(dragDirection({2, 2}, {2, 2}), 0); // a plain click
    EXPECT_EQ(dragDirection({2, 2}, {3, 3}), 0);
    EXPECT_EQ(dragDirection({2, 2}, {1, 2}), 1);
    EXPECT_EQ(dragDirection({2, 2}, {1, 1}), 2);
    EXPECT_EQ(dragDirection({2, 2}, {2, 1}), 3);
}

} // namespace

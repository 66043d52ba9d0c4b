#include "links/controller_params.h"
#include "order_list_test_util.h"

#include <gtest/gtest.h>

namespace {

TEST(ControllerParamsInitial, HoldsThePanelsStartingValues)
{
    const ControllerParams p = ControllerParams::initial(3);
    EXPECT_EQ(p.controllerModel, 0);
    EXPECT_EQ(p.communicationFormat, 2);
    EXPECT_EQ(communicationFormatNames().at(p.communicationFormat), QStringLiteral("SPI595"));
    EXPECT_EQ(p.greyLevels, 256);
    EXPECT_EQ(greyLevelChoices().at(kInitialGreyLevelIndex), 256);
    EXPECT_EQ(p.sdCardSpeed, 3);
    EXPECT_EQ(p.scanEnhancement, 0);
    EXPECT_EQ(p.dividerA, 8);
    EXPECT_EQ(p.dividerB, 7);
    EXPECT_FLOAT_EQ(p.rate, 10.0f);
    EXPECT_EQ(p.cycle, 1);
    EXPECT_EQ(p.groupExtra, 0);
}

TEST(ControllerParamsInitial, ListsKeepTheirIndices)
{
    EXPECT_EQ(controllerModelNames().size(), 4);
    EXPECT_EQ(controllerModelNames().at(1), QStringLiteral("KV-M1"));
    EXPECT_EQ(communicationFormatNames().size(), 14);
    EXPECT_EQ(communicationFormatNames().at(12), QStringLiteral("TLS3001"));
    EXPECT_EQ(communicationFormatNames().at(11), QStringLiteral("LPD8806"));
    EXPECT_EQ(greyLevelChoices(), (QList<int>{2, 8, 16, 32, 64, 128, 256}));
}

struct BaseCase
{
    int baseColorNum;
    const char *list;
};

class InitialOrderList : public ::testing::TestWithParam<BaseCase>
{
};

TEST_P(InitialOrderList, DependsOnTheBaseColourCount)
{
    const ControllerParams p = ControllerParams::initial(GetParam().baseColorNum);
    EXPECT_EQ(describe(p.orderList), QString::fromLatin1(GetParam().list));
}

INSTANTIATE_TEST_SUITE_P(Bases, InitialOrderList,
                         ::testing::Values(BaseCase{1, "1r"}, BaseCase{2, "1b 1g 1r"}, BaseCase{3, "1b 1g 1r"},
                                           BaseCase{0, ""}, BaseCase{4, ""}));

TEST(OrderListLogicalOrder, RunsFromTheBottomRowUp)
{
    const ControllerParams p = ControllerParams::initial(3);
    ASSERT_EQ(p.orderList.count(), 3);
    EXPECT_EQ(p.orderList.logical(0).color, QStringLiteral("r"));
    EXPECT_EQ(p.orderList.logical(2).color, QStringLiteral("b"));
}

struct CycleCase
{
    int baseColorNum;
    int cycle;
    const char *list;
};

class CycleChange : public ::testing::TestWithParam<CycleCase>
{
};

TEST_P(CycleChange, RebuildsTheListForEveryPixelOfTheCycle)
{
    ControllerParams p = ControllerParams::initial(GetParam().baseColorNum);
    p.addNullRow();
    ASSERT_EQ(p.groupExtra, 1);
    p.changeCycle(GetParam().cycle, GetParam().baseColorNum);
    EXPECT_EQ(p.cycle, GetParam().cycle);
    EXPECT_EQ(p.groupExtra, 0);
    EXPECT_EQ(describe(p.orderList), QString::fromLatin1(GetParam().list));
}

INSTANTIATE_TEST_SUITE_P(
    Cycles, CycleChange,
    ::testing::Values(CycleCase{3, 1, "1b 1g 1r"}, CycleCase{3, 2, "1b 1g 1r 2b 2g 2r"},
                      CycleCase{2, 3, "1b 1g 1r 2b 2g 2r 3b 3g 3r"}, CycleCase{1, 3, "1r 2r 3r"},
                      CycleCase{3, 0, ""}, CycleCase{3, -2, ""}));

TEST(NullRow, GoesToTheTopAndCountsInTheGroupExtra)
{
    ControllerParams p = ControllerParams::initial(3);
    p.addNullRow();
    p.addNullRow();
    EXPECT_EQ(describe(p.orderList), QStringLiteral("null null 1b 1g 1r"));
    EXPECT_EQ(p.groupExtra, 2);
    EXPECT_EQ(rgbPictureIndex(p.orderList.row(0).color), 3);
}

TEST(GridRebuild, RestoresTheInitialListAndClearsTheGroupExtra)
{
    ControllerParams p = ControllerParams::initial(3);
    p.changeCycle(2, 3);
    p.addNullRow();
    p.greyLevels = 32;
    p.rebuildOrderList(1);
    EXPECT_EQ(describe(p.orderList), QStringLiteral("1r"));
    EXPECT_EQ(p.groupExtra, 0);
    // The other fields keep their values, the cycle included.
    EXPECT_EQ(p.cycle, 2);
    EXPECT_EQ(p.greyLevels, 32);
}

TEST(RgbPictures, FollowTheColourText)
{
    EXPECT_EQ(rgbPictureIndex(QStringLiteral("r")), 0);
    EXPECT_EQ(rgbPictureIndex(QStringLiteral("g")), 1);
    EXPECT_EQ(rgbPictureIndex(QStringLiteral("b")), 2);
    EXPECT_EQ(rgbPictureIndex(QStringLiteral("null")), 3);
    EXPECT_EQ(rgbPictureIndex(QStringLiteral("red")), -1);
}

struct MoveCase
{
    int from;
    int target;
    const char *after;
    int newIndex;
};

class OrderListDrag : public ::testing::TestWithParam<MoveCase>
{
};

// The list "1b 1g 1r 2b" with a row dragged onto another.
TEST_P(OrderListDrag, TakesThePlaceOfTheRowUnderTheCursor)
{
    ControllerParams p = ControllerParams::initial(3);
    p.orderList.insertAtTop({QStringLiteral("2"), QStringLiteral("b")});
    // Bring "2b" to the bottom so the list reads 1b 1g 1r 2b.
    p.orderList.moveRow(0, 4);
    ASSERT_EQ(describe(p.orderList), QStringLiteral("1b 1g 1r 2b"));
    const int at = p.orderList.moveRow(GetParam().from, GetParam().target);
    EXPECT_EQ(describe(p.orderList), QString::fromLatin1(GetParam().after));
    EXPECT_EQ(at, GetParam().newIndex);
}

INSTANTIATE_TEST_SUITE_P(Moves, OrderListDrag,
                         ::testing::Values(MoveCase{3, 0, "2b 1b 1g 1r", 0}, MoveCase{0, 2, "1g 1b 1r 2b", 1},
                                           MoveCase{0, 4, "1g 1r 2b 1b", 3}, MoveCase{1, 9, "1b 1r 2b 1g", 3},
                                           MoveCase{2, 2, "1b 1g 1r 2b", 2}, MoveCase{2, 1, "1b 1r 1g 2b", 1}));

} // namespace

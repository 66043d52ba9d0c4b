#include "document/document.h"
#include "document/new_grid.h"
#include "links/order_list_follower.h"
#include "order_list_test_util.h"

#include <gtest/gtest.h>

namespace {

GridGeometry grid(int rows, int cols, int base)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    g.baseColorNum = uint8_t(base);
    return g;
}

struct Fixture
{
    Document doc{grid(4, 5, 3)};
    ControllerParams params = ControllerParams::initial(3);
    OrderListFollower follower{doc, params};
    int rebuilt = 0;

    Fixture()
    {
        QObject::connect(&follower, &OrderListFollower::orderListRebuilt, [this] { ++rebuilt; });
        // A list the user arranged: cycle 2 and a "null" row.
        params.changeCycle(2, 3);
        params.addNullRow();
    }
};

TEST(OrderListFollower, ConfirmedGridSettingsRebuildTheList)
{
    Fixture f;
    NewGridValues v = newGridValuesFrom(f.doc.geometry());
    v.rows = 8;
    ASSERT_TRUE(applyNewGridValues(f.doc, v).isEmpty());
    EXPECT_EQ(describe(f.params.orderList), QStringLiteral("1b 1g 1r"));
    EXPECT_EQ(f.params.groupExtra, 0);
    EXPECT_EQ(f.params.cycle, 2);
    EXPECT_GE(f.rebuilt, 1);
}

TEST(OrderListFollower, ASingleColourGridGetsOneRedRow)
{
    Fixture f;
    NewGridValues v = newGridValuesFrom(f.doc.geometry());
    v.baseColourIndex = 0;
    ASSERT_TRUE(applyNewGridValues(f.doc, v).isEmpty());
    EXPECT_EQ(describe(f.params.orderList), QStringLiteral("1r"));
}

TEST(OrderListFollower, RefusedGridSettingsKeepTheList)
{
    Fixture f;
    NewGridValues v = newGridValuesFrom(f.doc.geometry());
    v.rows = 0;
    EXPECT_FALSE(applyNewGridValues(f.doc, v).isEmpty());
    EXPECT_EQ(describe(f.params.orderList), QStringLiteral("null 1b 1g 1r 2b 2g 2r"));
    EXPECT_EQ(f.rebuilt, 0);
}

TEST(OrderListFollower, OpeningAProjectWithAnotherBaseColourCountRebuilds)
{
    Fixture f;
    f.doc.replaceContents(grid(4, 5, 1), {Frame(20)});
    EXPECT_EQ(describe(f.params.orderList), QStringLiteral("1r"));
    EXPECT_EQ(f.params.groupExtra, 0);
    EXPECT_EQ(f.rebuilt, 1);
}

TEST(OrderListFollower, OtherGeometryChangesKeepTheArrangedList)
{
    Fixture f;
    // A project of another size but the same colours, then a rotation.
    f.doc.replaceContents(grid(6, 7, 3), {Frame(42)});
    f.doc.setGeometry(grid(7, 6, 3));
    EXPECT_EQ(describe(f.params.orderList), QStringLiteral("null 1b 1g 1r 2b 2g 2r"));
    EXPECT_EQ(f.params.groupExtra, 1);
    EXPECT_EQ(f.rebuilt, 0);
}

} // namespace

// The dragged rectangle to grid points, and the move dialog's move and
// redefine.
#include "editing/block_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(BlockFromPixels, TakesTheCellsWhoseCentresLieInsideTheRectangle)
{
    const GridPlacement g{100, 50, 20, 10}; // cells 20 x 10, grid at (100, 50)
    const struct
    {
        PixelRect drag;
        GridRect expected;
        const char *what;
    } cases[] = {
        {{100, 50, 160, 80}, {0, 0, 2, 2}, "exactly three cells each way"},
        {{111, 56, 149, 74}, {1, 1, 1, 1}, "only one centre inside"},
        {{109, 54, 151, 76}, {0, 0, 2, 2}, "just past the first and last centres"},
        {{140, 60, 145, 62}, {2, 1, 2, 1}, "narrower than half a cell: one cell"},
        {{160, 80, 100, 50}, {0, 0, 2, 2}, "dragged up and to the left"},
        {{0, 0, 5000, 5000}, {0, 0, 4, 3}, "clamped to the grid"},
        {{900, 900, 1000, 1000}, {4, 3, 4, 3}, "beyond the grid: the last cell"},
        {{0, 0, 10, 10}, {0, 0, 0, 0}, "before the grid: the first cell"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(blockFromPixels(c.drag, g, 4, 5), c.expected) << c.what;
}

TEST(BlockFromPixels, FollowsTheZoomedCellSize)
{
    // CelWidth 20 at zoom 1.6: cells of 32 pixels.
    const GridPlacement g{0, 0, 32, 32};
    EXPECT_EQ(blockFromPixels({64, 0, 160, 32}, g, 10, 10), (GridRect{2, 0, 4, 0}));
    EXPECT_EQ(pixelsOfBlock({2, 0, 4, 0}, g).left, 64);
    EXPECT_EQ(pixelsOfBlock({2, 0, 4, 0}, g).right, 160);
}

TEST(BlockMove, OffsetsAreLimitedSoTheBlockStaysInTheGrid)
{
    BlockArea a{true, 2, 1, 4, 2};
    moveBlock(a, -5, 9, 6, 10);
    EXPECT_EQ(a.rect(), (GridRect{0, 4, 2, 5}));
    moveBlock(a, 20, -1, 6, 10);
    EXPECT_EQ(a.rect(), (GridRect{7, 3, 9, 4}));
    moveBlock(a, -3, 0, 6, 10);
    EXPECT_EQ(a.rect(), (GridRect{4, 3, 6, 4}));
}

TEST(BlockRedefine, TakesTheOneBasedCornerAndSizeClampedToTheGrid)
{
    const struct
    {
        int x, y, w, h;
        GridRect expected;
    } cases[] = {
        {2, 3, 4, 2, {1, 2, 4, 3}},
        {0, -5, 3, 3, {0, 0, 2, 2}},
        {8, 5, 50, 50, {7, 4, 9, 5}},
        {20, 20, 2, 2, {9, 5, 9, 5}}, // corner past the grid: the last point
        {3, 3, 0, -4, {2, 2, 2, 2}},  // no size: one point, never x1 < x0
    };
    for (const auto &c : cases) {
        BlockArea a;
        redefineBlock(a, c.x, c.y, c.w, c.h, 6, 10);
        EXPECT_TRUE(a.defined);
        EXPECT_EQ(a.rect(), c.expected) << c.x << "," << c.y << " " << c.w << "x" << c.h;
        EXPECT_TRUE(a.usable(6, 10));
    }
}

TEST(BlockDiscard, GoesBackToTheStartingRectangleNotDefined)
{
    BlockArea a{true, 0, 0, 1, 1};
    discardArea(a, 24, 40);
    EXPECT_FALSE(a.defined);
    EXPECT_EQ(a.rect(), (GridRect{10, 6, 29, 17}));
}

} // namespace

// The memory frames may take, worked by hand: a frame costs its colours
// (4 bytes a point) and 64 bytes of bookkeeping.
#include "document/frame_budget.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;

TEST(FrameBudget, IsHalfThePhysicalMemoryAndNeverAboveOneGibibyte)
{
    const int64_t physical = int64_t(sysconf(_SC_PHYS_PAGES)) * int64_t(sysconf(_SC_PAGE_SIZE));
    EXPECT_EQ(frameMemoryBudget(), std::min(physical / 2, kGiB));
}

TEST(FrameBudget, FramesOf256By256FitUpTo4095InOneGibibyte)
{
    // 256 x 256 x 4 + 64 = 262,208 bytes; 1 GiB holds 4095 of them
    // (1,073,741,760 bytes) but not 4096 (1,073,987,968).
    EXPECT_EQ(frameBytes(256 * 256), 262208);
    EXPECT_TRUE(framesFit(4095, 256 * 256, kGiB));
    EXPECT_FALSE(framesFit(4096, 256 * 256, kGiB));
}

TEST(FrameBudget, TinyFramesAreCountedWithTheirBookkeeping)
{
    // One point: 68 bytes a frame, 15,790,320 frames in 1 GiB; counted as
    // 4 bytes alone, 268 million would have seemed to fit.
    EXPECT_TRUE(framesFit(15790320, 1, kGiB));
    EXPECT_FALSE(framesFit(15790321, 1, kGiB));
}

TEST(FrameBudget, FrameNumbersStayWellInsideAnInt)
{
    EXPECT_FALSE(framesFit(int64_t(INT_MAX) / 2 + 1, 1, int64_t(1) << 62));
    EXPECT_FALSE(framesFit(-1, 1, kGiB));
    EXPECT_TRUE(framesFit(0, 1 << 24, 0 + frameBytes(0)));
}

} // namespace

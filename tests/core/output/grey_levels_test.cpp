#include "output/grey_levels.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(GreyLevelReduction, EveryLevelShiftsEveryByteValueAlike)
{
    // Long runs go through the eight-bytes-at-a-time path, short tails
    // through the plain one; both must agree with the per-byte rule for
    // every value, with no bits leaking from a neighbouring byte.
    for (int levels : {2, 8, 16, 32, 64, 128, 256}) {
        for (int format : {0, 11}) {
            const GreyLevelReduction reduce(levels, format);
            std::vector<uint8_t> bytes(256 + 5);
            for (size_t i = 0; i < bytes.size(); ++i)
                bytes[i] = uint8_t(255 - i % 256);
            std::vector<uint8_t> reduced = bytes;
            reduce.apply(reduced.data(), reduced.size());
            const int shift = greyLevelShift(levels);
            const unsigned top = levels == 128 && format == 11 ? 0x80 : 0;
            for (size_t i = 0; i < bytes.size(); ++i)
                ASSERT_EQ(reduced[i], uint8_t((bytes[i] >> shift) | top))
                    << levels << " levels, format " << format << ", byte " << i;
        }
    }
}

TEST(GreyLevelReduction, OnlyTheDescribedCountsShift)
{
    EXPECT_EQ(greyLevelShift(2), 7);
    EXPECT_EQ(greyLevelShift(128), 1);
    EXPECT_EQ(greyLevelShift(256), 0);
    EXPECT_EQ(greyLevelShift(4), 0);
    EXPECT_TRUE(GreyLevelReduction(256, 11).identity());
    EXPECT_FALSE(GreyLevelReduction(128, 11).identity());
}

} // namespace

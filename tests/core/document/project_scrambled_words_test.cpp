// The arithmetic of the scrambled layout, checked against a plain
// reference and against hand-worked words.
#include "document/scrambled_words.h"
#include "project_test_files.h"

#include <gtest/gtest.h>

#include <random>

TEST(ScrambledPower, MatchesPlainBinaryExponentiationOverTheWholeRange)
{
    std::mt19937 rng(4711);
    const uint32_t moduli[] = {2, 3, 97, 65521, 16851989u, 4292870399u, 4294967295u, 4294967291u};
    for (uint32_t n : moduli) {
        for (int i = 0; i < 300; ++i) {
            // Bases above n too: the files' maker squares them unreduced.
            const uint32_t base = rng();
            const uint32_t exponent = i < 10 ? uint32_t(i) : rng();
            EXPECT_EQ(scrambledPower(base, exponent, n), testfiles::referencePower(base, exponent, n))
                << base << "^" << exponent << " mod " << n;
        }
    }
}

TEST(ScrambledPower, SmallCasesWorkedByHand)
{
    EXPECT_EQ(scrambledPower(7, 0, 13), 1u);
    EXPECT_EQ(scrambledPower(2, 10, 1000), 24u);         // 1024
    EXPECT_EQ(scrambledPower(3, 5, 7), 5u);              // 243 = 34 * 7 + 5
    EXPECT_EQ(scrambledPower(0xFFFFFFFFu, 2, 10), 5u);   // (2^32 - 1)^2 ends in ...025
    EXPECT_EQ(scrambledExponent(2, 1000003), 131072u);   // 2^17 is below n
}

TEST(ScrambledPixel, MovesEachGroupToItsPlaceThenMasks)
{
    // Word 0x76543210 holds group number g in group g. After the moves,
    // group 5 holds 0, 6 holds 1, 4 holds 2, 0 holds 3, 7 holds 4, 3 holds
    // 5, 2 holds 6 and 1 holds 7: 0x41025673; then the mask.
    EXPECT_EQ(unscramblePixel(0x76543210u), 0x41025673u ^ 0x3C6E1A95u);
    EXPECT_EQ(unscramblePixel(0), 0x3C6E1A95u);
    // A single group moves alone: group 3 lands in group 0.
    EXPECT_EQ(unscramblePixel(0x0000F000u) ^ 0x3C6E1A95u, 0x0000000Fu);
    EXPECT_EQ(unscramblePixel(0xF0000000u) ^ 0x3C6E1A95u, 0x000000F0u);
}

TEST(ScrambledPixel, EveryColourSurvivesTheTestEncoder)
{
    std::mt19937 rng(99);
    for (int i = 0; i < 10000; ++i) {
        const ColorValue c = rng();
        EXPECT_EQ(unscramblePixel(testfiles::scramblePixel(c)), c);
    }
}

TEST(ScrambleKeyForTests, EncodedWordsDecodeBack)
{
    // The test encoder itself must be right before it judges the reader.
    for (const auto &[p, q] : {std::pair<uint32_t, uint32_t>{65521, 65519}, {4099, 4111}}) {
        const testfiles::ScrambleKey k = testfiles::makeScrambleKey(p, q);
        const uint32_t d = testfiles::referencePower(k.key, 17, k.n);
        for (uint32_t w : {0u, 1u, 24u | 40u << 12, 20u | 20u << 16, 12345u, k.n - 1})
            EXPECT_EQ(testfiles::referencePower(testfiles::referencePower(w, k.encodeExponent, k.n), d, k.n), w);
    }
}

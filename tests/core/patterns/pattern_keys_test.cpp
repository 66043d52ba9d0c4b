// The pattern keys: what each action type does with A, D, W, S, B, F, the
// area, the colour action and the AddMode.
#include "patterns/pattern_keys.h"
#include "pattern_test_support.h"

#include <set>

namespace {

using PatternKeys = PatternTest;

constexpr ColorValue kBlank = '_';

Rows moved(const Rows &in, PatternAction action, PatternKey key, int amount)
{
    const int rows = int(in.size()), cols = int(in.front().size());
    Frame out;
    movePatternArea(lettered(in), cols, {0, 0, cols - 1, rows - 1}, action, key, amount, kBlank, out);
    return letters(out, rows, cols);
}

TEST_F(PatternKeys, WorkedExamples)
{
    using A = PatternAction;
    using K = PatternKey;
    struct Case
    {
        A action;
        K key;
        int amount;
        Rows input;
        Rows expected;
    };
    const Case cases[] = {
        {A::Move, K::A, 1, kFourByThree, {"bcd_", "fgh_", "jkl_"}},
        {A::Move, K::D, 1, kFourByThree, {"_abc", "_efg", "_ijk"}},
        {A::Move, K::W, 1, kFourByThree, {"efgh", "ijkl", "____"}},
        {A::Move, K::S, 2, kFourByThree, {"____", "____", "abcd"}},
        {A::Move, K::B, 1, kFourByThree, {"bcda", "fghe", "jkli"}},
        {A::Move, K::F, 1, kFourByThree, {"dabc", "hefg", "lijk"}},
        {A::Symmetry, K::A, 1, {"abcdef"}, {"bc__de"}},
        {A::Symmetry, K::D, 1, {"abcdef"}, {"_abef_"}},
        {A::Symmetry, K::B, 1, {"abcdef"}, {"bcafde"}},
        {A::Symmetry, K::F, 1, {"abcdef"}, {"cabefd"}},
        {A::Symmetry, K::W, 1, {"a", "b", "c", "d", "e"}, {"b", "_", "c", "_", "d"}},
        {A::Symmetry, K::S, 1, {"a", "b", "c", "d", "e"}, {"_", "a", "c", "e", "_"}},
        {A::Interleave, K::A, 1, kFourByThree, {"bcd_", "_efg", "jkl_"}},
        {A::Interleave, K::D, 1, kFourByThree, {"_abc", "fgh_", "_ijk"}},
        {A::Interleave, K::W, 1, kFourByThree, {"e_g_", "ibkd", "_f_h"}},
        {A::Interleave, K::B, 1, kFourByThree, {"bcda", "hefg", "jkli"}},
        {A::Diagonal, K::A, 1, kFourByThree, {"fgh_", "jkl_", "____"}},
        {A::Diagonal, K::W, 1, kFourByThree, {"_efg", "_ijk", "____"}},
        {A::Diagonal, K::S, 1, kFourByThree, {"____", "bcd_", "fgh_"}},
        {A::Diagonal, K::F, 1, kFourByThree, {"lijk", "dabc", "hefg"}},
        // The spiral runs a b c d h l k j i e, then f g.
        {A::Spiral, K::A, 1, kFourByThree, {"_abc", "iefd", "jklh"}},
        {A::Spiral, K::D, 1, kFourByThree, {"bcdh", "fg_l", "eijk"}},
        {A::Spiral, K::B, 1, kFourByThree, {"gabc", "iefd", "jklh"}},
        {A::Spiral, K::W, 1, kFourByThree, {"eabc", "igfd", "jklh"}},
        {A::Spiral, K::S, 1, kFourByThree, {"bcdh", "agfl", "eijk"}},
        {A::Radiate, K::A, 1, kFourByThree, {"ffgg", "f__g", "ffgg"}},
        {A::Radiate, K::D, 1, kFourByThree, {"____", "_ad_", "____"}},
        {A::Radiate, K::W, 1, kFourByThree, {"ffgg", "ffgg", "ffgg"}},
        {A::Radiate, K::S, 1, kFourByThree, {"abcd", "eadh", "ijkl"}},
        {A::Rotate, K::D, 1, {"abc", "def", "ghi"}, {"gda", "heb", "ifc"}},
        {A::Rotate, K::A, 1, {"abc", "def", "ghi"}, {"cfi", "beh", "adg"}},
        {A::Rotate, K::A, 2, {"abc", "def", "ghi"}, {"ihg", "fed", "cba"}},
        {A::Rotate, K::B, 1, kFourByThree, {"dcba", "hgfe", "lkji"}},
        {A::Rotate, K::F, 1, kFourByThree, {"ijkl", "efgh", "abcd"}},
        {A::Rotate, K::F, 2, kFourByThree, kFourByThree},
        {A::Spin, K::A, 1, {"abcd", "efgh", "ijkl", "mnop"}, {"eabc", "ikjd", "mgfh", "nopl"}},
        {A::Spin, K::W, 1, {"abcde", "fghij", "klmno", "pqrst", "uvwxy"},
         {"fabcd", "khine", "pgmsj", "ulqro", "vwxyt"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(moved(c.input, c.action, c.key, c.amount), c.expected)
            << int(c.action) << " key " << patternKeyLetter(c.key) << " x" << c.amount;
}

TEST_F(PatternKeys, EveryTypesSixKeysAreDistinct)
{
    const Rows sample = {"abcdefg", "hijklmn", "opqrstu", "vwxyzAB", "CDEFGHI"};
    for (int a = 0; a < kPatternActionCount; ++a) {
        std::set<Rows> results;
        for (int k = 0; k < kPatternKeyCount; ++k) {
            const Rows r = moved(sample, PatternAction(a), PatternKey(k), 1);
            EXPECT_NE(r, sample) << a << " " << k;
            results.insert(r);
        }
        EXPECT_EQ(results.size(), size_t(kPatternKeyCount)) << "action " << a;
    }
}

TEST_F(PatternKeys, OppositeWrappingKeysUndoEachOther)
{
    const Rows sample = {"abcdef", "ghijkl", "mnopqr", "stuvwx", "yzABCD", "EFGHIJ"};
    const std::pair<PatternAction, std::pair<PatternKey, PatternKey>> pairs[] = {
        {PatternAction::Move, {PatternKey::B, PatternKey::F}},
        {PatternAction::Symmetry, {PatternKey::B, PatternKey::F}},
        {PatternAction::Interleave, {PatternKey::B, PatternKey::F}},
        {PatternAction::Diagonal, {PatternKey::B, PatternKey::F}},
        {PatternAction::Spiral, {PatternKey::B, PatternKey::F}},
        {PatternAction::Spiral, {PatternKey::W, PatternKey::S}},
        {PatternAction::Rotate, {PatternKey::A, PatternKey::D}},
        {PatternAction::Rotate, {PatternKey::B, PatternKey::B}},
        {PatternAction::Spin, {PatternKey::A, PatternKey::D}},
        {PatternAction::Spin, {PatternKey::W, PatternKey::S}},
        {PatternAction::Spin, {PatternKey::B, PatternKey::F}},
    };
    for (const auto &[action, keys] : pairs)
        for (int n : {1, 2, 5})
            EXPECT_EQ(moved(moved(sample, action, keys.first, n), action, keys.second, n), sample)
                << int(action) << " " << patternKeyLetter(keys.first) << " x" << n;
}

TEST_F(PatternKeys, CountsBelowOneCountAsOneAndHugeCountsStayCheap)
{
    EXPECT_EQ(moved(kFourByThree, PatternAction::Move, PatternKey::A, 0),
              moved(kFourByThree, PatternAction::Move, PatternKey::A, 1));
    EXPECT_EQ(moved(kFourByThree, PatternAction::Move, PatternKey::A, -4),
              moved(kFourByThree, PatternAction::Move, PatternKey::A, 1));
    EXPECT_EQ(moved(kFourByThree, PatternAction::Move, PatternKey::B, 4), kFourByThree);
    EXPECT_EQ(moved(kFourByThree, PatternAction::Move, PatternKey::D, 2000000000), (Rows{"____", "____", "____"}));
    EXPECT_EQ(moved(kFourByThree, PatternAction::Spin, PatternKey::A, 2000000000).size(), 3u);
}

TEST_F(PatternKeys, AFifteenDegreeTurnKeepsTheCentreAndTwentyFourMakeAFullTurn)
{
    const Rows sample = {"abcde", "fghij", "klmno", "pqrst", "uvwxy"};
    const Rows turned = moved(sample, PatternAction::Rotate, PatternKey::S, 1);
    EXPECT_EQ(turned[2][2], 'm');
    EXPECT_NE(turned, sample);
    EXPECT_EQ(moved(sample, PatternAction::Rotate, PatternKey::S, 24), sample);
    EXPECT_EQ(moved(sample, PatternAction::Rotate, PatternKey::S, 6), moved(sample, PatternAction::Rotate, PatternKey::D, 1));
}

TEST_F(PatternKeys, TextsAndLetters)
{
    EXPECT_EQ(patternActionText(0), QStringLiteral("移动"));
    EXPECT_EQ(patternActionText(7), QStringLiteral("陀螺"));
    EXPECT_EQ(patternKeyTooltip(PatternKey::W), QStringLiteral("按键盘'W'"));
    Language::setCode(Language::English);
    EXPECT_EQ(patternKeyTooltip(PatternKey::F), "Push down keyboard'F'");
    EXPECT_EQ(patternKeyForLetter(QLatin1Char('s')), int(PatternKey::S));
    EXPECT_EQ(patternKeyForLetter(QLatin1Char('Q')), -1);
    std::set<QString> effects;
    for (int a = 0; a < kPatternActionCount; ++a)
        for (int k = 0; k < kPatternKeyCount; ++k)
            effects.insert(patternKeyEffectText(PatternAction(a), PatternKey(k)));
    EXPECT_EQ(effects.size(), size_t(kPatternActionCount * kPatternKeyCount));
}

} // namespace

#include "document/frame_sequence.h"

#include <gtest/gtest.h>

namespace {

Frame tagged(ColorValue tag) { return Frame(4, tag); }

std::vector<ColorValue> tags(const FrameSequence &s)
{
    std::vector<ColorValue> out;
    for (int i = 0; i < s.count(); ++i)
        out.push_back(s[i][0]);
    return out;
}

TEST(FrameSequence, InsertsAnywhereAndKeepsTheCurrentFrame)
{
    FrameSequence s;
    EXPECT_EQ(s.currentIndex(), -1);
    s.append(tagged(1));
    EXPECT_EQ(s.currentIndex(), 0);
    s.append(tagged(3));
    s.insert(1, tagged(2));
    s.setCurrentIndex(2);
    s.insert(0, tagged(0));
    EXPECT_EQ(tags(s), (std::vector<ColorValue>{0, 1, 2, 3}));
    EXPECT_EQ(s.currentIndex(), 3); // still the frame tagged 3
    EXPECT_EQ((*s.current())[0], 3u);
}

TEST(FrameSequence, RemovingKeepsOrderAndClampsTheCurrentPosition)
{
    FrameSequence s;
    for (ColorValue i = 0; i < 6; ++i)
        s.append(tagged(i));
    s.setCurrentIndex(5);
    s.remove(1, 2);
    EXPECT_EQ(tags(s), (std::vector<ColorValue>{0, 3, 4, 5}));
    EXPECT_EQ(s.currentIndex(), 3);
    s.remove(2, 10);
    EXPECT_EQ(tags(s), (std::vector<ColorValue>{0, 3}));
    EXPECT_EQ(s.currentIndex(), 1);
    s.remove(0, 2);
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.currentIndex(), -1);
    EXPECT_EQ(s.current(), nullptr);
}

TEST(FrameSequence, LongRunsOfInsertsAfterAMovingPositionStayInOrder)
{
    // Mixes inserts at the front, the middle and the back with random access,
    // which moves the gap back and forth.
    FrameSequence s;
    std::vector<ColorValue> model;
    unsigned seed = 7;
    for (ColorValue i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int at = model.empty() ? 0 : int(seed % (model.size() + 1));
        s.insert(at, tagged(i));
        model.insert(model.begin() + at, i);
        if (i % 97 == 0 && !model.empty()) {
            const int victim = int(seed / 7 % model.size());
            s.remove(victim);
            model.erase(model.begin() + victim);
        }
    }
    EXPECT_EQ(tags(s), model);
}

TEST(FrameSequence, TakeAllAndAssignMoveFramesWithoutLosingAny)
{
    FrameSequence s;
    for (ColorValue i = 0; i < 5; ++i)
        s.insert(0, tagged(i));
    auto all = s.takeAll();
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all.front()[0], 4u);
    EXPECT_TRUE(s.empty());
    s.assign(std::move(all), 9);
    EXPECT_EQ(s.currentIndex(), 4);
    EXPECT_EQ(tags(s), (std::vector<ColorValue>{4, 3, 2, 1, 0}));
}

} // namespace

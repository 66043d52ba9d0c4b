#include "document/frame_repeat.h"
#include "transform_fixtures.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Frames whose single point holds their letter.
struct Lettered : Document
{
    explicit Lettered(const std::string &letters) : Document(gridOf(1, 1))
    {
        for (char c : letters)
            insertFrameAfterCurrent(Frame(1, ColorValue(c)));
    }
};

std::string lettersOf(const Document &doc)
{
    std::string s;
    for (int i = 0; i < doc.frameCount(); ++i)
        s += char(doc.frames()[i][0]);
    return s;
}

struct RepeatCase
{
    std::string frames;
    int start, last, n; // dialog fields, 1-based
    std::string expected;
    int current;
};

class RepeatFrames : public ::testing::TestWithParam<RepeatCase>
{
};

TEST_P(RepeatFrames, InsertsCopiesAfterEachFrameAndMakesTheLastCopyCurrent)
{
    const RepeatCase c = GetParam();
    Lettered doc(c.frames);
    doc.goToFrame(0);
    const auto range = FrameRange::fromDialog(c.start, c.last, doc.frameCount());
    ASSERT_TRUE(range);
    EXPECT_EQ(repeatFrames(doc, *range, c.n), RepeatResult::Done);
    EXPECT_EQ(lettersOf(doc), c.expected);
    EXPECT_EQ(doc.currentIndex(), c.current);
}

INSTANTIATE_TEST_SUITE_P(Cases, RepeatFrames,
                         ::testing::Values(RepeatCase{"ab", 1, 2, 2, "aaabbb", 5},
                                           RepeatCase{"xaby", 2, 3, 2, "xaaabbby", 6},
                                           RepeatCase{"abc", 3, 3, 1, "abcc", 3},
                                           RepeatCase{"abc", 1, 1, 3, "aaaabc", 3}));

TEST(RepeatFrames, ACountOfZeroOrLessAddsNothing)
{
    for (int n : {0, -4}) {
        Lettered doc("abc");
        EXPECT_EQ(repeatFrames(doc, FrameRange{0, 2}, n), RepeatResult::NothingToDo);
        EXPECT_EQ(lettersOf(doc), "abc");
    }
}

TEST(RepeatFrames, RefusesACountThatWouldExhaustMemory)
{
    Document doc(gridOf(64, 64));
    doc.insertFrameAfterCurrent(Frame(64 * 64, 5));
    EXPECT_EQ(repeatFrames(doc, FrameRange{0, 1}, 2000000000), RepeatResult::TooManyFrames);
    EXPECT_EQ(doc.frameCount(), 1);
}

TEST(RepeatFrames, CopiesAreIndependentAndTheCountIsAnnouncedOnce)
{
    Lettered doc("ab");
    QSignalSpy frames(&doc, &Document::framesChanged);
    ASSERT_EQ(repeatFrames(doc, FrameRange{0, 1}, 2), RepeatResult::Done);
    EXPECT_EQ(frames.count(), 1);
    doc.frames()[1][0] = 'z';
    EXPECT_EQ(lettersOf(doc), "azab");
}

TEST(RepeatFrames, AStoppedRunKeepsTheCopiesMadeSoFar)
{
    struct StopCase
    {
        int after; // copies made when the listener says stop
        std::string expected;
        int current; // the last copy made
    };
    for (const StopCase &c : {StopCase{1, "aab", 1}, StopCase{2, "aaab", 2}, StopCase{3, "aaabb", 4},
                              StopCase{4, "aaabbb", 5}}) {
        SCOPED_TRACE(c.after);
        Lettered doc("ab");
        QSignalSpy frames(&doc, &Document::framesChanged);
        std::vector<int64_t> made;
        const auto stop = [&](int64_t copies, int64_t total) {
            EXPECT_EQ(total, 4);
            made.push_back(copies);
            return copies < c.after;
        };
        ASSERT_EQ(repeatFrames(doc, FrameRange{0, 2}, 2, stop), RepeatResult::Done);
        EXPECT_EQ(lettersOf(doc), c.expected);
        EXPECT_EQ(doc.currentIndex(), c.current);
        EXPECT_EQ(made.size(), size_t(c.after));
        EXPECT_EQ(made.back(), c.after);
        EXPECT_EQ(frames.count(), 1);
    }
}

TEST(FrameRangeFromDialog, AcceptsOnlyRangesInsideTheFrames)
{
    EXPECT_EQ(FrameRange::fromDialog(2, 3, 3), (FrameRange{1, 3}));
    EXPECT_EQ(FrameRange::fromDialog(1, 1, 1), (FrameRange{0, 1}));
    EXPECT_FALSE(FrameRange::fromDialog(0, 2, 3));  // start before frame 1
    EXPECT_FALSE(FrameRange::fromDialog(3, 2, 3));  // start after end
    EXPECT_FALSE(FrameRange::fromDialog(2, 4, 3));  // end past the last frame
    EXPECT_FALSE(FrameRange::fromDialog(1, 1, 0));  // no frames
    EXPECT_FALSE(FrameRange::fromDialog(INT_MIN, INT_MAX, 3));
}

} // namespace

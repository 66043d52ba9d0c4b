// Taking back what a run added when it had to stop half way: only the new
// frames go, the frames held before stay in their order with their colours.
#include "document/document.h"
#include "document/run_rollback.h"

#include <gtest/gtest.h>

namespace {

// Frames 10, 20, 30 ... of one point each, frame `current` current.
struct Numbered
{
    explicit Numbered(int frames, int current)
    {
        GridGeometry g;
        g.rows = 1;
        g.cols = 1;
        doc.setGeometry(g);
        for (int i = 0; i < frames; ++i)
            doc.frames().append(Frame(1, ColorValue(10 * (i + 1))));
        doc.frames().setCurrentIndex(current);
    }

    std::vector<ColorValue> colours() const
    {
        std::vector<ColorValue> out;
        for (int i = 0; i < doc.frameCount(); ++i)
            out.push_back(doc.frames().at(i)[0]);
        return out;
    }

    Document doc;
};

TEST(RunRollback, FramesInsertedAfterTheCurrentOneAreTakenOut)
{
    Numbered n(3, 1);
    const RunRollback mark(n.doc);
    // A generator run: new frames after the current one, the last current.
    n.doc.insertFrameAfterCurrent(Frame(1, 99));
    n.doc.insertFrameAfterCurrent(Frame(1, 98));
    ASSERT_EQ(n.doc.frameCount(), 5);
    EXPECT_EQ(mark.removeAddedFrames(n.doc), 2);
    EXPECT_EQ(n.colours(), (std::vector<ColorValue>{10, 20, 30}));
    EXPECT_EQ(n.doc.currentIndex(), 1);
}

TEST(RunRollback, CopiesSpreadThroughTheSequenceAreAllFound)
{
    // Frame repetition: a copy after each frame, a, a', b, b', c, c'.
    Numbered n(3, 2);
    const RunRollback mark(n.doc);
    for (int i = 2; i >= 0; --i)
        n.doc.frames().insert(i + 1, n.doc.frames().at(i));
    n.doc.frames().setCurrentIndex(5);
    ASSERT_EQ(n.colours(), (std::vector<ColorValue>{10, 10, 20, 20, 30, 30}));
    EXPECT_EQ(mark.removeAddedFrames(n.doc), 3);
    EXPECT_EQ(n.colours(), (std::vector<ColorValue>{10, 20, 30}));
    EXPECT_EQ(n.doc.currentIndex(), 2);
    // The frames left are the ones held before, not equal copies.
    n.doc.frames().at(0)[0] = 11;
    EXPECT_EQ(n.colours(), (std::vector<ColorValue>{11, 20, 30}));
}

TEST(RunRollback, ARunThatAlsoReplacedFramesIsLeftAsItIs)
{
    Numbered n(3, 0);
    const RunRollback mark(n.doc);
    // One frame replaced by a new buffer and one appended: which of the two
    // new buffers is the added frame cannot be told.
    n.doc.frames().at(1) = Frame(1, 77);
    n.doc.frames().append(Frame(1, 88));
    EXPECT_EQ(mark.removeAddedFrames(n.doc), 0);
    EXPECT_EQ(n.colours(), (std::vector<ColorValue>{10, 77, 30, 88}));
}

TEST(RunRollback, NothingAddedNothingRemoved)
{
    Numbered n(2, 1);
    const RunRollback mark(n.doc);
    n.doc.frames().remove(0);
    EXPECT_EQ(mark.removeAddedFrames(n.doc), 0);
    EXPECT_EQ(n.colours(), (std::vector<ColorValue>{20}));
    Numbered empty(0, -1);
    const RunRollback none(empty.doc);
    empty.doc.frames().append(Frame(1, 5));
    EXPECT_EQ(none.removeAddedFrames(empty.doc), 1);
    EXPECT_EQ(empty.doc.frameCount(), 0);
    EXPECT_EQ(empty.doc.currentIndex(), -1);
}

} // namespace

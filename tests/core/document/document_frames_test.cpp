#include "document/document.h"

#include <QSignalSpy>
#include <chrono>
#include <gtest/gtest.h>

namespace {

GridGeometry grid(int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    return g;
}

TEST(FrameConstructor, FillsFromTheLowByteOfTheBackgroundWithATopByteOfZero)
{
    Document doc(grid(2, 3));
    doc.setBackgroundColor(0x00FFFFFF);
    Frame white = doc.makeFrame();
    ASSERT_EQ(white.size(), 6u);
    EXPECT_EQ(white[5], 0x00FFFFFFu); // equals the background colour itself
    doc.setBackgroundColor(0x00123456);
    EXPECT_EQ(doc.makeFrame()[0], 0x00565656u); // a grey at the red level
}

TEST(FrameConstructor, CopiesTheCurrentFrameOnlyWhenTheSwitchIsOn)
{
    Document doc(grid(1, 2));
    doc.insertFrameAfterCurrent(Frame(2, 0x0000FF00));
    EXPECT_EQ(doc.makeFrame()[0], 0u);
    doc.setNewFrameCopiesCurrent(true);
    EXPECT_EQ(doc.makeFrame()[1], 0x0000FF00u);
}

TEST(FrameOperations, InsertAfterCurrentPlacesTheFrameNextAndMakesItCurrent)
{
    Document doc(grid(1, 1));
    QSignalSpy counted(&doc, &Document::framesChanged);
    doc.insertFrameAfterCurrent(Frame(1, 10));
    doc.insertFrameAfterCurrent(Frame(1, 30));
    doc.goToFrame(0);
    doc.insertFrameAfterCurrent(Frame(1, 20));
    ASSERT_EQ(doc.frameCount(), 3);
    EXPECT_EQ(doc.frames()[1][0], 20u);
    EXPECT_EQ(doc.frames()[2][0], 30u);
    EXPECT_EQ(doc.currentIndex(), 1);
    EXPECT_EQ(counted.count(), 3);
    EXPECT_TRUE(doc.isModified());
}

TEST(FrameOperations, StoreCopiesIntoTheCurrentFrameOrAppendsWhenThereIsNone)
{
    Document doc(grid(1, 2));
    doc.storeFrame(Frame(2, 5));
    EXPECT_EQ(doc.frameCount(), 1);
    EXPECT_EQ(doc.currentIndex(), 0);
    doc.storeFrame(Frame(2, 6));
    EXPECT_EQ(doc.frameCount(), 1);
    EXPECT_EQ((*doc.currentFrame())[1], 6u);
}

TEST(FrameOperations, StoreAndAdvanceOnTheLastFrameGrowsTheSequenceByOne)
{
    Document doc(grid(1, 1));
    doc.setBackgroundColor(0x7F);
    doc.storeFrameAndAdvance(Frame(1, 1));
    doc.storeFrameAndAdvance(Frame(1, 2));
    doc.storeFrameAndAdvance(Frame(1, 3));
    ASSERT_EQ(doc.frameCount(), 4);
    EXPECT_EQ(doc.currentIndex(), 3);
    EXPECT_EQ(doc.frames()[2][0], 3u);
    EXPECT_EQ(doc.frames()[3][0], 0x7F7F7Fu); // the fresh frame from the background

    // In the middle it only moves on.
    doc.goToFrame(0);
    doc.storeFrameAndAdvance(Frame(1, 9));
    EXPECT_EQ(doc.frameCount(), 4);
    EXPECT_EQ(doc.currentIndex(), 1);
    EXPECT_EQ(doc.frames()[0][0], 9u);
}

TEST(FrameOperations, GoToFrameClampsAndIgnoresAnEmptySequence)
{
    Document doc(grid(1, 1));
    QSignalSpy moved(&doc, &Document::currentFrameChanged);
    doc.goToFrame(3);
    EXPECT_EQ(moved.count(), 0);
    for (int i = 0; i < 3; ++i)
        doc.insertFrameAfterCurrent(Frame(1, ColorValue(i)));
    moved.clear();
    doc.goToFrame(99);
    EXPECT_EQ(doc.currentIndex(), 2);
    EXPECT_EQ(moved.count(), 0); // already current
    doc.goToFrame(-4);
    EXPECT_EQ(doc.currentIndex(), 2);
    doc.goToFrame(0);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.takeFirst().at(0).toInt(), 0);
}

TEST(FrameOperations, ABatchAnnouncesEachKindOfChangeOnce)
{
    Document doc(grid(4, 4));
    QSignalSpy frames(&doc, &Document::framesChanged);
    QSignalSpy current(&doc, &Document::currentFrameChanged);
    {
        Document::UpdateBatch batch(doc);
        for (int i = 0; i < 500; ++i)
            doc.insertFrameAfterCurrent(doc.makeFrame());
        EXPECT_EQ(frames.count(), 0);
    }
    EXPECT_EQ(frames.count(), 1);
    EXPECT_EQ(current.count(), 1);
    EXPECT_EQ(doc.frameCount(), 500);
}

TEST(FrameOperations, InsertingManyFramesInTheMiddleStaysLinear)
{
    // 60,000 inserts right after a current frame in the middle of a long
    // sequence: a list that shifts every later frame would take seconds.
    Document doc(grid(2, 2));
    Document::UpdateBatch batch(doc);
    for (int i = 0; i < 20000; ++i)
        doc.insertFrameAfterCurrent(Frame(4, 1));
    doc.goToFrame(10000);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 60000; ++i)
        doc.insertFrameAfterCurrent(Frame(4, 2));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(doc.frameCount(), 80000);
    EXPECT_EQ(doc.currentIndex(), 70000);
    EXPECT_EQ(doc.frames()[70001][0], 1u);
    // A quadratic sequence moves ~1.8 billion frames here (tens of seconds);
    // the bound leaves room for a loaded machine and sanitizer builds.
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(ms, 15000);
#else
    EXPECT_LT(ms, 3000);
#endif
}

} // namespace

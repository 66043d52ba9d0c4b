#include "document/transform_rotate.h"
#include "transform_fixtures.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(Rotate, TurnsClockwiseSoTheLeftColumnReadUpwardsBecomesTheTopRow)
{
    // 2 rows x 3 columns:  a b c      turned:  d a
    //                      d e f               e b
    //                                          f c
    const ColorValue a = 1, b = 2, c = 3, d = 4, e = 5, f = 6;
    const ColorValue src[6] = {a, b, c, d, e, f};
    ColorValue dst[6] = {};
    rotateClockwise(src, dst, 2, 3);
    const ColorValue expected[6] = {d, a, e, b, f, c};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(dst[i], expected[i]) << "at " << i;
}

TEST(Rotate, LargeGridsCrossingTilesFollowTheSameRule)
{
    const int rows = 37, cols = 70; // not multiples of the tile size
    Frame src = taggedFrame(0, rows, cols);
    std::vector<ColorValue> dst(src.size());
    rotateClockwise(src.data(), dst.data(), rows, cols);
    for (int i = 0; i < cols; ++i)
        for (int k = 0; k < rows; ++k)
            ASSERT_EQ(dst[size_t(i) * rows + k], src.at(i, rows - 1 - k, cols)) << i << "," << k;
}

TEST(Rotate, A24By40GridBecomes40By24WithTheCellSizesExchanged)
{
    Document doc(gridOf(24, 40, 12, 30));
    fillTagged(doc, 3);
    doc.goToFrame(1);
    ASSERT_TRUE(rotateQuarterTurn(doc));
    EXPECT_EQ(doc.rows(), 40);
    EXPECT_EQ(doc.cols(), 24);
    EXPECT_EQ(doc.geometry().celWidth, 30);
    EXPECT_EQ(doc.geometry().celHeight, 12);
    EXPECT_EQ(doc.frameCount(), 3);
    EXPECT_EQ(doc.currentIndex(), 1);
    // New top-left is the old bottom-left; new top-right the old top-left.
    EXPECT_EQ(doc.frames()[2].at(0, 0, 24), tagged(2, 0, 23));
    EXPECT_EQ(doc.frames()[2].at(23, 0, 24), tagged(2, 0, 0));
    EXPECT_EQ(doc.frames()[2].at(23, 39, 24), tagged(2, 39, 0));
}

TEST(Rotate, FourTurnsRestoreFramesAndGeometry)
{
    const GridGeometry g = gridOf(24, 40, 12, 30);
    Document doc(g);
    std::mt19937 gen(7);
    for (int f = 0; f < 4; ++f)
        doc.insertFrameAfterCurrent(randomFrame(gen, size_t(g.pointCount())));
    const std::vector<Frame> before = framesOf(doc);
    for (int turn = 0; turn < 4; ++turn) {
        ASSERT_TRUE(rotateQuarterTurn(doc));
        if (turn < 3) {
            EXPECT_NE(framesOf(doc), before) << "turn " << turn;
        }
    }
    EXPECT_EQ(doc.geometry(), g);
    EXPECT_EQ(framesOf(doc), before);
}

TEST(Rotate, KeepsTheWiringListAndMapsOnlyRecordsInsideTheTurnedGrid)
{
    Document doc(gridOf(2, 5));
    fillTagged(doc, 1);
    doc.wiring().setKind(CircuitryKind::Led);
    doc.wiring().append(wiredAt(1, 0, 0, 0)); // inside 5 x 2 as well
    doc.wiring().append(wiredAt(4, 1, 1, 0)); // column 4 is outside 2 columns
    ASSERT_TRUE(rotateQuarterTurn(doc));
    ASSERT_EQ(doc.wiring().count(), 2);
    EXPECT_EQ(doc.wiring().pixel(1), wiredAt(4, 1, 1, 0));
    EXPECT_EQ(doc.wiring().rows(), 5);
    EXPECT_EQ(doc.wiring().cols(), 2);
    ASSERT_EQ(doc.wiring().cellMap().size(), 10u);
    EXPECT_EQ(doc.wiring().cellColour(1, 0), portColour(0));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 2; ++x)
            if (!(x == 1 && y == 0)) {
                EXPECT_EQ(doc.wiring().cellColour(x, y), 0u) << x << "," << y;
            }
    EXPECT_EQ(doc.wiring().kind(), CircuitryKind::Led);
}

TEST(Rotate, AnnouncesTheChangeOnceAndDoesNothingWithoutFrames)
{
    Document empty(gridOf(3, 4));
    EXPECT_FALSE(rotateQuarterTurn(empty));
    EXPECT_EQ(empty.rows(), 3);

    Document doc(gridOf(3, 4));
    fillTagged(doc, 5);
    QSignalSpy geometry(&doc, &Document::geometryChanged);
    QSignalSpy content(&doc, &Document::frameContentChanged);
    QSignalSpy frames(&doc, &Document::framesChanged);
    ASSERT_TRUE(rotateQuarterTurn(doc));
    EXPECT_EQ(geometry.count(), 1);
    EXPECT_EQ(content.count(), 1);
    EXPECT_EQ(frames.count(), 1);
    EXPECT_TRUE(doc.isModified());
}

} // namespace

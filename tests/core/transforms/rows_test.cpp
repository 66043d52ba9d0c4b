#include "document/transform_resize.h"
#include "document/transform_rows.h"
#include "transform_fixtures.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

std::vector<ColorValue> rowOf(const Frame &f, int y, int cols)
{
    return std::vector<ColorValue>(f.data() + size_t(y) * cols, f.data() + size_t(y + 1) * cols);
}

struct ParityCase
{
    RowParity parity;
    int rows;
    std::vector<int> keptRows; // 0-based source rows, in order
};

class ExtractRows : public ::testing::TestWithParam<ParityCase>
{
};

TEST_P(ExtractRows, KeepsTheRowsInOrderAtTheTopAndBlacksTheRest)
{
    const ParityCase c = GetParam();
    const int cols = 3;
    Document doc(gridOf(c.rows, cols));
    fillTagged(doc, 2);
    const Frame original = doc.frames()[1];
    ASSERT_TRUE(extractRows(doc, c.parity));
    EXPECT_EQ(doc.rows(), c.rows);
    const Frame &out = doc.frames()[1];
    for (int y = 0; y < c.rows; ++y) {
        if (y < int(c.keptRows.size()))
            EXPECT_EQ(rowOf(out, y, cols), rowOf(original, c.keptRows[size_t(y)], cols)) << "row " << y;
        else
            EXPECT_EQ(rowOf(out, y, cols), std::vector<ColorValue>(cols, 0)) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parities, ExtractRows,
    ::testing::Values(ParityCase{RowParity::Odd, 5, {0, 2, 4}}, ParityCase{RowParity::Even, 5, {1, 3}},
                      ParityCase{RowParity::Odd, 4, {0, 2}}, ParityCase{RowParity::Even, 4, {1, 3}},
                      ParityCase{RowParity::Odd, 1, {0}}, ParityCase{RowParity::Even, 1, {}}));

// --- adding and deleting rows and columns ---------------------------------------

TEST(AddRow, AppendsABlackBottomRowToEveryFrameAndKeepsTheCurrentFrame)
{
    Document doc(gridOf(2, 3));
    fillTagged(doc, 3);
    doc.goToFrame(1);
    ASSERT_TRUE(addRow(doc));
    EXPECT_EQ(doc.rows(), 3);
    EXPECT_EQ(doc.currentIndex(), 1);
    for (int f = 0; f < 3; ++f) {
        ASSERT_EQ(doc.frames()[f].size(), 9u);
        EXPECT_EQ(doc.frames()[f].at(2, 1, 3), tagged(f, 2, 1));
        EXPECT_EQ(rowOf(doc.frames()[f], 2, 3), std::vector<ColorValue>(3, 0));
    }
}

TEST(AddColumn, AppendsABlackRightColumnToEveryRow)
{
    Document doc(gridOf(2, 3));
    fillTagged(doc, 2);
    ASSERT_TRUE(addColumn(doc));
    EXPECT_EQ(doc.cols(), 4);
    const Frame &f = doc.frames()[0];
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(f.at(x, y, 4), tagged(0, x, y));
        EXPECT_EQ(f.at(3, y, 4), 0u);
    }
}

TEST(AddAndDelete, AddingThenDeletingARowOrAColumnRestoresTheFrames)
{
    Document doc(gridOf(4, 5));
    std::mt19937 gen(11);
    for (int f = 0; f < 3; ++f)
        doc.insertFrameAfterCurrent(randomFrame(gen, 20));
    const std::vector<Frame> before = framesOf(doc);
    ASSERT_TRUE(addRow(doc));
    EXPECT_NE(framesOf(doc), before);
    ASSERT_TRUE(deleteRow(doc));
    EXPECT_EQ(framesOf(doc), before);
    ASSERT_TRUE(addColumn(doc));
    ASSERT_TRUE(deleteColumn(doc));
    EXPECT_EQ(framesOf(doc), before);
    EXPECT_EQ(doc.rows(), 4);
    EXPECT_EQ(doc.cols(), 5);
}

TEST(DeleteRow, DropsTheBottomRowOfEveryFrame)
{
    Document doc(gridOf(3, 2));
    fillTagged(doc, 2);
    ASSERT_TRUE(deleteRow(doc));
    ASSERT_EQ(doc.frames()[1].size(), 4u);
    EXPECT_EQ(doc.frames()[1].at(1, 1, 2), tagged(1, 1, 1));
}

TEST(DeleteColumn, DropsTheRightMostPointOfEveryRow)
{
    Document doc(gridOf(2, 3));
    fillTagged(doc, 1);
    ASSERT_TRUE(deleteColumn(doc));
    EXPECT_EQ(doc.frames()[0].pixels(),
              (std::vector<ColorValue>{tagged(0, 0, 0), tagged(0, 1, 0), tagged(0, 0, 1), tagged(0, 1, 1)}));
}

TEST(DeleteAtSizeOne, DoesNothing)
{
    Document oneRow(gridOf(1, 3));
    fillTagged(oneRow, 2);
    QSignalSpy changed(&oneRow, &Document::geometryChanged);
    EXPECT_FALSE(deleteRow(oneRow));
    EXPECT_EQ(oneRow.rows(), 1);
    EXPECT_EQ(oneRow.frames()[0].size(), 3u);
    EXPECT_TRUE(deleteColumn(oneRow)); // 3 columns may lose one

    Document oneCol(gridOf(3, 1));
    fillTagged(oneCol, 1);
    oneCol.wiring().append(wiredAt(0, 2, 0, 0));
    EXPECT_FALSE(deleteColumn(oneCol));
    EXPECT_EQ(oneCol.cols(), 1);
    EXPECT_EQ(oneCol.wiring().count(), 1);
    EXPECT_EQ(changed.count(), 1); // only the one column deletion that ran
}

TEST(AddRow, ExtendsTheCellMapAndKeepsTheWiringList)
{
    Document doc(gridOf(2, 2));
    fillTagged(doc, 1);
    doc.wiring().setKind(CircuitryKind::Led);
    doc.wiring().append(wiredAt(1, 1, 3, 0));
    doc.wiring().setCellColour(0, 0, 0x123456); // a colour the editor set
    ASSERT_TRUE(addRow(doc));
    EXPECT_EQ(doc.wiring().count(), 1);
    EXPECT_EQ(doc.wiring().rows(), 3);
    EXPECT_EQ(doc.wiring().cellColour(1, 1), portColour(3));
    EXPECT_EQ(doc.wiring().cellColour(0, 0), 0x123456u);
    EXPECT_EQ(doc.wiring().cellColour(0, 2), 0u);
    EXPECT_EQ(doc.wiring().cellColour(1, 2), 0u);
    EXPECT_TRUE(doc.wiring().isWired(1, 1));

    ASSERT_TRUE(addColumn(doc));
    EXPECT_EQ(doc.wiring().cols(), 3);
    EXPECT_EQ(doc.wiring().cellColour(1, 1), portColour(3));
    EXPECT_EQ(doc.wiring().cellColour(0, 0), 0x123456u);
    EXPECT_EQ(doc.wiring().cellColour(2, 1), 0u);
}

TEST(DeleteRowOrColumn, EmptiesTheWiringAndMakesAnEmptyMapAtTheNewSize)
{
    for (bool row : {true, false}) {
        Document doc(gridOf(3, 3));
        fillTagged(doc, 1);
        doc.wiring().append(wiredAt(0, 0, 0, 0));
        ASSERT_TRUE(row ? deleteRow(doc) : deleteColumn(doc));
        EXPECT_EQ(doc.wiring().count(), 0);
        EXPECT_EQ(doc.wiring().cellMap(), std::vector<ColorValue>(6, 0));
    }
}

TEST(DeleteRow, KeepsTheCurrentFrameAndAnnouncesOnce)
{
    Document doc(gridOf(3, 3));
    fillTagged(doc, 4);
    doc.goToFrame(2);
    QSignalSpy current(&doc, &Document::currentFrameChanged);
    QSignalSpy geometry(&doc, &Document::geometryChanged);
    ASSERT_TRUE(deleteRow(doc));
    EXPECT_EQ(doc.currentIndex(), 2);
    ASSERT_NE(doc.currentFrame(), nullptr);
    EXPECT_EQ(doc.currentFrame()->size(), 6u);
    EXPECT_EQ(current.count(), 1);
    EXPECT_EQ(geometry.count(), 1);
}

TEST(AddRow, RefusesToGrowPastTheLargestGrid)
{
    Document doc(gridOf(kMaxGridSide, 1));
    doc.insertFrameAfterCurrent(Frame(size_t(kMaxGridSide)));
    EXPECT_FALSE(addRow(doc));
    EXPECT_EQ(doc.rows(), kMaxGridSide);
}

} // namespace

// Painting points: the pen, the colour action, the stroke spread, the block
// and the Single brush; the panel's all-light, insert and add-mode controls.
#include "editing/colour_action.h"
#include "editing/painting.h"
#include "editing_test_support.h"

namespace {

class PaintingTest : public ::testing::Test
{
protected:
    PaintingTest() : doc(gridOf(3, 4))
    {
        doc.frames().append(Frame(12, 0x000010));
        doc.frames().setCurrentIndex(0);
        state.penEnabled = true;
        palette.colours = {0x0000FF, 0x00FF00, 0xFF0000};
        palette.selectEntry(0);
        palette.brush = Brush::Small;
    }
    ColorValue at(int x, int y) const { return doc.currentFrame()->at(x, y, doc.cols()); }
    int paintedCount(ColorValue c) const
    {
        return int(std::count(doc.currentFrame()->pixels().begin(), doc.currentFrame()->pixels().end(), c));
    }

    Document doc;
    EditingState state;
    PaletteState palette;
};

TEST_F(PaintingTest, APointTakesTheColourActionOfItsOldColourAndTheBrush)
{
    state.colourAction = ColourAction::Add;
    PaintStroke stroke(doc, state, palette);
    EXPECT_TRUE(stroke.paintAt(1, 1));
    EXPECT_EQ(at(1, 1), 0x00010Fu); // 0x10 + 0xFF carries into green
    EXPECT_EQ(paintedCount(0x000010), 11);
}

TEST_F(PaintingTest, XorWithTheSameColourTurnsThePointBlack)
{
    state.colourAction = ColourAction::Xor;
    palette.currentColour = 0x000010;
    PaintStroke stroke(doc, state, palette);
    stroke.paintAt(2, 0);
    EXPECT_EQ(at(2, 0), 0u);
}

TEST_F(PaintingTest, NothingIsPaintedWithThePenOffOrWithoutACurrentFrame)
{
    state.penEnabled = false;
    PaintStroke off(doc, state, palette);
    EXPECT_FALSE(off.paintAt(0, 0));
    EXPECT_EQ(paintedCount(0x000010), 12);

    state.penEnabled = true;
    Document empty(gridOf(3, 4));
    PaintStroke none(empty, state, palette);
    EXPECT_FALSE(none.paintAt(0, 0));
}

TEST_F(PaintingTest, ThePointsOfTheGridOrTheBlockAreTheOnlyOnesPainted)
{
    PaintStroke stroke(doc, state, palette);
    EXPECT_FALSE(stroke.paintAt(4, 0));
    EXPECT_FALSE(stroke.paintAt(0, -1));
    state.area = BlockArea{true, 1, 1, 2, 2};
    EXPECT_FALSE(stroke.paintAt(0, 0));
    EXPECT_TRUE(stroke.paintAt(2, 2));
    EXPECT_EQ(paintedCount(0x0000FF), 1);
}

TEST_F(PaintingTest, WholeRowSpreadWithoutABlockColoursTheRow)
{
    state.strokeSpread = StrokeSpread::WholeRow;
    PaintStroke stroke(doc, state, palette);
    stroke.paintAt(2, 1);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(at(x, 1), 0x0000FFu);
    EXPECT_EQ(paintedCount(0x0000FF), 4);
}

TEST_F(PaintingTest, SpreadInsideABlockStopsAtItsEdges)
{
    state.area = BlockArea{true, 1, 0, 2, 1};
    state.strokeSpread = StrokeSpread::WholeRow;
    PaintStroke rows(doc, state, palette);
    rows.paintAt(1, 0);
    EXPECT_EQ(at(1, 0), 0x0000FFu);
    EXPECT_EQ(at(2, 0), 0x0000FFu);
    EXPECT_EQ(at(0, 0), 0x000010u);
    EXPECT_EQ(at(3, 0), 0x000010u);

    state.strokeSpread = StrokeSpread::WholeColumn;
    palette.currentColour = 0x00FF00;
    PaintStroke columns(doc, state, palette);
    columns.paintAt(2, 1);
    EXPECT_EQ(at(2, 0), 0x00FF00u);
    EXPECT_EQ(at(2, 1), 0x00FF00u);
    EXPECT_EQ(at(2, 2), 0x000010u);
}

TEST_F(PaintingTest, TheSingleBrushGivesConsecutivePointsConsecutivePaletteColours)
{
    palette.brush = Brush::Single;
    palette.colours = {1, 2, 3};
    palette.selectEntry(1);
    PaintStroke stroke(doc, state, palette);
    for (int x = 0; x < 4; ++x)
        stroke.paintAt(x, 0);
    EXPECT_EQ(at(0, 0), 2u);
    EXPECT_EQ(at(1, 0), 3u);
    EXPECT_EQ(at(2, 0), 1u); // wrapped after the last entry
    EXPECT_EQ(at(3, 0), 2u);
    EXPECT_EQ(palette.selected, 2);
    EXPECT_EQ(palette.currentColour, 3u);
}

TEST_F(PaintingTest, StayingOnTheLastPaintedPointPaintsItOnce)
{
    palette.brush = Brush::Single;
    state.colourAction = ColourAction::Invert;
    PaintStroke stroke(doc, state, palette);
    EXPECT_TRUE(stroke.paintAt(0, 0));
    EXPECT_FALSE(stroke.paintAt(0, 0));
    EXPECT_EQ(at(0, 0), 0xFFFFEFu);
    EXPECT_EQ(palette.selected, 1);
    EXPECT_TRUE(stroke.paintAt(1, 0));
    EXPECT_TRUE(stroke.paintAt(0, 0)); // coming back is a new visit
    EXPECT_EQ(at(0, 0), 0x000010u);
}

TEST_F(PaintingTest, AllLightFillsTheFrameOrOnlyTheUsableBlock)
{
    EXPECT_TRUE(fillCurrentFrame(doc, state, 0x00ABCDEF));
    EXPECT_EQ(paintedCount(0x00ABCDEF), 12);
    state.area = BlockArea{true, 0, 0, 1, 0};
    fillCurrentFrame(doc, state, 7);
    EXPECT_EQ(paintedCount(7), 2);
    state.area = BlockArea{true, -1, 0, 1, 0}; // not drawn yet: the whole frame
    fillCurrentFrame(doc, state, 8);
    EXPECT_EQ(paintedCount(8), 12);
}

TEST_F(PaintingTest, InsertCopiesTheCurrentFrameAfterIt)
{
    doc.currentFrame()->set(0, 0, 4, 0x55);
    EXPECT_TRUE(insertCopyOfCurrent(doc));
    ASSERT_EQ(doc.frameCount(), 2);
    EXPECT_EQ(doc.currentIndex(), 1);
    EXPECT_EQ(doc.frames()[1], doc.frames()[0]);
}

TEST_F(PaintingTest, AnyAddModeButInsertMakesNewFramesCopyTheCurrentOne)
{
    for (int mode : {1, 2, 0}) {
        setAddMode(state, doc, addModeFromIndex(mode));
        EXPECT_EQ(int(state.addMode), mode);
        EXPECT_EQ(doc.newFrameCopiesCurrent(), mode != 0);
    }
    doc.currentFrame()->set(3, 2, 4, 0x99);
    setAddMode(state, doc, AddMode::Overwrite);
    doc.storeFrameAndAdvance(Frame(*doc.currentFrame()));
    EXPECT_EQ(doc.currentFrame()->at(3, 2, 4), 0x99u);
}

TEST(PenSwitch, TurningThePenOnAndOffMovesTheBrushBetweenNoneAndFive)
{
    PaletteState p;
    p.brush = Brush::None;
    p.penSwitched(true);
    EXPECT_EQ(p.brush, Brush::PenNoBrush);
    p.penSwitched(false);
    EXPECT_EQ(p.brush, Brush::None);
    p.brush = Brush::Large;
    p.penSwitched(true);
    EXPECT_EQ(p.brush, Brush::Large);
}

} // namespace

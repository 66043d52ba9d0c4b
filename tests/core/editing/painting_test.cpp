// Painting points: the pen, the colour action, the stroke spread, the block,
// the Single brush and the square brushes; the panel's all-light, insert and
// add-mode controls.
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
        // The pen with no brush chosen: one point at a time.
        palette.brush = Brush::PenNoBrush;
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

// A 12 x 12 grid whose point i holds colour i + 1, so that a colour action
// on every point gives a result of its own.
class BrushStampTest : public ::testing::Test
{
protected:
    BrushStampTest() : doc(gridOf(12, 12))
    {
        Frame f(144);
        for (int i = 0; i < 144; ++i)
            f[size_t(i)] = ColorValue(i + 1);
        doc.frames().append(std::move(f));
        doc.frames().setCurrentIndex(0);
        state.penEnabled = true;
        palette.currentColour = 0x00F000;
    }
    ColorValue at(int x, int y) const { return doc.currentFrame()->at(x, y, 12); }
    ColorValue original(int x, int y) const { return ColorValue(y * 12 + x + 1); }
    // The points that no longer hold their original colour.
    GridRect changedBounds(int *count) const
    {
        GridRect r{12, 12, -1, -1};
        *count = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                if (at(x, y) != original(x, y)) {
                    ++*count;
                    r = GridRect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x),
                                 std::max(r.bottom, y)};
                }
        return r;
    }

    Document doc;
    EditingState state;
    PaletteState palette;
};

TEST_F(BrushStampTest, EachBrushPaintsItsSquareCentredOnThePoint)
{
    struct Case
    {
        Brush brush;
        int side;
    };
    for (const Case c : {Case{Brush::Single, 1}, Case{Brush::PenNoBrush, 1}, Case{Brush::Small, 3},
                         Case{Brush::Large, 5}, Case{Brush::Huge, 9}}) {
        SCOPED_TRACE(int(c.brush));
        doc.currentFrame()->pixels().clear();
        for (int i = 0; i < 144; ++i)
            doc.currentFrame()->pixels().push_back(original(i % 12, i / 12));
        palette.brush = c.brush;
        PaintStroke stroke(doc, state, palette);
        ASSERT_TRUE(stroke.paintAt(6, 5));
        int count = 0;
        const int r = c.side / 2;
        EXPECT_EQ(changedBounds(&count), (GridRect{6 - r, 5 - r, 6 + r, 5 + r}));
        EXPECT_EQ(count, c.side * c.side);
    }
}

TEST_F(BrushStampTest, EveryPointOfTheStampTakesTheColourActionOfItsOwnOldColour)
{
    palette.brush = Brush::Large;
    state.colourAction = ColourAction::Xor;
    PaintStroke stroke(doc, state, palette);
    ASSERT_TRUE(stroke.paintAt(4, 4));
    for (int y = 2; y <= 6; ++y)
        for (int x = 2; x <= 6; ++x)
            EXPECT_EQ(at(x, y), original(x, y) ^ 0x00F000u) << x << "," << y;
    EXPECT_EQ(at(7, 4), original(7, 4));
    EXPECT_EQ(at(4, 1), original(4, 1));
}

TEST_F(BrushStampTest, TheStampIsCutAtTheGridEdges)
{
    palette.brush = Brush::Huge;
    PaintStroke corner(doc, state, palette);
    ASSERT_TRUE(corner.paintAt(0, 11));
    int count = 0;
    EXPECT_EQ(changedBounds(&count), (GridRect{0, 7, 4, 11}));
    EXPECT_EQ(count, 25);
    // A point outside the grid paints nothing, even where the stamp would
    // reach into it.
    PaintStroke outside(doc, state, palette);
    EXPECT_FALSE(outside.paintAt(12, 5));
    EXPECT_FALSE(outside.paintAt(-1, 0));
}

TEST_F(BrushStampTest, TheStampIsCutToTheBlock)
{
    state.area = BlockArea{true, 3, 3, 8, 7};
    palette.brush = Brush::Large;
    PaintStroke inside(doc, state, palette);
    ASSERT_TRUE(inside.paintAt(7, 4)); // reaches 5..9 x 2..6
    int count = 0;
    EXPECT_EQ(changedBounds(&count), (GridRect{5, 3, 8, 6}));
    EXPECT_EQ(count, 16);
    // From just outside the block the part of the stamp inside it is
    // painted.
    palette.currentColour = 0x0000AA;
    PaintStroke edge(doc, state, palette);
    ASSERT_TRUE(edge.paintAt(1, 6)); // reaches -1..3 x 4..8
    EXPECT_EQ(at(3, 7), 0x0000AAu);
    EXPECT_EQ(at(3, 4), 0x0000AAu);
    EXPECT_EQ(at(2, 6), original(2, 6));
    EXPECT_EQ(at(3, 8), original(3, 8));
    // Too far away to reach the block: nothing.
    PaintStroke far(doc, state, palette);
    EXPECT_FALSE(far.paintAt(0, 0));
}

TEST_F(BrushStampTest, SpreadRunsEveryRowOrColumnOfTheStampAlongTheBlock)
{
    state.area = BlockArea{true, 2, 2, 9, 9};
    palette.brush = Brush::Small;
    state.strokeSpread = StrokeSpread::WholeRow;
    PaintStroke rows(doc, state, palette);
    ASSERT_TRUE(rows.paintAt(5, 5));
    int count = 0;
    EXPECT_EQ(changedBounds(&count), (GridRect{2, 4, 9, 6}));
    EXPECT_EQ(count, 24);

    state.strokeSpread = StrokeSpread::WholeColumn;
    palette.currentColour = 0x0000AA;
    PaintStroke columns(doc, state, palette);
    ASSERT_TRUE(columns.paintAt(3, 8)); // columns 2..4, rows 2..9
    for (int y = 2; y <= 9; ++y)
        for (int x = 2; x <= 4; ++x)
            EXPECT_EQ(at(x, y), 0x0000AAu) << x << "," << y;
    EXPECT_EQ(at(1, 8), original(1, 8));
    EXPECT_EQ(at(3, 10), original(3, 10));
}

TEST_F(BrushStampTest, OnlyTheSingleBrushStepsThroughThePalette)
{
    palette.colours = {0x11, 0x22, 0x33};
    for (Brush b : {Brush::Small, Brush::Large, Brush::Huge, Brush::PenNoBrush}) {
        palette.brush = b;
        palette.selectEntry(1);
        PaintStroke stroke(doc, state, palette);
        stroke.paintAt(5, 5);
        stroke.paintAt(6, 5);
        EXPECT_EQ(palette.selected, 1) << int(b);
        EXPECT_EQ(at(6, 5), 0x22u) << int(b);
    }
    palette.brush = Brush::Single;
    palette.selectEntry(1);
    PaintStroke single(doc, state, palette);
    single.paintAt(5, 5);
    single.paintAt(6, 5);
    EXPECT_EQ(at(5, 5), 0x22u);
    EXPECT_EQ(at(6, 5), 0x33u);
    EXPECT_EQ(palette.selected, 0);
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

// Transition effects: where each family draws at a given step, the
// finished picture at the last step, the exits, the mosaic's chance and the
// conversion of drawn pixels to grid colours.
#include "patterns/pattern_random.h"
#include "patterns/transition_effects.h"
#include "pattern_test_support.h"
#include "picture_test_support.h"

#include <gtest/gtest.h>

namespace {

class Transition : public PatternTest
{
protected:
    void SetUp() override
    {
        PatternTest::SetUp();
        ensurePictureApp();
    }

    QImage draw(int effect, TransitionPhase phase, int i, int n, int w = 40, int h = 30)
    {
        picture = numberedPicture(w, h);
        QImage canvas = transitionCanvas(w, h);
        drawTransition(canvas, effect, phase, i, n, picture, QImage(), random);
        return canvas;
    }
    QImage entrance(int effect, int i, int n, int w = 40, int h = 30)
    {
        return draw(effect, TransitionPhase::Entrance, i, n, w, h);
    }

    PatternRandom random{7};
    QImage picture;
};

// Column of the picture's first column on the canvas (-1 when not seen).
int leftEdgeOf(const QImage &canvas, const QImage &picture)
{
    for (int x = 0; x < canvas.width(); ++x)
        if (canvas.pixel(x, 0) == picture.pixel(0, 0))
            return x;
    return -1;
}

TEST_F(Transition, MoveLeftSlidesInFromTheRightByEqualSteps)
{
    std::vector<int> edges;
    for (int i = 1; i <= 4; ++i)
        edges.push_back(leftEdgeOf(entrance(kEffectMoveLeft, i, 4, 40, 4), picture));
    EXPECT_EQ(edges, (std::vector<int>{30, 20, 10, 0}));

    // Right-down comes in from the top left, displaced on both axes:
    // halfway its bottom-right quarter fills the top-left quarter.
    const QImage c = entrance(7, 1, 2, 40, 30);
    EXPECT_EQ(c.pixel(0, 0), picture.pixel(20, 15));
    EXPECT_EQ(c.pixel(19, 14), picture.pixel(39, 29));
    EXPECT_EQ(qAlpha(c.pixel(20, 14)), 0);
    EXPECT_EQ(qAlpha(c.pixel(19, 15)), 0);
}

TEST_F(Transition, EveryEffectEndsOnTheWholePicture)
{
    for (int effect = 0; effect < kTransitionEffectCount; ++effect)
        for (int n : {1, 7}) {
            const QImage c = entrance(effect, n, n);
            EXPECT_TRUE(showsWholePicture(c, picture)) << "effect " << effect << " n " << n;
        }
}

TEST_F(Transition, EveryEffectIsUnderWayBeforeItsLastStep)
{
    // Halfway every effect shows part of the picture but not all of it.
    for (int effect = 0; effect < kTransitionEffectCount; ++effect) {
        const QImage c = entrance(effect, 5, 10);
        if (effect == kEffectFade) {
            EXPECT_FALSE(showsPictureAt(c, picture, 3, 3));
            continue;
        }
        EXPECT_GT(litCells(c), 0) << "effect " << effect;
        EXPECT_FALSE(showsWholePicture(c, picture)) << "effect " << effect;
    }
}

TEST_F(Transition, ExitsLeaveAnEmptyAreaAndShowThePictureGoing)
{
    for (int effect = 0; effect < kTransitionEffectCount; ++effect) {
        const QImage first = draw(effect, TransitionPhase::Exit, 1, 10);
        const QImage last = draw(effect, TransitionPhase::Exit, 10, 10);
        EXPECT_GT(litCells(first), 0) << "effect " << effect;
        EXPECT_FALSE(showsWholePicture(first, picture)) << "effect " << effect;
        EXPECT_EQ(litCells(last), 0) << "effect " << effect;
    }
    // Moving left, the picture leaves by the left edge: its column 10 is
    // at column 0 after a quarter.
    const QImage quarter = draw(kEffectMoveLeft, TransitionPhase::Exit, 1, 4);
    EXPECT_EQ(quarter.pixel(0, 0), picture.pixel(10, 0));
    EXPECT_EQ(qAlpha(quarter.pixel(30, 0)), 0);
    // Zooms shrink: halfway the centre zoom shows a half-size picture.
    const QImage zoom = draw(kEffectCentreZoom, TransitionPhase::Exit, 1, 2);
    EXPECT_GT(qAlpha(zoom.pixel(20, 15)), 0);
    EXPECT_EQ(qAlpha(zoom.pixel(5, 15)), 0);
    // The left cover lays black over the picture from the left.
    const QImage cover = draw(kEffectFirstCover, TransitionPhase::Exit, 1, 4);
    EXPECT_EQ(qAlpha(cover.pixel(9, 0)), 0);
    EXPECT_TRUE(showsPictureAt(cover, picture, 10, 0));
}

TEST_F(Transition, CoversGrowFromTheirEdgeOrCorner)
{
    const QImage left = entrance(20, 1, 4);
    EXPECT_TRUE(showsPictureAt(left, picture, 9, 29));
    EXPECT_EQ(qAlpha(left.pixel(10, 0)), 0);
    const QImage right = entrance(21, 1, 4);
    EXPECT_TRUE(showsPictureAt(right, picture, 30, 0));
    EXPECT_EQ(qAlpha(right.pixel(29, 0)), 0);
    const QImage bottom = entrance(23, 1, 2);
    EXPECT_TRUE(showsPictureAt(bottom, picture, 0, 15));
    EXPECT_EQ(qAlpha(bottom.pixel(0, 14)), 0);
    // Right-top corner rectangle: 20 x 15 at the top right.
    const QImage corner = entrance(25, 1, 2);
    EXPECT_TRUE(showsPictureAt(corner, picture, 20, 14));
    EXPECT_EQ(qAlpha(corner.pixel(19, 0)), 0);
    EXPECT_EQ(qAlpha(corner.pixel(39, 15)), 0);
    // Right-top diagonal: the triangle at the top-right corner only.
    const QImage diagonal = entrance(29, 1, 4); // L = 17
    EXPECT_TRUE(showsPictureAt(diagonal, picture, 38, 1));
    EXPECT_EQ(qAlpha(diagonal.pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(diagonal.pixel(38, 28)), 0);
}

TEST_F(Transition, WipesTurnClockwiseForLeftAndAnticlockwiseForRight)
{
    // A quarter of 左旋360度 sweeps from the x axis downwards on screen.
    const QImage left = entrance(39, 1, 4);
    EXPECT_TRUE(showsPictureAt(left, picture, 35, 25));
    EXPECT_EQ(qAlpha(left.pixel(35, 5)), 0);
    EXPECT_EQ(qAlpha(left.pixel(5, 25)), 0);
    const QImage right = entrance(40, 1, 4);
    EXPECT_TRUE(showsPictureAt(right, picture, 35, 5));
    EXPECT_EQ(qAlpha(right.pixel(35, 25)), 0);
    // 左旋90度 opens four sectors at once: one per quadrant.
    const QImage four = entrance(43, 1, 2);
    EXPECT_TRUE(showsPictureAt(four, picture, 35, 20));
    EXPECT_TRUE(showsPictureAt(four, picture, 5, 10));
}

TEST_F(Transition, ShapesGrowFromOrShrinkToTheCentre)
{
    for (int shape = 0; shape < 4; ++shape) {
        const QImage grow = entrance(45 + 2 * shape, 1, 2);
        EXPECT_TRUE(showsPictureAt(grow, picture, 20, 15)) << shape;
        EXPECT_EQ(qAlpha(grow.pixel(1, 1)), 0) << shape;
        const QImage shrink = entrance(46 + 2 * shape, 1, 2);
        EXPECT_EQ(qAlpha(shrink.pixel(20, 15)), 0) << shape;
        EXPECT_TRUE(showsPictureAt(shrink, picture, 1, 1)) << shape;
    }
    // The cross reaches the edges along both axes.
    const QImage cross = entrance(51, 1, 2);
    EXPECT_TRUE(showsPictureAt(cross, picture, 20, 0));
    EXPECT_TRUE(showsPictureAt(cross, picture, 0, 15));
}

TEST_F(Transition, StretchesSplitsBlindsAndFadeDrawWhatTheirNamesSay)
{
    // 左拉伸 halfway: the whole picture squeezed into the left half.
    const QImage stretch = entrance(14, 1, 2);
    EXPECT_EQ(stretch.pixel(0, 0), picture.pixel(0, 0));
    EXPECT_GT(qAlpha(stretch.pixel(19, 0)), 0);
    EXPECT_EQ(qAlpha(stretch.pixel(20, 0)), 0);
    // 左右对开 halfway: the middle half; 左右闭合 halfway: the outer quarters.
    const QImage open = entrance(32, 1, 2);
    EXPECT_TRUE(showsPictureAt(open, picture, 10, 0));
    EXPECT_EQ(qAlpha(open.pixel(9, 0)), 0);
    EXPECT_EQ(qAlpha(open.pixel(30, 0)), 0);
    const QImage close = entrance(34, 1, 2);
    EXPECT_TRUE(showsPictureAt(close, picture, 9, 0));
    EXPECT_TRUE(showsPictureAt(close, picture, 30, 0));
    EXPECT_EQ(qAlpha(close.pixel(10, 0)), 0);
    // 水平百叶 a quarter in: strips 5 wide every 20 columns.
    const QImage blinds = entrance(36, 1, 4);
    for (int x : {0, 4, 20, 24})
        EXPECT_TRUE(showsPictureAt(blinds, picture, x, 29)) << x;
    for (int x : {5, 19, 25})
        EXPECT_EQ(qAlpha(blinds.pixel(x, 0)), 0) << x;
    // Half faded in: half of every colour once the alpha is dropped.
    QImage white(4, 4, QImage::Format_ARGB32_Premultiplied);
    white.fill(Qt::white);
    QImage fade = transitionCanvas(4, 4);
    drawTransition(fade, kEffectFade, TransitionPhase::Entrance, 1, 2, white, QImage(), random);
    const ColorValue half = colorFromArgb(fade.pixel(1, 1));
    EXPECT_NEAR(double(redOf(half)), 127.5, 1.5);
    EXPECT_EQ(redOf(half), blueOf(half));
}

TEST_F(Transition, MosaicsNeverShowTheWholePictureBeforeTheirLastStep)
{
    for (int effect : {kEffectSmallMosaic, kEffectLargeMosaic})
        for (QSize size : {QSize(10, 10), QSize(20, 20), QSize(9, 4), QSize(64, 64)})
            for (int n : {1, 2, 3, 10})
                for (int i = 1; i <= n; ++i) {
                    const QImage c = entrance(effect, i, n, size.width(), size.height());
                    EXPECT_EQ(showsWholePicture(c, picture), i == n)
                        << effect << " " << size.width() << "x" << size.height() << " " << i << "/" << n;
                }
}

TEST_F(Transition, MosaicBlocksArePickedAfreshForEveryFrame)
{
    const QImage a = entrance(kEffectSmallMosaic, 1, 10, 64, 64);
    const QImage b = entrance(kEffectSmallMosaic, 1, 10, 64, 64);
    EXPECT_NE(a, b);
    // Whole blocks of 10 x 10 cells: a lit cell's block-mate is lit too.
    for (int y = 0; y < 60; y += 10)
        for (int x = 0; x < 60; x += 10)
            EXPECT_EQ(qAlpha(a.pixel(x, y)), qAlpha(a.pixel(x + 9, y + 9))) << x << "," << y;
}

TEST_F(Transition, DrawnPixelsBecomeGridColoursWithoutAlpha)
{
    EXPECT_EQ(colorFromArgb(0xFF0000FFu), 0xFF0000u); // blue
    EXPECT_EQ(colorFromArgb(0x80112233u), 0x332211u);
    EXPECT_EQ(colorFromArgb(0x00000000u), 0u);

    // Into a rectangle of a 5 x 4 grid: cells outside keep their colours,
    // cells the canvas does not reach turn black.
    QImage canvas = transitionCanvas(2, 2);
    canvas.setPixel(0, 0, 0xFFFF0000u); // red
    canvas.setPixel(1, 1, 0xFF00FF00u); // green
    Frame frame(20, 0x123456);
    copyCanvasIntoFrame(canvas, frame, 5, 4, GridRect{2, 1, 4, 3});
    EXPECT_EQ(frame.at(2, 1, 5), 0x0000FFu);
    EXPECT_EQ(frame.at(3, 2, 5), 0x00FF00u);
    EXPECT_EQ(frame.at(3, 1, 5), 0u);
    EXPECT_EQ(frame.at(4, 3, 5), 0u);
    EXPECT_EQ(frame.at(1, 1, 5), 0x123456u);
    EXPECT_EQ(frame.at(2, 0, 5), 0x123456u);
}

TEST_F(Transition, ListTextsAreTheEntriesInOrder)
{
    EXPECT_EQ(stuntText(kStuntScrollUp), QStringLiteral("上滚"));
    EXPECT_EQ(stuntText(kStuntFirstEffect + kEffectDeform), QStringLiteral("形变"));
    EXPECT_EQ(stuntText(kStuntFirstEffect + kEffectFade), QStringLiteral("渐变"));
    EXPECT_EQ(stuntText(kStuntFirstEffect + 52), QStringLiteral("四周向中间(十字形)"));
    EXPECT_EQ(stuntText(kStuntRandom), QStringLiteral("随机"));
    EXPECT_TRUE(stuntText(kStuntEntryCount).isEmpty());
}

} // namespace

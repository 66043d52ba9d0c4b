#include "links/serial/frame_send.h"

#include "document/frame_sequence.h"
#include "document/wiring.h"
#include "settings/language.h"
#include "../wiring/wiring_test_support.h"

#include <gtest/gtest.h>

namespace {

GridGeometry grid(int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    return g;
}

// Every point's colour names its row, column and frame, so a payload
// byte says where it came from.
FrameSequence numberedFrames(const GridGeometry &g, int count)
{
    FrameSequence frames;
    for (int f = 0; f < count; ++f) {
        Frame frame(size_t(g.pointCount()));
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.cols; ++x)
                frame.set(x, y, g.cols, makeColor(unsigned(y), unsigned(x), unsigned(f)));
        frames.append(std::move(frame));
    }
    return frames;
}

struct Rgb
{
    int r, g, b;
    bool operator==(const Rgb &) const = default;
};

Rgb pointAt(const std::vector<uint8_t> &payload, size_t point)
{
    return {payload[point * 3], payload[point * 3 + 1], payload[point * 3 + 2]};
}

FrameSendRequest request(int start, int end, ScreenType screen = ScreenType::Rectangular)
{
    FrameSendRequest r;
    r.startFrame = start;
    r.endFrame = end;
    r.screen = screen;
    r.tubeCount = 1;
    return r;
}

} // namespace

TEST(FrameSendChecks, ReportsTheFirstProblemInTheFormsOrder)
{
    const GridGeometry g = grid(2, 2);
    const FrameSequence frames = numberedFrames(g, 3);
    const Wiring noWiring;
    FrameSendPlan plan;
    struct Case
    {
        FrameSendRequest r;
        FrameSendProblem expected;
    };
    FrameSendRequest noTubes = request(1, 2);
    noTubes.tubeCount = 0;
    FrameSendRequest everythingWrong = request(0, -1, ScreenType::Irregular);
    everythingWrong.tubeCount = -4;
    for (const Case &c : {
             Case{everythingWrong, FrameSendProblem::StartNotPositive},
             Case{request(1, 0), FrameSendProblem::EndNotPositive},
             Case{noTubes, FrameSendProblem::TubeCountNotPositive},
             Case{request(3, 2, ScreenType::Irregular), FrameSendProblem::StartAfterEnd},
             Case{request(1, 2, ScreenType::Irregular), FrameSendProblem::NoWiring},
             Case{request(4, 9), FrameSendProblem::StartBeyondLastFrame},
             Case{request(1, 3), FrameSendProblem::None},
         }) {
        SCOPED_TRACE(int(c.expected));
        EXPECT_EQ(planFrameSend(c.r, frames, g, noWiring, plan), c.expected);
    }
}

TEST(FrameSendChecks, MessagesComeFromTheLanguageFile)
{
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::English);
    EXPECT_EQ(frameSendProblemText(FrameSendProblem::TooMuchData), QStringLiteral("Too much data to send!"));
    EXPECT_EQ(frameSendProblemText(FrameSendProblem::TubeCountNotPositive),
              QStringLiteral("Please enter an integer greater than 0!"));
    // A start past the last frame is not a start after the end frame.
    EXPECT_EQ(frameSendProblemText(FrameSendProblem::StartBeyondLastFrame),
              QStringLiteral("The start frame lies past the last frame. Please choose again."));
    EXPECT_EQ(frameSendProblemText(FrameSendProblem::StartAfterEnd),
              QStringLiteral("Input error! The start frame or the end frame is out of range."));
    Language::setCode(Language::Chinese);
    EXPECT_EQ(frameSendProblemText(FrameSendProblem::TooMuchData), QStringLiteral("数据量太大!"));
    EXPECT_EQ(frameSendProblemText(FrameSendProblem::StartBeyondLastFrame),
              QStringLiteral("起始帧超出最后一帧,请重新选择!"));
}

TEST(FrameSendPlanning, EndFrameBeyondTheLastIsCutToTheFrameCount)
{
    const GridGeometry g = grid(1, 2);
    const FrameSequence frames = numberedFrames(g, 3);
    FrameSendPlan plan;
    ASSERT_EQ(planFrameSend(request(2, 1000), frames, g, Wiring(), plan), FrameSendProblem::None);
    EXPECT_EQ(plan.firstFrame, 1);
    EXPECT_EQ(plan.lastFrame, 2);
    // Two frames of two points: 12 bytes, the frames' own colours in order.
    ASSERT_EQ(plan.payload.size(), 12u);
    EXPECT_EQ(pointAt(plan.payload, 0), (Rgb{0, 0, 1}));
    EXPECT_EQ(pointAt(plan.payload, 3), (Rgb{0, 1, 2}));
    // The header counts the bytes actually sent.
    EXPECT_EQ(plan.header[9] | (plan.header[10] << 8), 12 + 1 - 1);
}

TEST(FrameSendPlanning, ThreeByEightGridIsCutAcrossRows)
{
    const GridGeometry g = grid(3, 8);
    const FrameSequence frames = numberedFrames(g, 1);
    FrameSendPlan plan;
    ASSERT_EQ(planFrameSend(request(1, 1), frames, g, Wiring(), plan), FrameSendProblem::None);
    // B = 72: one full packet of 21 points and a last packet of 3 points.
    EXPECT_EQ(plan.packets, 2);
    EXPECT_EQ(plan.lastLength, 9);
    for (size_t point = 0; point < 24; ++point) {
        SCOPED_TRACE(point);
        // Rows 0 and 1 and row 2 columns 0-4 fill the first 21 points; row 2
        // columns 5-7 are the last three.
        EXPECT_EQ(pointAt(plan.payload, point), (Rgb{int(point / 8), int(point % 8), 0}));
    }
}

TEST(FrameSendPlanning, HeaderAnnouncesPacketsTubesAndSize)
{
    const GridGeometry g = grid(6, 7); // 42 points = 126 bytes
    const FrameSequence frames = numberedFrames(g, 1);
    FrameSendRequest r = request(1, 1);
    r.tubeModel = 2;
    r.tubeCount = 300;
    FrameSendPlan plan;
    ASSERT_EQ(planFrameSend(r, frames, g, Wiring(), plan), FrameSendProblem::None);
    EXPECT_EQ(plan.packets, 2);
    EXPECT_EQ(plan.lastLength, 63);
    EXPECT_EQ(plan.header, SerialPacket::frameSendHeader(2, 2, 300, 126));
    EXPECT_EQ(plan.header[9], 127);
}

TEST(FrameSendPlanning, IrregularLayoutRepeatsTheLastListPixel)
{
    const GridGeometry g = grid(4, 4);
    const FrameSequence frames = numberedFrames(g, 2);
    // Eight points in the list whose numbers reach 9: every frame sends 10.
    Wiring w;
    const int rowsOf[8] = {0, 0, 1, 3, 2, 2, 1, 3};
    const int colsOf[8] = {0, 3, 1, 3, 2, 0, 2, 1};
    const int numbers[8] = {0, 1, 2, 3, 9, 5, 6, 4};
    for (int i = 0; i < 8; ++i)
        w.append(wiredAt(colsOf[i], rowsOf[i], i % 3, numbers[i])); // ports play no part
    FrameSendPlan plan;
    ASSERT_EQ(planFrameSend(request(1, 2, ScreenType::Irregular), frames, g, w, plan), FrameSendProblem::None);
    EXPECT_EQ(plan.pointsPerFrame, 10);
    ASSERT_EQ(plan.payload.size(), 2u * 10 * 3);
    for (int f = 0; f < 2; ++f)
        for (int k = 0; k < 10; ++k) {
            SCOPED_TRACE(testing::Message() << "frame " << f << " point " << k);
            // Taken in list order, not by pixel number.
            const int i = std::min(k, 7);
            EXPECT_EQ(pointAt(plan.payload, size_t(f * 10 + k)), (Rgb{rowsOf[i], colsOf[i], f}));
        }
}

TEST(FrameSendPlanning, IrregularLayoutSendsOnlyTheFirstPListPixels)
{
    const GridGeometry g = grid(2, 2);
    const FrameSequence frames = numberedFrames(g, 1);
    Wiring w;
    w.append(wiredAt(1, 1, 0, 1));
    w.append(wiredAt(1, 0, 0, 0));
    w.append(wiredAt(0, 1, 0, 0)); // a third list pixel beyond P = 2
    FrameSendPlan plan;
    ASSERT_EQ(planFrameSend(request(1, 1, ScreenType::Irregular), frames, g, w, plan), FrameSendProblem::None);
    ASSERT_EQ(plan.payload.size(), 6u);
    EXPECT_EQ(pointAt(plan.payload, 0), (Rgb{1, 1, 0}));
    EXPECT_EQ(pointAt(plan.payload, 1), (Rgb{0, 1, 0}));
}

TEST(FrameSendPlanning, WiredPointsOutsideTheGridSendDark)
{
    const GridGeometry g = grid(2, 2);
    FrameSequence frames;
    frames.append(Frame(4, makeColor(9, 9, 9)));
    Wiring w;
    w.append(wiredAt(0, 5, 0, 0));
    w.append(wiredAt(-1, 0, 0, 1));
    w.append(wiredAt(1, 1, 0, 2));
    FrameSendPlan plan;
    ASSERT_EQ(planFrameSend(request(1, 1, ScreenType::Irregular), frames, g, w, plan), FrameSendProblem::None);
    EXPECT_EQ(pointAt(plan.payload, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(pointAt(plan.payload, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(pointAt(plan.payload, 2), (Rgb{9, 9, 9}));
}

TEST(FrameSendPlanning, RefusesMoreThan503Packets)
{
    // 503 x 63 bytes = 10,563 points fit exactly; one more point does not.
    const GridGeometry g = grid(1, 10563);
    const FrameSequence one = numberedFrames(g, 1);
    FrameSendPlan plan;
    EXPECT_EQ(planFrameSend(request(1, 1), one, g, Wiring(), plan), FrameSendProblem::None);
    EXPECT_EQ(plan.packets, 503);
    EXPECT_EQ(plan.lastLength, 63);

    const GridGeometry wider = grid(1, 10564);
    EXPECT_EQ(planFrameSend(request(1, 1), numberedFrames(wider, 1), wider, Wiring(), plan),
              FrameSendProblem::TooMuchData);
    // Two frames of half the size are just as much.
    const GridGeometry half = grid(1, 5282);
    EXPECT_EQ(planFrameSend(request(1, 2), numberedFrames(half, 2), half, Wiring(), plan),
              FrameSendProblem::TooMuchData);
}

TEST(FrameSendPlanning, HugePixelNumbersAreTooMuchDataNotAnAllocation)
{
    const GridGeometry g = grid(2, 2);
    const FrameSequence frames = numberedFrames(g, 3);
    Wiring w;
    w.append(wiredAt(0, 0, 0, 2147483647));
    FrameSendPlan plan;
    EXPECT_EQ(planFrameSend(request(1, 3, ScreenType::Irregular), frames, g, w, plan),
              FrameSendProblem::TooMuchData);
    EXPECT_TRUE(plan.payload.empty());

    Wiring negative;
    negative.append(wiredAt(0, 0, 0, -3));
    EXPECT_EQ(planFrameSend(request(1, 3, ScreenType::Irregular), frames, g, negative, plan),
              FrameSendProblem::NoWiring);
}

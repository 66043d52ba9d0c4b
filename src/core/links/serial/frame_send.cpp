#include "links/serial/frame_send.h"

#include "document/frame_sequence.h"
#include "document/wiring.h"
#include "settings/grid_geometry.h"
#include "settings/language.h"

#include <algorithm>

namespace {

constexpr int64_t kMaxPayload = int64_t(SerialPacket::kMaxFramePackets) * SerialPacket::kFramePayloadPerPacket;

uint8_t *putColour(uint8_t *out, ColorValue c)
{
    *out++ = uint8_t(redOf(c));
    *out++ = uint8_t(greenOf(c));
    *out++ = uint8_t(blueOf(c));
    return out;
}

} // namespace

int64_t pointsPerFrame(ScreenType screen, const GridGeometry &geometry, const Wiring &wiring)
{
    if (screen == ScreenType::Rectangular)
        return geometry.pointCount();
    if (wiring.count() == 0)
        return 0;
    int64_t largest = -1;
    for (const WiringPixel &p : wiring.pixels())
        largest = std::max<int64_t>(largest, p.pixel);
    return largest + 1;
}

FrameSendProblem planFrameSend(const FrameSendRequest &r, const FrameSequence &frames,
                               const GridGeometry &geometry, const Wiring &wiring,
                               FrameSendPlan &plan)
{
    if (r.startFrame <= 0)
        return FrameSendProblem::StartNotPositive;
    if (r.endFrame <= 0)
        return FrameSendProblem::EndNotPositive;
    if (r.tubeCount <= 0)
        return FrameSendProblem::TubeCountNotPositive;
    if (r.startFrame > r.endFrame)
        return FrameSendProblem::StartAfterEnd;
    const int64_t points = pointsPerFrame(r.screen, geometry, wiring);
    if (r.screen == ScreenType::Irregular && points <= 0)
        return FrameSendProblem::NoWiring;
    const int last = std::min(r.endFrame, frames.count());
    if (r.startFrame > last)
        return FrameSendProblem::StartBeyondLastFrame;
    if (points <= 0)
        return FrameSendProblem::TooMuchData; // a grid without points has nothing to send

    // One frame alone may already be too much; checking it first keeps the
    // product below from overflowing whatever the wiring's pixel numbers say.
    const int64_t frameBytes = points * 3;
    if (frameBytes > kMaxPayload)
        return FrameSendProblem::TooMuchData;
    const int64_t bytes = frameBytes * (last - r.startFrame + 1);
    const SerialPacket::PacketCount count = SerialPacket::countFramePackets(bytes);
    if (!count.fits())
        return FrameSendProblem::TooMuchData;

    plan.screen = r.screen;
    plan.firstFrame = r.startFrame - 1;
    plan.lastFrame = last - 1;
    plan.pointsPerFrame = int(points);
    plan.packets = int(count.packets);
    plan.lastLength = count.lastLength;
    plan.header = SerialPacket::frameSendHeader(plan.packets, r.tubeModel, r.tubeCount, bytes);
    plan.payload = framePayload(r.screen, frames, plan.firstFrame, plan.lastFrame, geometry, wiring, points);
    return FrameSendProblem::None;
}

std::vector<uint8_t> framePayload(ScreenType screen, const FrameSequence &frames, int first,
                                  int last, const GridGeometry &geometry, const Wiring &wiring,
                                  int64_t points)
{
    std::vector<uint8_t> out(size_t(points) * 3 * size_t(last - first + 1));
    uint8_t *at = out.data();
    const int cols = geometry.cols;
    const size_t gridPoints = size_t(geometry.pointCount());
    for (int f = first; f <= last; ++f) {
        const Frame &frame = frames.at(f);
        // A frame shorter than the grid should not exist; its missing points
        // go out dark rather than read past its end.
        const size_t usable = std::min(gridPoints, frame.size());
        if (screen == ScreenType::Rectangular) {
            for (size_t i = 0; i < size_t(points); ++i)
                at = putColour(at, i < usable ? frame[i] : 0);
            continue;
        }
        const std::vector<WiringPixel> &list = wiring.pixels();
        for (int64_t k = 0; k < points; ++k) {
            // A list shorter than its largest pixel number repeats its last
            // pixel; pixels beyond the first P are never reached.
            const WiringPixel &p = list[size_t(std::min<int64_t>(k, int64_t(list.size()) - 1))];
            ColorValue c = 0;
            // Records may lie outside the grid (a wiring kept from a larger
            // grid); they send dark.
            if (p.column >= 0 && p.row >= 0 && p.column < cols && p.row < geometry.rows) {
                const size_t i = size_t(p.row) * size_t(cols) + size_t(p.column);
                if (i < usable)
                    c = frame[i];
            }
            at = putColour(at, c);
        }
    }
    return out;
}

QString frameSendProblemText(FrameSendProblem problem)
{
    switch (problem) {
    case FrameSendProblem::None:
        return {};
    case FrameSendProblem::StartNotPositive:
    case FrameSendProblem::EndNotPositive:
    case FrameSendProblem::TubeCountNotPositive:
        return LanguageText("Message", "IntGreaterThan0", QStringLiteral("请输入一个大于0的整数!"));
    case FrameSendProblem::StartAfterEnd:
        return LanguageText("Message", "SatrtFrameLessEndFrame", QStringLiteral("起始帧小于结束帧,请重新选择!"));
    case FrameSendProblem::StartBeyondLastFrame:
        // As the LED data dialog says it: the start lies past the last frame,
        // not before the end frame.
        return LanguageText("Message", "StartFrameBeyondLast", QStringLiteral("起始帧超出最后一帧,请重新选择!"));
    case FrameSendProblem::NoWiring:
        return LanguageText("Message", "DefineLineFirst", QStringLiteral("请先定义LED线路!"));
    case FrameSendProblem::TooMuchData:
        return LanguageText("Message", "TooMuchData", QStringLiteral("数据量太大!"));
    }
    return {};
}

#pragma once
// What the data send form turns into a transfer: the checks of its fields,
// the payload of the chosen frames in one of the two layouts, and the
// header that announces it.

#include "links/serial/transfer_packets.h"

#include <QString>
#include <cstdint>
#include <vector>

class FrameSequence;
class Wiring;
struct GridGeometry;

// Rectangular: every grid point row by row. Irregular: the wiring list's
// points in the list's own order, however they sit in the grid.
enum class ScreenType : uint8_t { Rectangular = 0, Irregular = 1 };

// The form's fields; frames are counted from 1, the end frame inclusively.
struct FrameSendRequest
{
    int startFrame = 1;
    int endFrame = 0;
    ScreenType screen = ScreenType::Rectangular;
    int tubeModel = 0; // index into "T5", "大功率", "8段", "16段"
    int tubeCount = 0;
};

// In the order the form checks them; the first one found is reported.
enum class FrameSendProblem {
    None,
    StartNotPositive,     // "IntGreaterThan0", focus on the start edit
    EndNotPositive,       // the same, focus on the end edit
    TubeCountNotPositive, // the same, focus on the tube count edit
    StartAfterEnd,        // "SatrtFrameLessEndFrame"
    NoWiring,             // "DefineLineFirst": irregular layout without a wired point
    StartBeyondLastFrame, // "StartFrameBeyondLast" once the end is cut to the frame count
    TooMuchData,          // "TooMuchData": more than 503 packets
};

// Everything a transfer needs, copied out of the document so that it can
// run on another thread while the user goes on editing.
struct FrameSendPlan
{
    ScreenType screen = ScreenType::Rectangular;
    int firstFrame = 0; // 0-based, inclusive
    int lastFrame = 0;  // 0-based, inclusive (already cut to the frame count)
    int pointsPerFrame = 0;
    SerialPacket::Header header{};
    std::vector<uint8_t> payload; // 3 bytes per point: red, green, blue
    int packets = 0;
    int lastLength = 0; // payload bytes of the last packet, 1..63
};

// Grid points per frame: rows x columns, or for the irregular layout the
// largest pixel number of the wiring plus one (ports are not looked at).
// 0 when there is nothing to send.
int64_t pointsPerFrame(ScreenType screen, const GridGeometry &geometry, const Wiring &wiring);

// Checks the request against the document and, when it passes, fills
// `plan`. The end frame beyond the last frame is quietly cut back to it.
FrameSendProblem planFrameSend(const FrameSendRequest &request, const FrameSequence &frames,
                               const GridGeometry &geometry, const Wiring &wiring,
                               FrameSendPlan &plan);

// The payload of frames first..last in the given layout. Frames are cut
// into packets without regard to their boundaries, so this is one stream.
std::vector<uint8_t> framePayload(ScreenType screen, const FrameSequence &frames, int first,
                                  int last, const GridGeometry &geometry, const Wiring &wiring,
                                  int64_t points);

// The message for a refused request.
QString frameSendProblemText(FrameSendProblem problem);

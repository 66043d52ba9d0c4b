#pragma once
// What synchronous output sends for one frame: the colours of the wired
// points, port by port in chain order, interleaved across the ports in the
// order the communication format asks for, reduced to the controller's grey
// levels and spread over its lanes. Always three bytes per pixel, whatever
// the grid's base colours; no data file is involved.
//
// The byte order is the USB output's own and differs from the frame blocks
// of the generated data files for several formats.

#include "links/controller_params.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class Frame;
class Wiring;

struct UsbFramePayload
{
    std::vector<uint8_t> bytes; // D bytes
    int ports = 1;              // P: highest wired port + 1
    int pixelsPerPort = 1;      // M: highest pixel number on any port + 1
    int lanes = 1;              // 8 for controller model 0, else P
    // Set when the frame cannot be sent; nothing was built then.
    QString refusal;

    bool refused() const { return !refusal.isEmpty(); }
    int64_t bytesPerLane() const { return lanes > 0 ? int64_t(bytes.size()) / lanes : 0; }
};

// The controller models carry 16 ports, model 0 only 8.
int usbMaxPorts(int controllerModel);

// Builds the payload of `frame` (a grid `cols` wide) for the wiring and the
// controller values. A wiring with more ports than the model carries, or a
// frame the controller cannot take in one transfer, is refused with a
// message before anything is built.
UsbFramePayload buildUsbFramePayload(const Frame &frame, int rows, int cols, const Wiring &wiring,
                                     const ControllerParams &params);

// The same payloads for a run of frames, as playback sends them. Where
// every wired lamp's bytes go is worked out once for the wiring (by its
// revision), the grid and the controller values, and kept while they stay:
// each frame is then one pass over its wired lamps.
class UsbPayloadBuilder
{
public:
    UsbPayloadBuilder();
    ~UsbPayloadBuilder();
    UsbPayloadBuilder(const UsbPayloadBuilder &) = delete;
    UsbPayloadBuilder &operator=(const UsbPayloadBuilder &) = delete;

    UsbFramePayload build(const Frame &frame, int rows, int cols, const Wiring &wiring,
                          const ControllerParams &params);

private:
    struct Plan;
    std::unique_ptr<Plan> m_plan;
};

// The 16-byte block that tells the controller the layout of the frames that
// follow: 0x02, D, lanes, 0, divider A, divider B, 0, grey levels - 1, the
// document's frame count, scan enhancement, 0, D / lanes, format.
std::array<uint8_t, 16> parameterBlock(const UsbFramePayload &payload, const ControllerParams &params,
                                       int frameCount);

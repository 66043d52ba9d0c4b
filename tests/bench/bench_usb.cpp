// The payload a playback step builds for the USB controller: a frame of 16
// ports x 512 pixels, next to a memory copy of the same 24,576 bytes. It is
// built on every step of playback, so it has to stay close to the copy.
// The first frame after a wiring change also works out the wiring's plan.

#include "document/frame.h"
#include "document/wiring.h"
#include "links/usb/usb_frame_payload.h"
#include "wired_grid.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kUsbPorts = 16;
constexpr int kUsbPixels = 512;
constexpr int kUsbRows = 64; // four rows of 128 points per port
constexpr int kUsbCols = 128;

// Port p drives rows 4p to 4p + 3, back and forth; the payload does not
// ask the kind of circuitry.
struct UsbBenchFrame : RandomWiredFrame
{
    ControllerParams params;

    UsbBenchFrame()
        : RandomWiredFrame(kUsbRows, kUsbCols, 15,
                           {.ports = portsFromZero(kUsbPorts), .pointsPerPort = kUsbPixels, .snake = true,
                            .kind = CircuitryKind::None})
    {
        params.controllerModel = 1;
        params.communicationFormat = 0;
        params.greyLevels = 64;
    }
};

void BM_UsbFramePayload(benchmark::State &state)
{
    const UsbBenchFrame bench;
    UsbPayloadBuilder builder;
    for (auto _ : state) {
        UsbFramePayload payload = builder.build(bench.frame, kUsbRows, kUsbCols, bench.wiring, bench.params);
        benchmark::DoNotOptimize(payload.bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kUsbPorts * kUsbPixels * 3);
}
BENCHMARK(BM_UsbFramePayload)->Unit(benchmark::kMicrosecond);

void BM_UsbFramePayloadAfterWiringChange(benchmark::State &state)
{
    const UsbBenchFrame bench;
    for (auto _ : state) {
        UsbFramePayload payload = buildUsbFramePayload(bench.frame, kUsbRows, kUsbCols, bench.wiring, bench.params);
        benchmark::DoNotOptimize(payload.bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kUsbPorts * kUsbPixels * 3);
}
BENCHMARK(BM_UsbFramePayloadAfterWiringChange)->Unit(benchmark::kMicrosecond);

void BM_UsbPayloadCopy(benchmark::State &state)
{
    const std::vector<uint8_t> source(size_t(kUsbPorts) * kUsbPixels * 3, 0x5A);
    for (auto _ : state) {
        std::vector<uint8_t> copy(source.size());
        std::memcpy(copy.data(), source.data(), source.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.size()));
}
BENCHMARK(BM_UsbPayloadCopy)->Unit(benchmark::kMicrosecond);

} // namespace

// The network output at 64 universes (64 ports of 170 pixels, 10,880
// lamps): what one playback step costs the editor's thread (filling the
// channels and handing the frame to the sender), what building the 64
// datagrams costs the worker, and how many frames a second the writer puts
// through loopback.

#include "document/frame.h"
#include "document/wiring.h"
#include "network/network_sender.h"
#include "output/network/network_output_settings.h"
#include "network/udp_frame_writer.h"
#include "wired_grid.h"

#include <QUdpSocket>
#include <benchmark/benchmark.h>

namespace {

constexpr int kNetUniverses = 64;
constexpr int kNetPixels = 170;

// Port p drives row p, back and forth.
struct NetworkBenchFrame : RandomWiredFrame
{
    NetworkOutputMap map{wiring, kNetUniverses, kNetPixels, NetworkMapLayout{}};

    NetworkBenchFrame()
        : RandomWiredFrame(kNetUniverses, kNetPixels, 20,
                           {.ports = portsFromZero(kNetUniverses), .pointsPerPort = kNetPixels, .snake = true})
    {
    }
};

// A receiver nobody reads: the writer's datagrams have somewhere to go.
struct NetworkBenchSink
{
    QUdpSocket socket;
    NetworkBenchSink() { socket.bind(QHostAddress::LocalHost, 0); }
    NetworkTarget target(NetworkProtocol protocol)
    {
        NetworkTarget t;
        t.packets.protocol = protocol;
        t.host = QStringLiteral("127.0.0.1");
        t.port = socket.localPort();
        return t;
    }
};

void BM_NetworkPlaybackStep(benchmark::State &state)
{
    const NetworkBenchFrame bench;
    NetworkBenchSink sink;
    NetworkSender sender(sink.target(NetworkProtocol::E131), NetworkOutputSettings::kMaxFramesPerSecond);
    sender.start();
    for (auto _ : state) {
        auto frame = std::make_shared<NetworkFrame>();
        frame->universes = bench.map.universes();
        bench.map.fill(bench.frame, frame->channels);
        sender.submit(std::move(frame));
    }
    sender.finish();
    sender.wait();
    state.counters["universes"] = double(bench.map.universes().size());
}
BENCHMARK(BM_NetworkPlaybackStep)->Unit(benchmark::kMicrosecond);

void BM_NetworkPacketBuild(benchmark::State &state)
{
    const NetworkBenchFrame bench;
    std::vector<uint8_t> channels;
    bench.map.fill(bench.frame, channels);
    NetworkPacketBuilder builder({static_cast<NetworkProtocol>(state.range(0))});
    std::vector<NetworkDatagram> out;
    for (auto _ : state) {
        builder.build(bench.map.universes(), channels.data(), int(channels.size()), out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["datagrams"] = double(out.size());
}
BENCHMARK(BM_NetworkPacketBuild)->Arg(int(NetworkProtocol::E131))->Arg(int(NetworkProtocol::ArtNet))
    ->Arg(int(NetworkProtocol::Ddp))->Unit(benchmark::kMicrosecond);

void BM_NetworkLoopbackFrames(benchmark::State &state)
{
    const NetworkBenchFrame bench;
    NetworkBenchSink sink;
    UdpFrameWriter writer(sink.target(static_cast<NetworkProtocol>(state.range(0))));
    writer.open(nullptr);
    NetworkFrame frame;
    frame.universes = bench.map.universes();
    bench.map.fill(bench.frame, frame.channels);
    for (auto _ : state)
        writer.send(frame);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["failed"] = double(writer.datagramsFailed());
}
BENCHMARK(BM_NetworkLoopbackFrames)->Arg(int(NetworkProtocol::E131))->Arg(int(NetworkProtocol::ArtNet))
    ->Arg(int(NetworkProtocol::Ddp))->Unit(benchmark::kMicrosecond);

} // namespace

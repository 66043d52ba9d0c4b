// Controller port data: 1,000 frames for 16 ports of 512 pixels each, encoded
// and written, next to a plain memory copy of the same output bytes.

#include "document/document.h"
#include "links/controller_params.h"
#include "output/port_data_files.h"
#include "output/port_stream.h"
#include "settings/prompt.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kPorts = 16;
constexpr int kPixelsPerPort = 512;
constexpr int kRows = 64;  // four rows of 128 points per port
constexpr int kCols = 128;

int frameCount() { return std::getenv("BRIGHTLOOM_BENCH_SMOKE") ? 20 : 1000; }

// Padded block bytes of one port and frame in colour: 1,536, three sectors.
constexpr int64_t kBlockBytes = kPixelsPerPort * 3;
int64_t outputBytes() { return int64_t(frameCount()) * kPorts * kBlockBytes; }

// A 64 x 128 grid of seeded colours, wired port by port in snake order.
Document &sharedDocument()
{
    static Document *doc = [] {
        GridGeometry g;
        g.rows = kRows;
        g.cols = kCols;
        auto *d = new Document(g);
        std::mt19937 gen(7);
        for (int f = 0; f < frameCount(); ++f) {
            Frame fr(size_t(kRows) * kCols);
            for (ColorValue &c : fr.pixels())
                c = gen() & 0xFFFFFFu;
            d->frames().append(std::move(fr));
        }
        d->wiring().setKind(CircuitryKind::Led);
        for (int y = 0; y < kRows; ++y) {
            for (int i = 0; i < kCols; ++i) {
                WiringPixel p;
                p.row = y;
                p.column = y % 2 == 0 ? i : kCols - 1 - i;
                p.port = y / 4;
                p.pixel = (y % 4) * kCols + i;
                d->wiring().append(p);
            }
        }
        return d;
    }();
    return *doc;
}

class SilentPrompt : public Prompt
{
public:
    void inform(const QString &, PromptIcon, const QString &) override {}
    PromptAnswer ask(const QString &, PromptButtons, PromptIcon, const QString &) override { return PromptAnswer::Yes; }
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &, const QString &) override { return {}; }
};

void BM_MemcpyOfTheSameBytes(benchmark::State &state)
{
    // The same bytes in the same pieces: one 1,536-byte block per port and
    // frame, taken from the frame buffers.
    Document &doc = sharedDocument();
    std::vector<uint8_t> out(static_cast<size_t>(outputBytes()));
    for (auto _ : state) {
        uint8_t *o = out.data();
        for (int p = 0; p < kPorts; ++p) {
            for (int f = 0; f < doc.frameCount(); ++f) {
                std::memcpy(o, reinterpret_cast<const uint8_t *>(doc.frames()[f].data()) + p * kBlockBytes,
                            size_t(kBlockBytes));
                o += kBlockBytes;
            }
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * outputBytes());
}

// Every port's stream into memory, so the figure is the encoders' own.
void encodeToMemory(benchmark::State &state, int format, int greyLevels)
{
    Document &doc = sharedDocument();
    ControllerParams params = ControllerParams::initial(3);
    params.communicationFormat = format;
    params.greyLevels = greyLevels;
    const BlockLayout layout = BlockLayout::from(params, 3);
    const std::vector<PortTaps> ports = collectPortTaps(doc.wiring(), kRows, kCols);
    PortHeaderValues header;
    header.frameCount = doc.frameCount();
    std::vector<QByteArray> sinks(ports.size());
    std::vector<std::unique_ptr<QBuffer>> buffers;
    std::vector<QIODevice *> devices;
    for (QByteArray &sink : sinks) {
        sink.reserve(qsizetype(outputBytes() / kPorts + 512));
        buffers.push_back(std::make_unique<QBuffer>(&sink));
        devices.push_back(buffers.back().get());
    }
    for (auto _ : state) {
        std::vector<PortBlockWriter> writers;
        for (size_t i = 0; i < ports.size(); ++i) {
            sinks[i].resize(0);
            buffers[i]->open(QIODevice::WriteOnly);
            writers.emplace_back(ports[i], layout);
        }
        writePortStreams(devices, writers, header, doc.frames(), 0, doc.frameCount() - 1);
        for (auto &b : buffers)
            b->close();
        benchmark::DoNotOptimize(sinks.front().data());
    }
    state.SetBytesProcessed(state.iterations() * outputBytes());
}

void BM_EncodeFormat0Plain(benchmark::State &state) { encodeToMemory(state, 0, 256); }
void BM_EncodeFormat2Groups(benchmark::State &state) { encodeToMemory(state, 2, 256); }
void BM_EncodeFormat4OrderRows64Levels(benchmark::State &state) { encodeToMemory(state, 4, 64); }
void BM_EncodeFormat1Reversed(benchmark::State &state) { encodeToMemory(state, 1, 256); }

// The whole command's work: sixteen port files written and committed.
void BM_WritePortFiles(benchmark::State &state)
{
    Document &doc = sharedDocument();
    ControllerParams params = ControllerParams::initial(3);
    params.controllerModel = 1; // 512 pixels are past the first model's timing limit
    QTemporaryDir dir;
    PortDataRequest request;
    request.fromFrame = 1;
    request.toFrame = doc.frameCount();
    request.chosenPath = dir.filePath(QStringLiteral("bench.led"));
    SilentPrompt prompt;
    for (auto _ : state) {
        if (writePortDataFiles(doc, params, request, prompt) != PortDataResult::Written)
            state.SkipWithError("writing the port files failed");
    }
    state.SetBytesProcessed(state.iterations() * outputBytes());
}

BENCHMARK(BM_MemcpyOfTheSameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeFormat0Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeFormat2Groups)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeFormat4OrderRows64Levels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeFormat1Reversed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePortFiles)->Unit(benchmark::kMillisecond);

} // namespace

// FSEQ export: 10,000 frames of 3,072 channels (a 32 x 32 grid row by row)
// written uncompressed, with zstd and with zlib into memory, next to a plain
// memory copy of the same channel bytes. The frames are a moving colour
// wave with seeded sparkles, as an animation looks to the compressor.

#include "output/fseq/fseq_channel_map.h"
#include "output/fseq/fseq_writer.h"

#include <QBuffer>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kSide = 32;
constexpr uint32_t kChannels = 3 * kSide * kSide;

uint32_t frameCount() { return std::getenv("BRIGHTLOOM_BENCH_SMOKE") ? 50 : 10000; }
int64_t channelBytes() { return int64_t(frameCount()) * kChannels; }

const std::vector<Frame> &frames()
{
    static const std::vector<Frame> all = [] {
        std::vector<Frame> v;
        std::mt19937 gen(11);
        for (uint32_t f = 0; f < frameCount(); ++f) {
            Frame fr(size_t(kSide) * kSide);
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x)
                    fr.set(x, y, kSide, makeColor((x * 8 + f * 3) & 0xFF, (y * 8 + f * 5) & 0xFF, (x + y + f) & 0xFF));
            for (int s = 0; s < 16; ++s)
                fr[gen() % fr.size()] = gen() & 0xFFFFFFu;
            v.push_back(std::move(fr));
        }
        return v;
    }();
    return all;
}

void BM_MemcpyOfTheSameBytes(benchmark::State &state)
{
    // The channel bytes as they stand in memory, copied frame by frame.
    std::vector<uint8_t> channels(size_t(kChannels) * frameCount());
    const FseqChannelMap map = FseqChannelMap::fromGrid(kSide, kSide, {});
    for (uint32_t f = 0; f < frameCount(); ++f)
        map.fill(frames()[f], channels.data() + size_t(f) * kChannels);
    std::vector<uint8_t> out(channels.size());
    for (auto _ : state) {
        for (uint32_t f = 0; f < frameCount(); ++f)
            std::memcpy(out.data() + size_t(f) * kChannels, channels.data() + size_t(f) * kChannels, kChannels);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * channelBytes());
}
BENCHMARK(BM_MemcpyOfTheSameBytes)->Unit(benchmark::kMillisecond);

void BM_ExportFseq(benchmark::State &state)
{
    const auto compression = FseqCompression(state.range(0));
    const FseqChannelMap map = FseqChannelMap::fromGrid(kSide, kSide, {});
    FseqWriteSpec spec;
    spec.channelsPerFrame = map.channelCount();
    spec.frameCount = frameCount();
    spec.compression = compression;
    QByteArray bytes;
    bytes.reserve(channelBytes() + 4096);
    for (auto _ : state) {
        bytes.resize(0); // keeps the reserved room
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!writeFseq(buffer, spec, [&](uint32_t f, uint8_t *out) { map.fill(frames()[f], out); }))
            state.SkipWithError("write failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * channelBytes());
    state.counters["file_MB"] = double(bytes.size()) / 1e6;
    state.SetLabel(fseqCompressionName(compression).toStdString());
}
BENCHMARK(BM_ExportFseq)
    ->Arg(int(FseqCompression::None))
    ->Arg(int(FseqCompression::Zstd))
    ->Arg(int(FseqCompression::Zlib))
    ->Unit(benchmark::kMillisecond);

} // namespace

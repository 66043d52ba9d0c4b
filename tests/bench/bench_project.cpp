// Opening and saving a large project, next to a plain memory copy of the
// same number of bytes: the readers and the writer should run at a third of
// the copy's speed or better. Saving to a file includes the flush to disk
// that makes the save safe. 10,000 frames of 64 x 64 (200 frames when
// BRIGHTLOOM_BENCH_SMOKE is set, for the quick test run).
#include "document/project_file.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

namespace {

constexpr int kSide = 64;

struct BigProject
{
    GridGeometry geometry;
    FrameSequence frames;
    QByteArray bytes;
    QTemporaryDir dir;
    QString filePath;

    BigProject()
    {
        const int count = std::getenv("BRIGHTLOOM_BENCH_SMOKE") ? 200 : 10000;
        geometry.rows = kSide;
        geometry.cols = kSide;
        std::mt19937 rng(2024);
        for (int i = 0; i < count; ++i) {
            Frame f(size_t(kSide) * kSide);
            for (size_t p = 0; p < f.size(); ++p)
                f[p] = rng() & 0xFFFFFFu;
            frames.append(std::move(f));
        }
        bytes = projectBytes(geometry, frames);
        filePath = dir.filePath(QStringLiteral("big.wst"));
        if (!writeProjectFile(filePath, geometry, frames))
            std::abort();
    }
};

BigProject &project()
{
    static BigProject p;
    return p;
}

void BM_MemoryCopy(benchmark::State &state)
{
    const QByteArray &src = project().bytes;
    std::unique_ptr<char[]> dst(new char[size_t(src.size())]);
    std::memset(dst.get(), 1, size_t(src.size())); // touch the pages once
    for (auto _ : state) {
        std::memcpy(dst.get(), src.constData(), size_t(src.size()));
        benchmark::DoNotOptimize(dst.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * src.size());
}

// The same copy into memory the process has not touched yet, as opening a
// project must do for its frames: on a virtual machine the first touch of
// each page costs more than copying into it.
void BM_MemoryCopyToFreshMemory(benchmark::State &state)
{
    const QByteArray &src = project().bytes;
    for (auto _ : state) {
        std::unique_ptr<char[]> dst(new char[size_t(src.size())]);
        std::memcpy(dst.get(), src.constData(), size_t(src.size()));
        benchmark::DoNotOptimize(dst.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * src.size());
}

void BM_OpenFromMemory(benchmark::State &state)
{
    const QByteArray &bytes = project().bytes;
    for (auto _ : state) {
        ProjectReadResult r = readProjectBytes(bytes);
        if (!r.ok() || r.data->frames.size() != size_t(project().frames.count()))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_OpenFromFile(benchmark::State &state)
{
    for (auto _ : state) {
        ProjectReadResult r = readProjectFile(project().filePath);
        if (!r.ok() || r.data->frames.size() != size_t(project().frames.count()))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * project().bytes.size());
}

void BM_SaveToMemory(benchmark::State &state)
{
    for (auto _ : state) {
        QByteArray out = projectBytes(project().geometry, project().frames);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * project().bytes.size());
}

void BM_SaveToFile(benchmark::State &state)
{
    const QString path = project().dir.filePath(QStringLiteral("saved.wst"));
    for (auto _ : state) {
        if (!writeProjectFile(path, project().geometry, project().frames))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * project().bytes.size());
}

// A save of the size people save most often, about 2 MB (170 frames of
// 64 x 64): here the wait for the disk, not the encoding, sets the time.
void BM_SaveTwoMegabytesToFile(benchmark::State &state)
{
    const BigProject &big = project();
    FrameSequence frames;
    for (int i = 0; i < 170; ++i)
        frames.append(Frame(big.frames.at(i % big.frames.count())));
    const QString path = big.dir.filePath(QStringLiteral("two-megabytes.wst"));
    for (auto _ : state) {
        if (!writeProjectFile(path, big.geometry, frames))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * projectBytes(big.geometry, frames).size());
}

} // namespace

BENCHMARK(BM_MemoryCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryCopyToFreshMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTwoMegabytesToFile)->Unit(benchmark::kMillisecond);

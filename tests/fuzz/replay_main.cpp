// Replay driver for the fuzz targets in the normal (gcc) build: runs the
// target over every file of the seed corpus and over deterministic mutations
// of those files (bit flips, truncations, inserted and overwritten bytes,
// huge little-endian numbers), so hostile input is exercised without clang.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

std::vector<uint8_t> readAll(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void runOne(const std::vector<uint8_t> &bytes)
{
    LLVMFuzzerTestOneInput(bytes.empty() ? nullptr : bytes.data(), bytes.size());
}

std::vector<uint8_t> mutate(std::vector<uint8_t> bytes, std::mt19937 &rng)
{
    const int kind = static_cast<int>(rng() % 6);
    if (bytes.empty() || kind == 0) {
        bytes.push_back(static_cast<uint8_t>(rng()));
        return bytes;
    }
    const size_t at = rng() % bytes.size();
    switch (kind) {
    case 1:
        bytes[at] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
    case 2:
        bytes.resize(at);
        break;
    case 3:
        bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<uint8_t>(rng()));
        break;
    case 4: {
        // A size field that promises far more than the file holds.
        static const uint32_t big[] = {0x7FFFFFFFu, 0xFFFFFFFFu, 0x80000000u, 0x00010000u, 0x7FFFu};
        const uint32_t v = big[rng() % 5];
        for (int i = 0; i < 4 && at + static_cast<size_t>(i) < bytes.size(); ++i)
            bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
        break;
    }
    default:
        bytes[at] = static_cast<uint8_t>(rng());
        break;
    }
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::vector<uint8_t>> seeds;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p(argv[i]);
        if (std::filesystem::is_directory(p)) {
            for (const auto &entry : std::filesystem::directory_iterator(p))
                if (entry.is_regular_file())
                    seeds.push_back(readAll(entry.path()));
        } else if (std::filesystem::exists(p)) {
            seeds.push_back(readAll(p));
        }
    }
    seeds.push_back({});
    for (const auto &s : seeds)
        runOne(s);

    std::mt19937 rng(20261208u);
    int runs = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes = seeds[static_cast<size_t>(round) % seeds.size()];
        const int depth = 1 + static_cast<int>(rng() % 4);
        for (int d = 0; d < depth; ++d)
            bytes = mutate(std::move(bytes), rng);
        runOne(bytes);
        ++runs;
    }
    std::printf("replayed %zu seeds and %d mutations\n", seeds.size(), runs);
    return 0;
}

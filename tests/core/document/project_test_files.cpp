#include "project_test_files.h"

#include <cstring>
#include <numeric>
#include <random>
#include <stdexcept>

namespace testfiles {
namespace {

void add16(QByteArray &out, uint16_t v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void add32(QByteArray &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void addGeometry(QByteArray &out, const RawHeader &h)
{
    add16(out, uint16_t(h.rows));
    add16(out, uint16_t(h.cols));
    add16(out, uint16_t(h.celWidth));
    add16(out, uint16_t(h.celHeight));
    out.append(char(h.baseColorNum));
    out.append(char(h.scanMode));
}

// Modular inverse by the extended Euclidean algorithm; 0 when none.
uint64_t inverse(uint64_t a, uint64_t m)
{
    int64_t t = 0, newT = 1;
    int64_t r = int64_t(m), newR = int64_t(a % m);
    while (newR != 0) {
        const int64_t q = r / newR;
        t = t - q * newT;
        std::swap(t, newT);
        r = r - q * newR;
        std::swap(r, newR);
    }
    if (r != 1)
        return 0;
    return uint64_t(t < 0 ? t + int64_t(m) : t);
}

// Group s of a colour's word goes to group kMove[s] when read.
constexpr int kMove[8] = {5, 6, 4, 0, 7, 3, 2, 1};

} // namespace

QByteArray headerText(const QByteArray &text)
{
    QByteArray out = text.left(10);
    out.append(QByteArray(10 - out.size(), '\0'));
    return out;
}

QByteArray currentLayout(const RawHeader &h, const std::vector<Frame> &frames)
{
    QByteArray out = headerText("WST1");
    add32(out, 11);
    add32(out, 0);
    add32(out, uint32_t(h.frameCount));
    addGeometry(out, h);
    for (const Frame &f : frames)
        for (size_t i = 0; i < f.size(); ++i) {
            out.append(char(redOf(f[i])));
            out.append(char(greenOf(f[i])));
            out.append(char(blueOf(f[i])));
        }
    return out;
}

QByteArray oldLayout(const RawHeader &h, const std::vector<Frame> &frames)
{
    QByteArray out = headerText(QByteArray("VISSP\x01", 6));
    add32(out, uint32_t(h.frameCount));
    addGeometry(out, h);
    for (const Frame &f : frames)
        for (size_t i = 0; i < f.size(); ++i)
            add32(out, f[i]);
    return out;
}

uint32_t referencePower(uint64_t base, uint64_t exponent, uint64_t n)
{
    unsigned __int128 result = 1 % n;
    unsigned __int128 b = base % n;
    while (exponent > 0) {
        if (exponent & 1)
            result = result * b % n;
        b = b * b % n;
        exponent >>= 1;
    }
    return uint32_t(result);
}

ScrambleKey makeScrambleKey(uint32_t p, uint32_t q)
{
    const uint64_t n = uint64_t(p) * q;
    if (n > UINT32_MAX)
        throw std::invalid_argument("modulus does not fit 32 bits");
    const uint64_t phi = uint64_t(p - 1) * (q - 1);
    for (uint32_t key = 3; key < 100000; ++key) {
        const uint32_t d = referencePower(key, 17, n);
        const uint64_t e = inverse(d, phi);
        if (d > 1 && e != 0)
            return ScrambleKey{uint32_t(n), key, uint32_t(e)};
    }
    throw std::runtime_error("no usable key");
}

uint32_t scramblePixel(ColorValue c)
{
    const uint32_t masked = c ^ 0x3C6E1A95u;
    uint32_t word = 0;
    for (int s = 0; s < 8; ++s)
        word |= ((masked >> (4 * kMove[s])) & 0xFu) << (4 * s);
    return word;
}

QByteArray scrambledLayoutRaw(uint32_t n, uint32_t key, uint32_t countWord, uint32_t sizeWord, uint32_t cellWord,
                              const std::vector<Frame> &frames)
{
    QByteArray out = headerText("VISSP2");
    add32(out, n);
    add32(out, key);
    add32(out, countWord);
    add32(out, sizeWord);
    add32(out, cellWord);
    out.append(char(3));
    out.append(char(1));
    for (const Frame &f : frames)
        for (size_t i = 0; i < f.size(); ++i)
            add32(out, scramblePixel(f[i]));
    return out;
}

QByteArray scrambledLayout(const ScrambleKey &key, const ScrambledHeader &h, const std::vector<Frame> &frames)
{
    const auto enc = [&](uint32_t w) { return referencePower(w, key.encodeExponent, key.n); };
    QByteArray out = scrambledLayoutRaw(key.n, key.key, enc(h.frameCount), enc(h.rows | h.cols << 12),
                                        enc(uint32_t(h.celWidth) | uint32_t(h.celHeight) << 16), frames);
    out[30] = char(h.baseColorNum);
    out[31] = char(h.scanMode);
    return out;
}

std::vector<Frame> seededFrames(int count, size_t points, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::vector<Frame> frames;
    for (int i = 0; i < count; ++i) {
        Frame f(points);
        for (size_t p = 0; p < points; ++p)
            f[p] = rng() & 0xFFFFFFu;
        frames.push_back(std::move(f));
    }
    return frames;
}

} // namespace testfiles

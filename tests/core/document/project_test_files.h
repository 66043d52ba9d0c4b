#pragma once
// Project files built byte by byte for the tests, independently of the
// product's writer, so that the reader is checked against the layouts
// themselves and not against our own writer's idea of them.

#include "document/frame.h"
#include "settings/color_value.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace testfiles {

// The header fields as a file stores them, hostile values included.
struct RawHeader
{
    int32_t frameCount = 0;
    int16_t rows = 24;
    int16_t cols = 40;
    int16_t celWidth = 20;
    int16_t celHeight = 20;
    uint8_t baseColorNum = 3;
    uint8_t scanMode = 1;
};

// A header text field: `text` and then zero bytes up to 10, or exactly the
// 10 bytes given.
QByteArray headerText(const QByteArray &text);

// "WST1" layout: header, then 3 bytes (r, g, b) per point of each frame.
QByteArray currentLayout(const RawHeader &h, const std::vector<Frame> &frames);
// "VISSP"+0x01 layout: header, then 4-byte colour values.
QByteArray oldLayout(const RawHeader &h, const std::vector<Frame> &frames);

// A key for the scrambled layout that the test can encode with: n = p * q
// for two primes; the file's working exponent is d = key^17 mod n and
// encodeExponent * d = 1 modulo (p - 1)(q - 1), so w^encodeExponent
// decodes back to w for every w < n.
struct ScrambleKey
{
    uint32_t n = 0;
    uint32_t key = 0;
    uint32_t encodeExponent = 0;
};
ScrambleKey makeScrambleKey(uint32_t p, uint32_t q);

// Plain right-to-left binary exponentiation with 128-bit products: a
// reference for the product's square-and-multiply order.
uint32_t referencePower(uint64_t base, uint64_t exponent, uint64_t n);

// The inverse of the pixel word shuffle: the word a file stores for `c`.
uint32_t scramblePixel(ColorValue c);

// The fields of a scrambled header before encoding.
struct ScrambledHeader
{
    uint32_t frameCount = 0;
    uint32_t rows = 24; // 12 bits
    uint32_t cols = 40;
    uint16_t celWidth = 20;
    uint16_t celHeight = 20;
    uint8_t baseColorNum = 3;
    uint8_t scanMode = 1;
};
// "VISSP2" layout with the words encoded under `key`.
QByteArray scrambledLayout(const ScrambleKey &key, const ScrambledHeader &h, const std::vector<Frame> &frames);
// The same with the modulus, key and the three encoded words written as
// given (for hostile headers).
QByteArray scrambledLayoutRaw(uint32_t n, uint32_t key, uint32_t countWord, uint32_t sizeWord, uint32_t cellWord,
                              const std::vector<Frame> &frames);

// Frames of `points` seeded colours each (top byte 0).
std::vector<Frame> seededFrames(int count, size_t points, uint32_t seed);

} // namespace testfiles

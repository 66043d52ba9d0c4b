#pragma once
// The 512-byte header at the start of every controller port data file
// (".led"). 16-bit values are little-endian and stored modulo 65536; bytes
// not listed are 0.

#include <array>
#include <cstdint>

struct PortFileHeader
{
    static constexpr int kSize = 512;

    uint16_t dataLength = 0;   // 0: L of the header length rule
    // 2: always 1; 3: always 0
    uint8_t dividerA = 0;      // 4: the panel's divider A − 1
    uint8_t dividerB = 0;      // 5: divider B − 1
    // 6: always 0
    uint8_t greyLevels = 0;    // 7: grey levels − 1
    uint16_t frameCount = 0;   // 8: frames of the whole document, not of the written range
    uint8_t scan = 0;          // 10: scan enhancement, 0 or 1
    uint8_t speed = 0;         // 11: frames per second, low byte
    uint16_t pixelLength = 0;  // 12: N of the header length rule
    uint8_t format = 0;        // 14: format index, with 12 written as 9
    uint8_t sdCardSpeed = 0;   // 15: low byte
    uint16_t sectors = 0;      // 16: whole 512-byte sectors in the last frame block
    uint16_t remainder = 0;    // 18: that block's bytes mod 512

    std::array<uint8_t, kSize> bytes() const;
};

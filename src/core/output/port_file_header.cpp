#include "output/port_file_header.h"

namespace {

void put16(uint8_t *at, uint16_t v)
{
    at[0] = uint8_t(v & 0xFF);
    at[1] = uint8_t(v >> 8);
}

} // namespace

std::array<uint8_t, PortFileHeader::kSize> PortFileHeader::bytes() const
{
    std::array<uint8_t, kSize> b{};
    put16(&b[0], dataLength);
    b[2] = 1;
    b[3] = 0;
    b[4] = dividerA;
    b[5] = dividerB;
    b[7] = greyLevels;
    put16(&b[8], frameCount);
    b[10] = scan;
    b[11] = speed;
    put16(&b[12], pixelLength);
    b[14] = format;
    b[15] = sdCardSpeed;
    put16(&b[16], sectors);
    put16(&b[18], remainder);
    return b;
}

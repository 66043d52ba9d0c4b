#include "output/port_file_header.h"

#include "document/byte_writer.h"

std::array<uint8_t, PortFileHeader::kSize> PortFileHeader::bytes() const
{
    std::array<uint8_t, kSize> b{};
    ByteWriter w(b.data(), b.size());
    w.u16(dataLength);
    w.u8(1);
    w.u8(0);
    w.u8(dividerA);
    w.u8(dividerB);
    w.u8(0);
    w.u8(greyLevels);
    w.u16(frameCount);
    w.u8(scan);
    w.u8(speed);
    w.u16(pixelLength);
    w.u8(format);
    w.u8(sdCardSpeed);
    w.u16(sectors);
    w.u16(remainder);
    return b;
}

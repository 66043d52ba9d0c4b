#include "output/port_file_header.h"

#include <gtest/gtest.h>

namespace {

TEST(PortFileHeaderBytes, PlacesEveryFieldLittleEndian)
{
    PortFileHeader h;
    h.dataLength = 0x1234;
    h.dividerA = 7;
    h.dividerB = 6;
    h.greyLevels = 255;
    h.frameCount = 0xABCD;
    h.scan = 1;
    h.speed = 30;
    h.pixelLength = 0x0102;
    h.format = 9;
    h.sdCardSpeed = 3;
    h.sectors = 0x0201;
    h.remainder = 0x01FF;
    const auto b = h.bytes();
    const std::array<uint8_t, 20> expected = {0x34, 0x12, 1, 0, 7, 6, 0, 255, 0xCD, 0xAB,
                                              1, 30, 0x02, 0x01, 9, 3, 0x01, 0x02, 0xFF, 0x01};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(b[i], expected[i]) << "byte " << i;
    for (size_t i = 20; i < b.size(); ++i)
        ASSERT_EQ(b[i], 0) << "byte " << i;
    EXPECT_EQ(b.size(), 512u);
}

} // namespace

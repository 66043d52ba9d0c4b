#include "links/serial/transfer_packets.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace SerialPacket;

namespace {

std::vector<uint8_t> ramp(size_t n, uint8_t from = 0)
{
    std::vector<uint8_t> v(n);
    std::iota(v.begin(), v.end(), from);
    return v;
}

uint16_t trailingChecksum(const std::vector<uint8_t> &p)
{
    return uint16_t(p[p.size() - 2] | (p[p.size() - 1] << 8));
}

} // namespace

TEST(SerialChecksum, KeepsTheLow16BitsOfTheSum)
{
    const std::vector<uint8_t> bytes(300, 0xFF); // 76,500 = 0x12AD4
    EXPECT_EQ(checksum(bytes), 0x2AD4);
    EXPECT_EQ(checksum({}), 0);
}

TEST(SerialHeader, FrameSendFieldsAreLittleEndian)
{
    // B = 126 bytes in N = 2 packets: bytes 9-10 hold B + N - 1 = 127.
    const Header h = frameSendHeader(2, 3, 0x1234, 126);
    const Header expected = {0x50, 0x50, 0x0B, 0xA1, 0x02, 0x00, 0x03, 0x34, 0x12, 0x7F, 0x00, 0, 0};
    EXPECT_TRUE(std::equal(h.begin(), h.begin() + 11, expected.begin()));
}

TEST(SerialHeader, ChecksumCoversBytes2To10Only)
{
    const Header h = frameSendHeader(2, 3, 0x1234, 126);
    const unsigned sum = 0x0B + 0xA1 + 0x02 + 0x00 + 0x03 + 0x34 + 0x12 + 0x7F + 0x00;
    EXPECT_EQ(h[11], sum & 0xFF);
    EXPECT_EQ(h[12], sum >> 8);
    // The two 'P' would add 0xA0.
    EXPECT_NE(h[11] | (h[12] << 8), sum + 0xA0);
}

TEST(SerialHeader, KeepsOnlyTheLowBitsOfWideFields)
{
    // Tube model index 0x105 -> 0x05, tube count 70,000 -> 0x1170,
    // B + N - 1 = 31,689 + 502 = 32,191 = 0x7DBF.
    const Header h = frameSendHeader(503, 0x105, 70000, 31689);
    EXPECT_EQ(h[4] | (h[5] << 8), 503);
    EXPECT_EQ(h[6], 0x05);
    EXPECT_EQ(h[7] | (h[8] << 8), 70000 & 0xFFFF);
    EXPECT_EQ(h[9] | (h[10] << 8), 0x7DBF);
}

TEST(SerialHeader, ProgramUpdateHeaderIsFixed)
{
    const Header expected = {0x50, 0x50, 0x0B, 0xA1, 0x40, 0x00, 0x0A, 0x08, 0x00, 0x00, 0x10, 0x0E, 0x01};
    EXPECT_EQ(programUpdateHeader(), expected);
}

TEST(SerialDataPacket, FullPacketIs72BytesWithLengthCodeF)
{
    std::vector<uint8_t> payload = ramp(63, 1);
    payload.push_back(0); // the frame send's pad byte
    const std::vector<uint8_t> p = dataPacket(1, payload);
    ASSERT_EQ(p.size(), 72u);
    EXPECT_EQ(p[0], 'P');
    EXPECT_EQ(p[1], 'P');
    EXPECT_EQ(p[2], 0x46);
    EXPECT_EQ(p[3], 0xA6);
    EXPECT_EQ(p[4], 1);
    EXPECT_EQ(p[5], 0);
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), p.begin() + 6));
    EXPECT_EQ(p[69], 0);
    EXPECT_EQ(trailingChecksum(p), checksum(std::span<const uint8_t>(p).subspan(2, 68)));
}

TEST(SerialDataPacket, LastPacketCarriesLPlus8Bytes)
{
    struct Case
    {
        int length;
        size_t size;
        uint8_t code;
    };
    for (const Case c : {Case{63, 71, 0x45}, Case{3, 11, 9}, Case{1, 9, 7}}) {
        const std::vector<uint8_t> p = dataPacket(300, ramp(size_t(c.length), 0xF0));
        SCOPED_TRACE(c.length);
        ASSERT_EQ(p.size(), c.size);
        EXPECT_EQ(p[2], c.code);
        EXPECT_EQ(p[4] | (p[5] << 8), 300);
        // Over bytes 2 to L + 5: no pad byte, no checksum bytes.
        EXPECT_EQ(trailingChecksum(p), checksum(std::span<const uint8_t>(p).subspan(2, size_t(c.length) + 4)));
    }
}

TEST(SerialPacketCount, CutsThePayloadInto63ByteParts)
{
    struct Case
    {
        int64_t bytes;
        int64_t packets;
        int last;
    };
    for (const Case c : {Case{63, 1, 63}, Case{126, 2, 63}, Case{66, 2, 3}, Case{72, 2, 9}, Case{1, 1, 1},
                         Case{62, 1, 62}}) {
        SCOPED_TRACE(c.bytes);
        const PacketCount n = countFramePackets(c.bytes);
        EXPECT_EQ(n.packets, c.packets);
        EXPECT_EQ(n.lastLength, c.last);
        EXPECT_TRUE(n.fits());
    }
}

TEST(SerialPacketCount, AllowsAtMost503Packets)
{
    EXPECT_TRUE(countFramePackets(503 * 63).fits());
    EXPECT_EQ(countFramePackets(503 * 63 + 1).packets, 504);
    EXPECT_FALSE(countFramePackets(503 * 63 + 1).fits());
    EXPECT_FALSE(countFramePackets(0).fits());
}

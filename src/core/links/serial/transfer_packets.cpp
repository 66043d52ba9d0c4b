#include "links/serial/transfer_packets.h"

namespace SerialPacket {
namespace {

void put16(uint8_t *at, uint32_t value)
{
    at[0] = uint8_t(value & 0xFF);
    at[1] = uint8_t((value >> 8) & 0xFF);
}

Header header(uint32_t packets, uint8_t tubeModel, uint32_t tubeCount, uint32_t size)
{
    Header h{};
    h[0] = kMark;
    h[1] = kMark;
    h[2] = 0x0B;
    h[3] = kHeaderKind;
    put16(&h[4], packets);
    h[6] = tubeModel;
    put16(&h[7], tubeCount);
    put16(&h[9], size);
    // The two 'P' are not summed.
    put16(&h[11], checksum(std::span<const uint8_t>(h).subspan(2, 9)));
    return h;
}

} // namespace

uint16_t checksum(std::span<const uint8_t> bytes)
{
    uint32_t sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    return uint16_t(sum & 0xFFFF);
}

Header frameSendHeader(int packets, int tubeModel, int tubeCount, int64_t payloadBytes)
{
    return header(uint32_t(packets), uint8_t(tubeModel & 0xFF), uint32_t(tubeCount),
                  uint32_t(uint64_t(payloadBytes + packets - 1)));
}

Header programUpdateHeader()
{
    return header(kProgramPackets, 0x0A, 8, kProgramBytes);
}

std::vector<uint8_t> dataPacket(int sequence, std::span<const uint8_t> payload)
{
    std::vector<uint8_t> p(payload.size() + 8);
    p[0] = kMark;
    p[1] = kMark;
    p[2] = uint8_t(payload.size() + 6);
    p[3] = kDataKind;
    put16(&p[4], uint32_t(sequence));
    std::copy(payload.begin(), payload.end(), p.begin() + 6);
    const size_t summed = p.size() - 4; // bytes 2 .. L + 5
    put16(&p[p.size() - 2], checksum(std::span<const uint8_t>(p).subspan(2, summed)));
    return p;
}

PacketCount countFramePackets(int64_t payloadBytes)
{
    PacketCount c;
    if (payloadBytes <= 0)
        return c;
    c.packets = payloadBytes / kFramePayloadPerPacket;
    c.lastLength = int(payloadBytes % kFramePayloadPerPacket);
    if (c.lastLength == 0)
        c.lastLength = kFramePayloadPerPacket;
    else
        ++c.packets;
    return c;
}

} // namespace SerialPacket

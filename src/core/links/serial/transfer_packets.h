#pragma once
// The controller's serial packets. A transfer opens with a 13-byte header
// and carries its payload in numbered data packets; the controller answers
// every packet with one byte. All numbers are little-endian, and a checksum
// is the sum of the listed bytes kept to 16 bits.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace SerialPacket {

constexpr uint8_t kAccept = 0x55; // 'U': the packet was taken
constexpr uint8_t kAgain = 0xFE;  // irregular layout: send that data packet again
constexpr uint8_t kMark = 0x50;   // 'P', the first two bytes of every packet
constexpr uint8_t kHeaderKind = 0xA1;
constexpr uint8_t kDataKind = 0xA6;

constexpr int kHeaderSize = 13;
constexpr int kPacketPayload = 64;                    // payload room of a full data packet
constexpr int kFullPacketSize = kPacketPayload + 8;   // 72
constexpr int kFramePayloadPerPacket = 63;            // 21 grid points, then a 0x00 pad byte
constexpr int kMaxFramePackets = 503;

// The program update sends the first 4,096 bytes of the program file.
constexpr int kProgramBytes = 4096;
constexpr int kProgramPackets = kProgramBytes / kPacketPayload; // 64

using Header = std::array<uint8_t, kHeaderSize>;

uint16_t checksum(std::span<const uint8_t> bytes);

// Header of a frame data send: N packets, the tube model index (low byte),
// the tube count (low 16 bits) and payload bytes + N - 1 (low 16 bits).
Header frameSendHeader(int packets, int tubeModel, int tubeCount, int64_t payloadBytes);
// Header of a program update: 64 packets, 0x0A, 8, 4096. Its checksum is
// 0x010E.
Header programUpdateHeader();

// 'P', 'P', payload length + 6, 0xA6, the sequence number (1-based), the
// payload and the checksum of everything after the two 'P'. A full packet
// has 64 payload bytes (length code 0x46); the last packet of a frame send
// has 1..63.
std::vector<uint8_t> dataPacket(int sequence, std::span<const uint8_t> payload);

// How a payload of B bytes is cut into frame-send packets of 63 bytes: N
// packets, the last of which carries `lastLength` bytes (63 when B is a
// multiple of 63). More than 503 packets cannot be sent.
struct PacketCount
{
    int64_t packets = 0;
    int lastLength = 0;
    bool fits() const { return packets >= 1 && packets <= kMaxFramePackets; }
};
PacketCount countFramePackets(int64_t payloadBytes);

} // namespace SerialPacket

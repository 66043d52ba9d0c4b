#pragma once
// The messages of the USB controllers. Every transfer opens with a 3-byte
// size message announcing how many bytes follow; then either one raw block
// (a parameter block or a command) or a payload cut into data chunks. The
// controller acknowledges each block and each chunk with one byte, 0xFF
// when it took it. Numbers are little-endian.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace UsbMessage {

constexpr uint8_t kSizeKind = 0x01;
constexpr uint8_t kParameterKind = 0x02;
constexpr uint8_t kChunkKind = 0x03;
constexpr uint8_t kCommandKind = 0x04;
constexpr uint8_t kAccepted = 0xFF;

constexpr int kSizeMessageLength = 3;
constexpr int kChunkHeader = 4;
constexpr int kChunkPayload = 504;                       // payload room of one chunk
constexpr int kMaxBlock = kChunkHeader + kChunkPayload;   // 508: longest raw block or chunk
constexpr int kMaxWrite = 4096;                           // longest single write to the controller
constexpr int kAcknowledgeTimeoutMs = 2000;
constexpr int64_t kMaxAnnounced = 0xFFFF;                 // the size message has 16 bits

// 0x01 and the announced size (low 16 bits).
std::array<uint8_t, kSizeMessageLength> sizeMessage(int64_t announced);

// How many chunks a payload of `payloadBytes` needs: ceil(D / 504).
int64_t chunkCount(int64_t payloadBytes);
// What the size message of a payload transfer announces: D + 4 per chunk.
int64_t announcedPayloadSize(int64_t payloadBytes);

// Chunk `index` (from 0) of the payload: 0x03, 1 on the last chunk else 0,
// the length of its part (up to 504) and that part.
std::vector<uint8_t> dataChunk(std::span<const uint8_t> payload, int64_t index);

} // namespace UsbMessage

// The play and stop commands of synchronous output.
enum class ControllerCommandCode : uint8_t { Play = 145, Stop = 146 };
// 0x04, 0, 0, 0, 0x03, 0, 0x01, code.
std::array<uint8_t, 8> controllerCommand(ControllerCommandCode code);

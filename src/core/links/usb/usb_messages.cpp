#include "links/usb/usb_messages.h"

#include <algorithm>

namespace UsbMessage {

std::array<uint8_t, kSizeMessageLength> sizeMessage(int64_t announced)
{
    return {kSizeKind, uint8_t(announced & 0xFF), uint8_t((announced >> 8) & 0xFF)};
}

int64_t chunkCount(int64_t payloadBytes)
{
    return payloadBytes <= 0 ? 0 : (payloadBytes + kChunkPayload - 1) / kChunkPayload;
}

int64_t announcedPayloadSize(int64_t payloadBytes)
{
    return std::max<int64_t>(payloadBytes, 0) + kChunkHeader * chunkCount(payloadBytes);
}

std::vector<uint8_t> dataChunk(std::span<const uint8_t> payload, int64_t index)
{
    const int64_t total = int64_t(payload.size());
    const int64_t start = index * kChunkPayload;
    const int64_t length = std::clamp<int64_t>(total - start, 0, kChunkPayload);
    const bool last = start + length >= total;
    std::vector<uint8_t> chunk;
    chunk.reserve(size_t(kChunkHeader + length));
    chunk.push_back(kChunkKind);
    chunk.push_back(last ? 1 : 0);
    chunk.push_back(uint8_t(length & 0xFF));
    chunk.push_back(uint8_t(length >> 8));
    if (length > 0)
        chunk.insert(chunk.end(), payload.begin() + start, payload.begin() + start + length);
    return chunk;
}

} // namespace UsbMessage

std::array<uint8_t, 8> controllerCommand(ControllerCommandCode code)
{
    return {UsbMessage::kCommandKind, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, uint8_t(code)};
}

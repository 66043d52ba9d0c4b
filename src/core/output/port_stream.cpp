#include "output/port_stream.h"

#include "settings/color_value.h"

PortFileHeader makePortFileHeader(const PortHeaderValues &values, const FrameBlockEncoder &encoder,
                                  int framesWritten)
{
    PortFileHeader h;
    h.dataLength = encoder.headerDataLength();
    h.dividerA = uint8_t(values.dividerA - 1);
    h.dividerB = uint8_t(values.dividerB - 1);
    h.greyLevels = uint8_t(values.greyLevels - 1);
    h.frameCount = uint16_t(values.frameCount);
    h.scan = uint8_t(values.scan);
    h.speed = uint8_t(values.speed);
    h.pixelLength = encoder.headerPixelLength();
    // The controllers read "TLS3001" data as format 9.
    h.format = uint8_t(values.format == 12 ? 9 : values.format);
    h.sdCardSpeed = uint8_t(values.sdCardSpeed);
    if (framesWritten > 0) {
        // Sector count and remainder of the last frame block; every block of
        // a port has the same length.
        h.sectors = uint16_t(encoder.blockLength() / 512);
        h.remainder = uint16_t(encoder.blockLength() % 512);
    }
    return h;
}

namespace {
constexpr int kPrefetchFrames = 2;
}

bool writePortStream(QIODevice &out, const PortTaps &port, const FrameBlockEncoder &encoder,
                     bool singleColour, const PortHeaderValues &header, const FrameSequence &frames,
                     int first, int last, PortBuffers &buffers,
                     const std::function<void(int done)> &frameDone)
{
    const int frameTotal = last >= first ? last - first + 1 : 0;
    const PortFileHeader h = makePortFileHeader(header, encoder, frameTotal);
    const auto headerBytes = h.bytes();
    if (out.write(reinterpret_cast<const char *>(headerBytes.data()), qint64(headerBytes.size()))
        != qint64(headerBytes.size()))
        return false;

    // Cleared once per port: pixel numbers no record fills stay 0 in every
    // frame.
    buffers.pixels.assign(encoder.pixelBufferSize(), 0);
    buffers.block.assign(size_t(encoder.workLength()), 0);
    uint8_t *s = buffers.pixels.data();
    uint8_t *block = buffers.block.data();
    const qint64 padded = qint64(encoder.paddedLength());
    const PortTap *taps = port.taps.data();
    const size_t tapCount = port.taps.size();

    for (int f = first; f <= last; ++f) {
        const Frame &frame = frames.at(f);
        const ColorValue *colours = frame.data();
        const size_t points = frame.size();
        if (f + kPrefetchFrames <= last) {
            // Each frame is a buffer of its own, so the hardware sees a new
            // stream per frame; asking for a later frame's cells now hides
            // most of the wait for memory.
            const Frame &ahead = frames.at(f + kPrefetchFrames);
            for (size_t t = 0; t < tapCount; t += 8)
                if (taps[t].cell < ahead.size())
                    __builtin_prefetch(ahead.data() + taps[t].cell);
        }
        if (singleColour) {
            for (size_t t = 0; t < tapCount; ++t)
                if (taps[t].cell < points)
                    s[taps[t].pixel] = uint8_t(redOf(colours[taps[t].cell]));
        } else {
            for (size_t t = 0; t < tapCount; ++t) {
                if (taps[t].cell >= points)
                    continue;
                const ColorValue c = colours[taps[t].cell];
                uint8_t *p = s + size_t(taps[t].pixel) * 3;
                p[0] = uint8_t(redOf(c));
                p[1] = uint8_t(greenOf(c));
                p[2] = uint8_t(blueOf(c));
            }
        }
        encoder.encode(s, block);
        if (padded > 0 && out.write(reinterpret_cast<const char *>(block), padded) != padded)
            return false;
        if (frameDone)
            frameDone(f - first + 1);
    }
    return true;
}

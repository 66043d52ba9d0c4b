#include "output/port_stream.h"

#include "settings/color_value.h"

#include <algorithm>

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

PortBlockWriter::PortBlockWriter(const PortTaps &port, const BlockLayout &layout, bool direct)
    : m_port(&port), m_encoder(layout, int(port.pixelCount)), m_single(layout.singleColour())
{
    for (const PortTap &t : port.taps)
        m_cellsNeeded = std::max(m_cellsNeeded, uint64_t(t.cell) + 1);
    const std::vector<uint32_t> targets = direct ? m_encoder.byteTargets() : std::vector<uint32_t>();
    if (targets.empty()) {
        // Cleared once: pixel numbers no record fills stay 0 in every frame.
        m_pixels.assign(m_encoder.pixelBufferSize(), 0);
        m_block.assign(size_t(m_encoder.workLength()), 0);
        return;
    }
    // The block holds the reduced 0 wherever no colour goes (gaps in the
    // pixel numbers, "null" rows, the tail of the last cycle group), zeros
    // in the padding, and one spare byte at the end.
    m_directLayout = true;
    const size_t length = size_t(m_encoder.blockLength());
    const uint32_t spare = uint32_t(m_encoder.workLength());
    m_block.assign(size_t(spare) + 1, 0);
    std::fill_n(m_block.begin(), length, m_encoder.greyReduction()(0));
    m_direct.reserve(port.taps.size());
    for (const PortTap &t : port.taps) {
        DirectTap d{t.cell, {spare, spare, spare}};
        const size_t first = m_single ? size_t(t.pixel) : size_t(t.pixel) * 3;
        for (size_t ch = 0; ch < (m_single ? 1u : 3u); ++ch)
            if (targets[first + ch] != FrameBlockEncoder::kNowhere)
                d.at[ch] = targets[first + ch];
        m_direct.push_back(d);
    }
}

void PortBlockWriter::encodeDirect(const Frame &frame)
{
    const DirectTap *taps = m_direct.data();
    const size_t tapCount = m_direct.size();
    const ColorValue *colours = frame.data();
    const size_t points = frame.size();
    // Every frame of a document has the grid's size, so the test of each
    // cell against the frame is needed only for a frame that is smaller.
    const bool whole = points >= m_cellsNeeded;
    const unsigned shift = unsigned(m_encoder.greyReduction().shift);
    const unsigned top = m_encoder.greyReduction().topBit;
    uint8_t *block = m_block.data();
    if (m_single) {
        for (size_t t = 0; t < tapCount; ++t)
            if (whole || taps[t].cell < points)
                block[taps[t].at[0]] = uint8_t((redOf(colours[taps[t].cell]) >> shift) | top);
        return;
    }
    for (size_t t = 0; t < tapCount; ++t) {
        if (!whole && taps[t].cell >= points)
            continue;
        const ColorValue c = colours[taps[t].cell];
        block[taps[t].at[0]] = uint8_t((redOf(c) >> shift) | top);
        block[taps[t].at[1]] = uint8_t((greenOf(c) >> shift) | top);
        block[taps[t].at[2]] = uint8_t((blueOf(c) >> shift) | top);
    }
}

std::span<const uint8_t> PortBlockWriter::encode(const Frame &frame)
{
    if (m_directLayout) {
        encodeDirect(frame);
        return {m_block.data(), size_t(m_encoder.paddedLength())};
    }
    const PortTap *taps = m_port->taps.data();
    const size_t tapCount = m_port->taps.size();
    const ColorValue *colours = frame.data();
    const size_t points = frame.size();
    uint8_t *s = m_pixels.data();
    const bool whole = points >= m_cellsNeeded;
    if (m_single) {
        for (size_t t = 0; t < tapCount; ++t)
            if (whole || taps[t].cell < points)
                s[taps[t].pixel] = uint8_t(redOf(colours[taps[t].cell]));
    } else {
        for (size_t t = 0; t < tapCount; ++t) {
            if (!whole && taps[t].cell >= points)
                continue;
            const ColorValue c = colours[taps[t].cell];
            uint8_t *p = s + size_t(taps[t].pixel) * 3;
            p[0] = uint8_t(redOf(c));
            p[1] = uint8_t(greenOf(c));
            p[2] = uint8_t(blueOf(c));
        }
    }
    m_encoder.encode(s, m_block.data());
    return {m_block.data(), size_t(m_encoder.paddedLength())};
}

bool writePortStreams(std::span<QIODevice *const> outs, std::span<PortBlockWriter> writers,
                      const PortHeaderValues &header, const FrameSequence &frames, int first, int last,
                      const std::function<void(int done)> &frameDone, size_t *failed)
{
    const int frameTotal = last >= first ? last - first + 1 : 0;
    auto write = [&](size_t i, const uint8_t *data, qint64 n) {
        if (n == 0 || outs[i]->write(reinterpret_cast<const char *>(data), n) == n)
            return true;
        if (failed)
            *failed = i;
        return false;
    };
    for (size_t i = 0; i < writers.size(); ++i) {
        const auto h = makePortFileHeader(header, writers[i].encoder(), frameTotal).bytes();
        if (!write(i, h.data(), qint64(h.size())))
            return false;
    }
    // Each frame for every port in turn, so it is read from memory once.
    for (int f = first; f <= last; ++f) {
        const Frame &frame = frames.at(f);
        for (size_t i = 0; i < writers.size(); ++i) {
            const std::span<const uint8_t> block = writers[i].encode(frame);
            if (!write(i, block.data(), qint64(block.size())))
                return false;
        }
        if (frameDone)
            frameDone(f - first + 1);
    }
    return true;
}

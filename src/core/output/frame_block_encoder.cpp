#include "output/frame_block_encoder.h"

#include "links/parameter_file.h"

#include <algorithm>
#include <cstring>

namespace {

QChar letterOf(const RgbOrderRow &row)
{
    return row.color.isEmpty() ? QChar() : row.color.front();
}

int channelOf(QChar letter)
{
    if (letter == u'r')
        return 0;
    if (letter == u'g')
        return 1;
    if (letter == u'b')
        return 2;
    return -1;
}

} // namespace

FrameBlockEncoder::FrameBlockEncoder(const BlockLayout &layout, int pixelCount)
    : m_family(blockFamily(layout.format)),
      m_single(layout.singleColour()),
      m_pack(layout.packsTwoBytes()),
      m_n(std::max(0, pixelCount)),
      m_cycle(uint64_t(std::max(1, layout.cycle))),
      m_grey(layout.greyLevels, layout.format)
{
    const uint64_t n = uint64_t(m_n);
    const RgbOrderList &list = layout.orderList;
    switch (m_family) {
    case BlockFamily::Plain:
        m_unpackedLength = m_single ? n : 3 * n;
        break;
    case BlockFamily::Reversed:
        m_unpackedLength = 3 * n;
        break;
    case BlockFamily::Groups: {
        m_groups = (n + m_cycle - 1) / m_cycle;
        // A row's pixel number counts from 1 within the group; a number
        // outside 1..Cycle would reach into another group (or before the
        // buffer), so such a row gives 0 like a "null" row.
        auto offsetFor = [&](const RgbOrderRow &row, int channel) -> int64_t {
            const int k = leadingInteger(row.pixel);
            if (k < 1 || uint64_t(k) > m_cycle)
                return -1;
            return m_single ? int64_t(k - 1) : int64_t(k - 1) * 3 + channel;
        };
        if (m_single) {
            // Rows from the top down; "r" is the pixel's byte, "n" a zero.
            for (const RgbOrderRow &row : list.rows()) {
                const QChar c = letterOf(row);
                if (c == u'r')
                    m_groupOffsets.push_back(offsetFor(row, 0));
                else if (c == u'n')
                    m_groupOffsets.push_back(-1);
            }
        } else {
            // Rows in logical order, from the bottom up.
            for (int i = 0; i < list.count(); ++i) {
                const RgbOrderRow &row = list.logical(i);
                const QChar c = letterOf(row);
                const int ch = channelOf(c);
                if (ch >= 0)
                    m_groupOffsets.push_back(offsetFor(row, ch));
                else if (c == u'n')
                    m_groupOffsets.push_back(-1);
            }
        }
        m_groupsHaveZeroRows = std::find(m_groupOffsets.begin(), m_groupOffsets.end(), -1) != m_groupOffsets.end();
        m_unpackedLength = m_groups * m_groupOffsets.size();
        break;
    }
    case BlockFamily::Bits:
        m_unpackedLength = m_single ? (n + 7) / 8 : 0;
        break;
    case BlockFamily::OrderRows:
        for (int i = 0; i < list.count(); ++i) {
            const int ch = channelOf(letterOf(list.logical(i)));
            if (ch >= 0)
                m_channels.push_back(uint8_t(ch));
        }
        m_unpackedLength = n * m_channels.size();
        break;
    case BlockFamily::Empty:
        m_unpackedLength = 0;
        break;
    }
    // Two-byte packing turns each three bytes into two; a last group of one
    // or two bytes is completed with zeros.
    m_blockLength = m_pack ? (m_unpackedLength + 2) / 3 * 2 : m_unpackedLength;
    computeHeaderLengths(layout);
}

uint64_t FrameBlockEncoder::workLength() const
{
    return std::max(m_unpackedLength, paddedLength());
}

void FrameBlockEncoder::computeHeaderLengths(const BlockLayout &layout)
{
    // n is the final pixel count: format 2 rounds it up to whole groups.
    const int64_t n = m_family == BlockFamily::Groups ? int64_t(m_groups * m_cycle) : int64_t(m_n);
    const int64_t c = int64_t(m_cycle);
    const int64_t e = layout.groupExtra;
    int64_t l = 0;
    int64_t pixels = 0;
    if (layout.controllerModel == 1 && layout.format == 4) {
        l = (n / c) * e + 2 * n;
        pixels = l;
    } else if (m_single && layout.format == 2) {
        l = n + (n / c) * e;
        pixels = layout.orderList.count();
    } else if (m_single && layout.format == 3) {
        l = pixels = (n + 7) / 8;
    } else if (m_single && layout.format == 0) {
        l = pixels = n;
    } else {
        l = pixels = 3 * n + (n / c) * e;
    }
    // Stored modulo 65536.
    m_headerL = uint16_t(uint64_t(l) & 0xFFFF);
    m_headerN = uint16_t(uint64_t(pixels) & 0xFFFF);
}

template <class T>
size_t FrameBlockEncoder::encodeUnpacked(const T *s, T *out) const
{
    const size_t n = size_t(m_n);
    switch (m_family) {
    case BlockFamily::Plain: {
        const size_t len = m_single ? n : 3 * n;
        std::memcpy(out, s, len * sizeof(T));
        return len;
    }
    case BlockFamily::Reversed: {
        const size_t len = 3 * n;
        // Last pixel first, and within a pixel blue, green, red.
        std::reverse_copy(s, s + len, out);
        return len;
    }
    case BlockFamily::Groups: {
        // Members in locals: `out` may alias anything as far as the compiler
        // knows, and reloading them per byte halves the speed.
        const size_t rows = m_groupOffsets.size();
        const int64_t *offsets = m_groupOffsets.data();
        const bool zeroRows = m_groupsHaveZeroRows;
        const bool single = m_single;
        const uint64_t groups = m_groups;
        // Pixels past the real count (the rounded-up tail of the last
        // group) read as 0.
        const uint64_t real = single ? n : 3 * n;
        const uint64_t stride = single ? m_cycle : 3 * m_cycle;
        // Whole groups need no test against the real count; with the
        // pixels 0 .. n − 1 that is every group but possibly the last.
        const uint64_t whole = real / stride;
        T *o = out;
        for (uint64_t i = 0; i < groups; ++i) {
            // Colour takes the groups from the last to the first, single
            // colour from the first to the last.
            const uint64_t g = single ? i : groups - 1 - i;
            const uint64_t base = g * stride;
            if (g < whole && !zeroRows) {
                const T *group = s + base;
                if (rows == 3) {
                    o[0] = group[offsets[0]];
                    o[1] = group[offsets[1]];
                    o[2] = group[offsets[2]];
                    o += 3;
                } else {
                    for (size_t r = 0; r < rows; ++r)
                        *o++ = group[offsets[r]];
                }
            } else {
                // "null" rows, rows outside the cycle (offset -1) and the
                // missing pixels of the last group give 0.
                for (size_t r = 0; r < rows; ++r) {
                    const uint64_t at = base + uint64_t(offsets[r]);
                    *o++ = offsets[r] >= 0 && at < real ? s[at] : 0;
                }
            }
        }
        return size_t(o - out);
    }
    case BlockFamily::Bits: {
        if (!m_single)
            return 0;
        if constexpr (sizeof(T) != 1)
            return 0; // not a selection of pixel bytes: no byte map
        else {
        const size_t len = (n + 7) / 8;
        // Eight pixels per byte, the first in the lowest bit.
        for (size_t b = 0; b < len; ++b) {
            const size_t first = b * 8;
            const size_t last = std::min(first + 8, n);
            uint8_t v = 0;
            for (size_t p = first; p < last; ++p)
                v |= uint8_t((s[p] != 0) << (p - first));
            out[b] = v;
        }
        return len;
        }
    }
    case BlockFamily::OrderRows: {
        const size_t rows = m_channels.size();
        const uint8_t *ch = m_channels.data();
        T *o = out;
        if (rows == 3) {
            // The common case, an "r", "g", "b" list in some order.
            const uint8_t c0 = ch[0], c1 = ch[1], c2 = ch[2];
            for (size_t p = 0; p < n; ++p, s += 3, o += 3) {
                o[0] = s[c0];
                o[1] = s[c1];
                o[2] = s[c2];
            }
        } else {
            for (size_t p = 0; p < n; ++p, s += 3)
                for (size_t r = 0; r < rows; ++r)
                    *o++ = s[ch[r]];
        }
        return size_t(o - out);
    }
    case BlockFamily::Empty:
        return 0;
    }
    return 0;
}

void FrameBlockEncoder::encode(const uint8_t *pixels, uint8_t *out) const
{
    size_t len = encodeUnpacked(pixels, out);
    m_grey.apply(out, len);
    if (m_pack) {
        // (x, y, z) → (0x80 | x << 2 | y >> 3), (y << 5 | z): three 5-bit
        // levels in two bytes. Written in place: the write position never
        // passes the read position.
        size_t w = 0;
        for (size_t r = 0; r < len; r += 3) {
            const unsigned x = out[r];
            const unsigned y = r + 1 < len ? out[r + 1] : 0;
            const unsigned z = r + 2 < len ? out[r + 2] : 0;
            out[w++] = uint8_t((0x80u | x << 2 | y >> 3) & 0xFFu);
            out[w++] = uint8_t((y << 5 | z) & 0xFFu);
        }
        len = w;
    }
    const size_t padded = size_t(paddedLength());
    if (padded > len)
        std::memset(out + len, 0, padded - len);
}

std::vector<uint32_t> FrameBlockEncoder::byteTargets() const
{
    // Beyond this a table of positions would cost more memory than the
    // straight encoding costs time.
    constexpr uint64_t kMaxMappedBlock = 16u * 1024u * 1024u;
    if (m_family == BlockFamily::Bits || m_pack || m_unpackedLength > kMaxMappedBlock)
        return {};
    // Encode the pixel byte numbers (from 1; 0 is a constant zero) instead
    // of the bytes: the result says where each pixel byte goes.
    const size_t bytes = pixelBufferSize();
    std::vector<uint32_t> numbers(bytes);
    for (size_t b = 0; b < bytes; ++b)
        numbers[b] = uint32_t(b + 1);
    std::vector<uint32_t> traced(static_cast<size_t>(m_unpackedLength));
    const size_t len = encodeUnpacked<uint32_t>(numbers.data(), traced.data());
    std::vector<uint32_t> targets(bytes, kNowhere);
    for (size_t j = 0; j < len; ++j) {
        if (traced[j] == 0)
            continue;
        uint32_t &t = targets[traced[j] - 1];
        if (t != kNowhere)
            return {}; // a channel taken twice
        t = uint32_t(j);
    }
    return targets;
}

#pragma once
// Turns the pixel bytes of one port and one frame into the frame block of
// the port data file, by the communication format, the grey levels and the
// colour order list. Built once per port; encode() then runs once per frame
// over whole buffers, without allocating.

#include "output/block_layout.h"
#include "output/grey_levels.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class FrameBlockEncoder
{
public:
    // Blocks beyond this size come only from damaged wiring or parameter
    // files (a pixel number or row count in the millions); they are refused
    // before anything is allocated.
    static constexpr uint64_t kMaxBlockBytes = 256u * 1024u * 1024u;

    FrameBlockEncoder(const BlockLayout &layout, int pixelCount);

    // n: pixels on the port (highest pixel number + 1).
    int pixelCount() const { return m_n; }
    // The pixel byte buffer the caller fills: always 3n bytes. In colour it
    // holds red, green, blue per pixel; in single colour the n pixel bytes
    // followed by 2n zeros, which formats 1, 4, 5, 7, 9, 10 and 12 read
    // as a 3n-byte buffer all the same.
    size_t pixelBufferSize() const { return size_t(3) * size_t(m_n); }

    // Encoded bytes of one frame, before the padding to 512-byte sectors.
    uint64_t blockLength() const { return m_blockLength; }
    uint64_t paddedLength() const { return (m_blockLength + 511) / 512 * 512; }
    // The output buffer encode() needs (the block before two-byte packing
    // may be longer than the padded block).
    uint64_t workLength() const;
    bool fits() const { return workLength() <= kMaxBlockBytes; }

    // Encodes `pixels` (pixelBufferSize() bytes) into `out` (workLength()
    // bytes). Afterwards out[blockLength() .. paddedLength()) is zero.
    void encode(const uint8_t *pixels, uint8_t *out) const;

    // Where each byte of the pixel buffer lands in the block: one block
    // position per pixel byte, kNowhere for a byte the block does not use.
    // Only for layouts in which every block byte is one pixel byte or a
    // constant 0 taken by at most one position each (every format but the
    // bit packing, the two-byte packing and order lists that repeat a
    // channel), and blocks of a sensible size; empty otherwise. The writer
    // then puts the colours straight into the block.
    static constexpr uint32_t kNowhere = 0xFFFFFFFFu;
    std::vector<uint32_t> byteTargets() const;
    // The grey-level reduction of every block byte.
    const GreyLevelReduction &greyReduction() const { return m_grey; }

    // Header bytes 0–1 and 12–13 by the header length rule.
    uint16_t headerDataLength() const { return m_headerL; }
    uint16_t headerPixelLength() const { return m_headerN; }

private:
    template <class T>
    size_t encodeUnpacked(const T *s, T *out) const;
    void computeHeaderLengths(const BlockLayout &layout);

    BlockFamily m_family;
    bool m_single;
    bool m_pack;
    int m_n;
    uint64_t m_cycle;
    uint64_t m_groups = 0;        // format 2: pixel groups after rounding n up
    uint64_t m_unpackedLength = 0;
    uint64_t m_blockLength = 0;
    GreyLevelReduction m_grey;
    // Format 2: byte offsets within a group for each order list row taken,
    // -1 for a row that gives 0. Formats 4, 9, 10, 12: colour channel
    // (0 red, 1 green, 2 blue) of each row taken.
    std::vector<int64_t> m_groupOffsets;
    bool m_groupsHaveZeroRows = false;
    std::vector<uint8_t> m_channels;
    uint16_t m_headerL = 0;
    uint16_t m_headerN = 0;
};

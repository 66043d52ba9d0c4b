#pragma once
// FSEQ v2 sequence files, the format that SD-card and network pixel players
// play. Little-endian throughout:
//
//    0  "PSEQ"
//    4  u16  channel data offset (a multiple of 4)
//    6  u8   minor version (0)
//    7  u8   major version (2)
//    8  u16  header length: where the variable headers start,
//            32 + 8 x compression blocks + 6 x sparse ranges
//   10  u32  channels per frame (the stored channels when there are ranges)
//   14  u32  frame count
//   18  u8   step time in milliseconds
//   19  u8   flags (0)
//   20  u8   compression: 0 none, 1 zstd, 2 zlib; some writers keep bits 8..11
//            of the block count in the high nibble
//   21  u8   compression block count
//   22  u8   sparse range count
//   23  u8   reserved (0)
//   24  u64  unique id (we write the creation time in microseconds)
//   32  per block: u32 first frame, u32 compressed length
//       per sparse range: u24 start channel, u24 channel count
//       variable headers: u16 length (with its 4 header bytes), two letters,
//       the data
//       zeros up to the channel data offset
//       the frames: one after the other, or the compressed blocks in order.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

enum class FseqCompression : uint8_t { None = 0, Zstd = 1, Zlib = 2 };

// "none", "zstd", "zlib"; parse takes the same words in any case.
QString fseqCompressionName(FseqCompression c);
std::optional<FseqCompression> parseFseqCompression(const QString &text);

struct FseqBlock
{
    uint32_t firstFrame = 0;
    uint32_t length = 0; // compressed bytes
    bool operator==(const FseqBlock &) const = default;
};

// Channels [start, start + count) of the player's universe; the stored
// channels of a frame are the ranges one after the other.
struct FseqSparseRange
{
    uint32_t start = 0; // 24 bits
    uint32_t count = 0; // 24 bits
    bool operator==(const FseqSparseRange &) const = default;
};

struct FseqVariableHeader
{
    QByteArray code; // two letters: "sp" names the program that wrote the file
    QByteArray data;
};

struct FseqHeader
{
    uint16_t dataOffset = 0;
    uint8_t minorVersion = 0;
    uint8_t majorVersion = 2;
    uint16_t headerLength = 32;
    uint32_t channelsPerFrame = 0;
    uint32_t frameCount = 0;
    uint8_t stepMs = 50;
    uint8_t flags = 0;
    FseqCompression compression = FseqCompression::None;
    uint64_t uniqueId = 0;
    std::vector<FseqBlock> blocks;
    std::vector<FseqSparseRange> sparseRanges;
    std::vector<FseqVariableHeader> variableHeaders;

    uint64_t frameBytes() const { return channelsPerFrame; }
    uint64_t sequenceBytes() const { return uint64_t(channelsPerFrame) * frameCount; }
    // The text of the "sp" variable header without its closing zero, or empty.
    QString creator() const;
};

constexpr int kFseqFixedHeaderSize = 32;
// Players take at most this many blocks in the byte of the header.
constexpr int kFseqMaxBlocks = 255;

// Limits that keep a hostile header from making the reader allocate or
// decompress without end. A frame is decoded into one buffer of this many
// channels at most (three channels for every point of the largest grid);
// the whole sequence may not decompress to more than the bomb bound, which
// is checked before any block is touched.
constexpr uint32_t kFseqMaxChannels = 3u * 16u * 1024u * 1024u;
constexpr uint64_t kFseqMaxSequenceBytes = uint64_t(4) << 30;

// Everything up to the channel data offset: the fixed header, the block
// index, the sparse ranges, the variable headers and the padding. The header
// length and data offset fields are computed here from the lists, whatever
// `header` says.
QByteArray fseqHeaderBytes(const FseqHeader &header);

// A parsed and checked file: the header and where each block's bytes are.
struct FseqLayout
{
    FseqHeader header;
    // For compressed files, the blocks that hold frames with the frame
    // count of each and their place in the file; empty otherwise.
    struct Block
    {
        uint64_t offset = 0;
        uint32_t length = 0;
        uint32_t firstFrame = 0;
        uint32_t frames = 0;
    };
    std::vector<Block> blocks;
};

struct FseqParseResult
{
    std::optional<FseqLayout> layout;
    QString error; // when layout is empty: what is wrong, in the active language
    bool ok() const { return layout.has_value(); }
};

// Checks every field a file can lie about against the `size` bytes at
// `data` before anything is decompressed: the magic and the version, the
// offsets inside the file, the block index (frames rising from 0, lengths
// that add up to the file), the sparse ranges against the channel count,
// the stored frames against the file size, and the bomb bound.
FseqParseResult parseFseq(const uint8_t *data, size_t size);

// Reads every frame in order: `onFrame(index, channels)` gets the stored
// channels of each frame (header.channelsPerFrame bytes), decompressing one
// block at a time into a buffer of one frame. A block that does not inflate
// to exactly its frames stops the walk with an error; frames before it were
// already handed over. `onFrame` may return false to stop early.
std::optional<QString> readFseqFrames(const uint8_t *data, size_t size, const FseqLayout &layout,
                                        const std::function<bool(uint32_t, const uint8_t *)> &onFrame);

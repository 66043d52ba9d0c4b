#pragma once
// Writing FSEQ v2.0 files: the header, then the frames as they are, or in
// compressed blocks. Frames are asked for one at a time and compressed as a
// stream, so memory stays at one frame whatever the sequence's length.

#include "output/fseq/fseq_file.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QIODevice;

struct FseqWriteSpec
{
    uint32_t channelsPerFrame = 0; // the stored channels (the ranges' total when there are ranges)
    uint32_t frameCount = 0;
    uint8_t stepMs = 50;
    FseqCompression compression = FseqCompression::Zstd;
    std::vector<FseqSparseRange> sparseRanges;
    uint64_t uniqueId = 0;  // 0: the current time in microseconds
    QByteArray creator;     // text of the "sp" variable header; empty: none
};

// Frames of a compressed block.
struct FseqBlockPlan
{
    uint32_t firstFrame = 0;
    uint32_t frames = 0;
    bool operator==(const FseqBlockPlan &) const = default;
};

// A player starts playing once it has inflated the first block, so that one
// holds only a few frames.
constexpr uint32_t kFseqFirstBlockFrames = 10;
// The other blocks hold about this many bytes of channels, fewer blocks
// when the 255 of the index would not be enough.
constexpr uint64_t kFseqBlockBytes = 256 * 1024;

// The blocks of a compressed sequence: the first of at most
// kFseqFirstBlockFrames frames, the rest even-sized, at most kFseqMaxBlocks
// in all. No blocks for a sequence without frames.
std::vector<FseqBlockPlan> planFseqBlocks(uint32_t frameCount, uint32_t channelsPerFrame);

// "Brightloom <version>" with its closing zero, as players read the field.
QByteArray fseqCreatorText();

// Gives the stored channels of `frame` (channelsPerFrame bytes at `out`).
using FseqFrameSource = std::function<void(uint32_t frame, uint8_t *out)>;
// Told the number of frames written so far, after every frame.
using FseqWriteProgress = std::function<void(uint32_t framesDone)>;

// Writes the whole file to `out`, which must be open for writing and able to
// seek back to its start (the block index is filled in at the end). False
// with the reason in `error` when a write fails or a block compresses to
// more than the index can hold.
bool writeFseq(QIODevice &out, const FseqWriteSpec &spec, const FseqFrameSource &source,
               const FseqWriteProgress &progress = {}, QString *error = nullptr);

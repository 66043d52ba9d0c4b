// Fuzz target of the FSEQ reader: any bytes are refused with a message or
// read; a file that parses hands out exactly its frames in order, and its
// import through a small grid never reads past the channels it was given.
#include "output/fseq/fseq_sequence.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FseqParseResult parsed = parseFseq(data, size);
    if (!parsed.ok()) {
        if (parsed.error.isEmpty())
            __builtin_trap();
        return 0;
    }
    const FseqHeader &h = parsed.layout->header;
    if (h.dataOffset > size || h.channelsPerFrame > kFseqMaxChannels || h.sequenceBytes() > kFseqMaxSequenceBytes)
        __builtin_trap();

    uint32_t next = 0;
    const std::optional<QString> failed = readFseqFrames(data, size, *parsed.layout, [&](uint32_t f, const uint8_t *c) {
        if (f != next++ || f >= h.frameCount || c == nullptr)
            __builtin_trap();
        volatile uint8_t touch = c[0] ^ c[h.channelsPerFrame - 1];
        (void)touch;
        return true;
    });
    if (!failed && next != h.frameCount)
        __builtin_trap();

    // The whole import only for sequences a small test machine can hold.
    if (h.frameCount <= 100000) {
        const FseqImportResult r = importFseqData(data, size, FseqChannelMap::fromGrid(3, 4, {}), 12);
        if (r.ok() && r.data->frames.size() != h.frameCount)
            __builtin_trap();
    }
    return 0;
}

#include "output/fseq/fseq_file.h"

#include "output/fseq/fseq_texts.h"

#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using FrameSink = std::function<bool(uint32_t, const uint8_t *)>;

// Hands out the frames of one block as the decompressor fills a buffer of
// one frame. Too few or too many bytes both make the block damaged. The
// buffer grows with what the block really holds: a 72-byte file may claim
// frames of 50 M channels, and must not cost 50 MB before its first byte
// of frame data turns out to be missing.
class FrameCollector
{
public:
    FrameCollector(const FseqLayout::Block &block, size_t frameBytes, std::vector<uint8_t> &buffer,
                   const FrameSink &sink)
        : m_block(block), m_frameBytes(frameBytes), m_buffer(buffer), m_sink(sink)
    {
    }

    // Where the next decompressed bytes go; null once every frame is full.
    uint8_t *space()
    {
        if (done())
            return nullptr;
        grow();
        return m_buffer.data() + m_filled;
    }
    size_t spaceLeft()
    {
        if (done())
            return 0;
        grow();
        return std::min(m_buffer.size(), m_frameBytes) - m_filled;
    }
    bool done() const { return m_next >= m_block.frames; }
    uint64_t blockBytes() const { return uint64_t(m_block.frames) * m_frameBytes; }
    bool stopped() const { return m_stopped; }

    // `n` bytes were written at space().
    void filled(size_t n)
    {
        m_filled += n;
        if (m_filled == m_frameBytes) {
            m_filled = 0;
            if (!m_sink(m_block.firstFrame + m_next, m_buffer.data()))
                m_stopped = true;
            ++m_next;
        }
    }

private:
    static constexpr size_t kFirstBufferBytes = 64 * 1024;

    void grow()
    {
        if (m_filled < m_buffer.size() || m_buffer.size() >= m_frameBytes)
            return;
        m_buffer.resize(std::min(m_frameBytes, std::max(kFirstBufferBytes, m_buffer.size() * 2)));
    }

    const FseqLayout::Block &m_block;
    size_t m_frameBytes;
    std::vector<uint8_t> &m_buffer;
    const FrameSink &m_sink;
    size_t m_filled = 0;
    uint32_t m_next = 0;
    bool m_stopped = false;
};

// Window of zstd level 19, the largest of the levels below "ultra".
constexpr int kZstdUsualWindowLog = 23;
// zstd's own default limit for decoders (128 MB), which its "ultra" levels
// keep to.
constexpr int kZstdDefaultLargestWindowLog = 27;

struct ZstdFree
{
    void operator()(ZSTD_DCtx *c) const { ZSTD_freeDCtx(c); }
};

// True when the block held exactly its frames (or the sink stopped).
bool inflateZstd(ZSTD_DCtx *ctx, const uint8_t *src, size_t length, FrameCollector &frames)
{
    ZSTD_DCtx_reset(ctx, ZSTD_reset_session_only);
    // A zstd frame names the window its decoder must keep, up to 2 GB,
    // whatever it really holds: a 400-byte block could make us allocate and
    // fill 128 MB for a few frames. A compressor never needs a window larger
    // than what it compresses, and stream compressors at their usual levels
    // stay within 8 MB: allow that, or the block's own size if larger, but
    // never more than the 128 MB zstd itself allows by default (a header
    // may claim blocks of gigabytes the file does not hold).
    const int largest = std::min(kZstdDefaultLargestWindowLog, ZSTD_dParam_getBounds(ZSTD_d_windowLogMax).upperBound);
    int windowLog = kZstdUsualWindowLog;
    while (windowLog < largest && (uint64_t(1) << windowLog) < frames.blockBytes())
        ++windowLog;
    ZSTD_DCtx_setParameter(ctx, ZSTD_d_windowLogMax, windowLog);
    ZSTD_inBuffer in{src, length, 0};
    size_t last = 1;
    while (!frames.done() && !frames.stopped()) {
        ZSTD_outBuffer out{frames.space(), frames.spaceLeft(), 0};
        const size_t before = in.pos;
        last = ZSTD_decompressStream(ctx, &out, &in);
        if (ZSTD_isError(last))
            return false;
        frames.filled(out.pos);
        if (out.pos == 0 && in.pos == before && in.pos == in.size)
            return false; // the input ran out before the frames did
    }
    if (frames.stopped())
        return true;
    // Every frame is full: the stream must end here, with nothing left over.
    if (last == 0 && in.pos == in.size)
        return true;
    uint8_t extra = 0;
    while (true) {
        ZSTD_outBuffer out{&extra, 1, 0};
        last = ZSTD_decompressStream(ctx, &out, &in);
        if (ZSTD_isError(last) || out.pos != 0)
            return false;
        if (last == 0 && in.pos == in.size)
            return true;
        if (in.pos == in.size)
            return false; // a zstd frame left unfinished
    }
}

bool inflateZlib(const uint8_t *src, size_t length, FrameCollector &frames)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return false;
    struct End
    {
        z_stream &z;
        ~End() { inflateEnd(&z); }
    } end{zs};
    // zlib counts in 32-bit units: a block longer than that is fed in parts.
    size_t fed = 0;
    auto feed = [&] {
        if (zs.avail_in == 0 && fed < length) {
            const size_t part = std::min<size_t>(length - fed, 1u << 30);
            zs.next_in = const_cast<Bytef *>(src + fed);
            zs.avail_in = uInt(part);
            fed += part;
        }
    };
    int status = Z_OK;
    while (!frames.done() && !frames.stopped()) {
        feed();
        const size_t space = std::min<size_t>(frames.spaceLeft(), 1u << 30);
        zs.next_out = frames.space();
        zs.avail_out = uInt(space);
        status = inflate(&zs, Z_NO_FLUSH);
        const size_t produced = space - zs.avail_out;
        frames.filled(produced);
        if (status == Z_STREAM_END)
            break;
        if (status != Z_OK)
            return false;
        if (produced == 0 && zs.avail_in == 0 && fed == length)
            return false;
    }
    if (frames.stopped())
        return true;
    if (!frames.done())
        return false; // the stream ended before the last frame
    if (status != Z_STREAM_END) {
        uint8_t extra = 0;
        feed();
        zs.next_out = &extra;
        zs.avail_out = 1;
        status = inflate(&zs, Z_FINISH);
        if (status != Z_STREAM_END || zs.avail_out != 1)
            return false;
    }
    // Nothing may follow the stream inside the block.
    return zs.avail_in == 0 && fed == length;
}

} // namespace

std::optional<QString> readFseqFrames(const uint8_t *data, size_t size, const FseqLayout &layout,
                                      const FrameSink &onFrame)
{
    const FseqHeader &h = layout.header;
    const size_t frameBytes = h.channelsPerFrame;
    if (h.compression == FseqCompression::None) {
        for (uint32_t f = 0; f < h.frameCount; ++f) {
            const uint64_t at = uint64_t(h.dataOffset) + uint64_t(f) * frameBytes;
            if (at + frameBytes > size)
                return FseqText::incomplete(f, h.frameCount);
            if (!onFrame(f, data + at))
                break;
        }
        return std::nullopt;
    }
    std::vector<uint8_t> buffer;
    std::unique_ptr<ZSTD_DCtx, ZstdFree> zstd;
    if (h.compression == FseqCompression::Zstd)
        zstd.reset(ZSTD_createDCtx());
    for (size_t i = 0; i < layout.blocks.size(); ++i) {
        const FseqLayout::Block &block = layout.blocks[i];
        if (block.offset + block.length > size)
            return FseqText::blockDamaged(int(i) + 1);
        FrameCollector frames(block, frameBytes, buffer, onFrame);
        const uint8_t *src = data + block.offset;
        const bool ok = h.compression == FseqCompression::Zstd ? inflateZstd(zstd.get(), src, block.length, frames)
                                                               : inflateZlib(src, block.length, frames);
        if (!ok)
            return FseqText::blockDamaged(int(i) + 1);
        if (frames.stopped())
            break;
    }
    return std::nullopt;
}

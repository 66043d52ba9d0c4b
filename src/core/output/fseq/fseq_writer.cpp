#include "output/fseq/fseq_writer.h"

#include <QDateTime>
#include <QIODevice>
#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

// Compressed bytes gathered before they go to the device.
constexpr size_t kOutChunk = 128 * 1024;

FseqHeader headerFor(const FseqWriteSpec &spec, uint64_t id, const std::vector<FseqBlock> &blocks)
{
    FseqHeader h;
    h.channelsPerFrame = spec.channelsPerFrame;
    h.frameCount = spec.frameCount;
    h.stepMs = spec.stepMs;
    h.compression = spec.compression;
    h.uniqueId = id;
    h.blocks = blocks;
    h.sparseRanges = spec.sparseRanges;
    if (!spec.creator.isEmpty())
        h.variableHeaders.push_back({QByteArrayLiteral("sp"), spec.creator});
    return h;
}

bool put(QIODevice &out, const void *data, size_t n, QString *error)
{
    const char *p = static_cast<const char *>(data);
    while (n > 0) {
        const qint64 w = out.write(p, qint64(n));
        if (w <= 0) {
            if (error)
                *error = out.errorString();
            return false;
        }
        p += w;
        n -= size_t(w);
    }
    return true;
}

// One compressed block as a stream: frames go in, compressed bytes go out
// to the device, and the block's length is counted.
class BlockCompressor
{
public:
    virtual ~BlockCompressor() = default;
    virtual bool begin(uint64_t blockBytes) = 0;
    virtual bool add(const uint8_t *frame, size_t n) = 0;
    virtual bool finish() = 0;

    uint64_t written = 0;
    QString *error = nullptr;

protected:
    explicit BlockCompressor(QIODevice &out) : m_out(out), m_chunk(kOutChunk) {}
    bool flushChunk(size_t n)
    {
        if (n == 0)
            return true;
        written += n;
        return put(m_out, m_chunk.data(), n, error);
    }

    QIODevice &m_out;
    std::vector<uint8_t> m_chunk;
};

class ZstdCompressor : public BlockCompressor
{
public:
    explicit ZstdCompressor(QIODevice &out) : BlockCompressor(out), m_ctx(ZSTD_createCCtx()) {}
    ~ZstdCompressor() override { ZSTD_freeCCtx(m_ctx); }

    bool begin(uint64_t blockBytes) override
    {
        ZSTD_CCtx_reset(m_ctx, ZSTD_reset_session_only);
        ZSTD_CCtx_setParameter(m_ctx, ZSTD_c_compressionLevel, ZSTD_CLEVEL_DEFAULT);
        // With the size in the frame header a decoder can check the block
        // and size its buffer before inflating.
        ZSTD_CCtx_setPledgedSrcSize(m_ctx, blockBytes);
        return m_ctx != nullptr;
    }
    bool add(const uint8_t *frame, size_t n) override { return run(frame, n, ZSTD_e_continue); }
    bool finish() override { return run(nullptr, 0, ZSTD_e_end); }

private:
    bool run(const uint8_t *src, size_t n, ZSTD_EndDirective mode)
    {
        ZSTD_inBuffer in{src, n, 0};
        while (true) {
            ZSTD_outBuffer o{m_chunk.data(), m_chunk.size(), 0};
            const size_t left = ZSTD_compressStream2(m_ctx, &o, &in, mode);
            if (ZSTD_isError(left)) {
                if (error)
                    *error = QString::fromLatin1(ZSTD_getErrorName(left));
                return false;
            }
            if (!flushChunk(o.pos))
                return false;
            const bool drained = mode == ZSTD_e_end ? left == 0 : in.pos == in.size;
            if (drained)
                return true;
        }
    }

    ZSTD_CCtx *m_ctx;
};

class ZlibCompressor : public BlockCompressor
{
public:
    explicit ZlibCompressor(QIODevice &out) : BlockCompressor(out)
    {
        m_ready = deflateInit(&m_zs, Z_DEFAULT_COMPRESSION) == Z_OK;
    }
    ~ZlibCompressor() override
    {
        if (m_ready)
            deflateEnd(&m_zs);
    }

    bool begin(uint64_t) override { return m_ready && deflateReset(&m_zs) == Z_OK; }
    bool add(const uint8_t *frame, size_t n) override
    {
        // zlib counts in 32-bit units: a larger frame goes in parts.
        while (n > 0) {
            const size_t part = std::min<size_t>(n, 1u << 30);
            if (!run(frame, part, Z_NO_FLUSH))
                return false;
            frame += part;
            n -= part;
        }
        return true;
    }
    bool finish() override { return run(nullptr, 0, Z_FINISH); }

private:
    bool run(const uint8_t *src, size_t n, int flush)
    {
        m_zs.next_in = const_cast<Bytef *>(src);
        m_zs.avail_in = uInt(n);
        while (true) {
            m_zs.next_out = m_chunk.data();
            m_zs.avail_out = uInt(m_chunk.size());
            const int status = deflate(&m_zs, flush);
            if (status == Z_STREAM_ERROR) {
                if (error)
                    *error = QStringLiteral("zlib");
                return false;
            }
            if (!flushChunk(m_chunk.size() - m_zs.avail_out))
                return false;
            if (flush == Z_FINISH ? status == Z_STREAM_END : (m_zs.avail_in == 0 && m_zs.avail_out != 0))
                return true;
        }
    }

    z_stream m_zs{};
    bool m_ready = false;
};

} // namespace

std::vector<FseqBlockPlan> planFseqBlocks(uint32_t frameCount, uint32_t channelsPerFrame)
{
    std::vector<FseqBlockPlan> plan;
    if (frameCount == 0)
        return plan;
    const uint32_t first = std::min(frameCount, kFseqFirstBlockFrames);
    plan.push_back({0, first});
    const uint64_t rest = frameCount - first;
    if (rest == 0)
        return plan;
    const uint64_t bySize = std::max<uint64_t>(1, kFseqBlockBytes / std::max<uint32_t>(1, channelsPerFrame));
    const uint64_t byCount = (rest + (kFseqMaxBlocks - 1) - 1) / (kFseqMaxBlocks - 1);
    const uint64_t perBlock = std::max(bySize, byCount);
    // Even blocks: the rest spread over as few blocks as the size asks for.
    const uint64_t blocks = (rest + perBlock - 1) / perBlock;
    uint64_t start = first;
    for (uint64_t b = 0; b < blocks; ++b) {
        const uint64_t end = first + rest * (b + 1) / blocks;
        plan.push_back({uint32_t(start), uint32_t(end - start)});
        start = end;
    }
    return plan;
}

QByteArray fseqCreatorText()
{
    return QByteArrayLiteral("Brightloom " BRIGHTLOOM_VERSION) + QByteArray(1, '\0');
}

bool writeFseq(QIODevice &out, const FseqWriteSpec &spec, const FseqFrameSource &source,
               const FseqWriteProgress &progress, QString *error)
{
    const size_t frameBytes = spec.channelsPerFrame;
    const uint64_t id = spec.uniqueId ? spec.uniqueId : uint64_t(QDateTime::currentMSecsSinceEpoch()) * 1000u;
    std::vector<uint8_t> frame(std::max<size_t>(frameBytes, 1));

    if (spec.compression == FseqCompression::None) {
        const QByteArray header = fseqHeaderBytes(headerFor(spec, id, {}));
        if (!put(out, header.constData(), size_t(header.size()), error))
            return false;
        for (uint32_t f = 0; f < spec.frameCount; ++f) {
            source(f, frame.data());
            if (!put(out, frame.data(), frameBytes, error))
                return false;
            if (progress)
                progress(f + 1);
        }
        return true;
    }

    const std::vector<FseqBlockPlan> plan = planFseqBlocks(spec.frameCount, spec.channelsPerFrame);
    std::vector<FseqBlock> index;
    for (const FseqBlockPlan &b : plan)
        index.push_back({b.firstFrame, 0});
    // The header's size does not depend on the lengths: it is written now and
    // again with the lengths once the blocks are out.
    const qint64 start = out.pos();
    const QByteArray placeholder = fseqHeaderBytes(headerFor(spec, id, index));
    if (!put(out, placeholder.constData(), size_t(placeholder.size()), error))
        return false;

    std::unique_ptr<BlockCompressor> compressor;
    if (spec.compression == FseqCompression::Zstd)
        compressor = std::make_unique<ZstdCompressor>(out);
    else
        compressor = std::make_unique<ZlibCompressor>(out);
    compressor->error = error;

    for (size_t b = 0; b < plan.size(); ++b) {
        compressor->written = 0;
        if (!compressor->begin(uint64_t(plan[b].frames) * frameBytes))
            return false;
        for (uint32_t f = plan[b].firstFrame; f < plan[b].firstFrame + plan[b].frames; ++f) {
            source(f, frame.data());
            if (!compressor->add(frame.data(), frameBytes))
                return false;
            if (progress)
                progress(f + 1);
        }
        if (!compressor->finish())
            return false;
        if (compressor->written > std::numeric_limits<uint32_t>::max()) {
            if (error)
                *error = QStringLiteral("a compressed block passed 4 GiB");
            return false;
        }
        index[b].length = uint32_t(compressor->written);
    }

    const qint64 end = out.pos();
    const QByteArray header = fseqHeaderBytes(headerFor(spec, id, index));
    if (!out.seek(start) || !put(out, header.constData(), size_t(header.size()), error) || !out.seek(end)) {
        if (error && error->isEmpty())
            *error = out.errorString();
        return false;
    }
    return true;
}

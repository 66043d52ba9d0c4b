#include "output/fseq/fseq_file.h"

#include "document/byte_reader.h"
#include "output/fseq/fseq_texts.h"

#include <algorithm>

namespace {

void put16(QByteArray &b, int at, uint16_t v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void put32(QByteArray &b, int at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void append24(QByteArray &b, uint32_t v)
{
    for (int i = 0; i < 3; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

void append32(QByteArray &b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

uint32_t u24(const uint8_t *p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16; }

FseqParseResult refused(const QString &message)
{
    FseqParseResult r;
    r.error = message;
    return r;
}

} // namespace

QString fseqCompressionName(FseqCompression c)
{
    switch (c) {
    case FseqCompression::None:
        return QStringLiteral("none");
    case FseqCompression::Zstd:
        return QStringLiteral("zstd");
    case FseqCompression::Zlib:
        return QStringLiteral("zlib");
    }
    return QString();
}

std::optional<FseqCompression> parseFseqCompression(const QString &text)
{
    for (FseqCompression c : {FseqCompression::None, FseqCompression::Zstd, FseqCompression::Zlib})
        if (text.compare(fseqCompressionName(c), Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}

QString FseqHeader::creator() const
{
    for (const FseqVariableHeader &v : variableHeaders) {
        if (v.code == "sp") {
            QByteArray text = v.data;
            const qsizetype zero = text.indexOf('\0');
            if (zero >= 0)
                text.truncate(zero);
            return QString::fromUtf8(text);
        }
    }
    return QString();
}

QByteArray fseqHeaderBytes(const FseqHeader &header)
{
    QByteArray out(kFseqFixedHeaderSize, '\0');
    out[0] = 'P';
    out[1] = 'S';
    out[2] = 'E';
    out[3] = 'Q';
    out[6] = char(header.minorVersion);
    out[7] = char(header.majorVersion);
    put32(out, 10, header.channelsPerFrame);
    put32(out, 14, header.frameCount);
    out[18] = char(header.stepMs);
    out[19] = char(header.flags);
    out[20] = char(uint8_t(header.compression));
    out[21] = char(uint8_t(header.blocks.size()));
    out[22] = char(uint8_t(header.sparseRanges.size()));
    for (int i = 0; i < 8; ++i)
        out[24 + i] = char((header.uniqueId >> (8 * i)) & 0xFF);

    for (const FseqBlock &b : header.blocks) {
        append32(out, b.firstFrame);
        append32(out, b.length);
    }
    for (const FseqSparseRange &r : header.sparseRanges) {
        append24(out, r.start);
        append24(out, r.count);
    }
    put16(out, 8, uint16_t(out.size()));
    for (const FseqVariableHeader &v : header.variableHeaders) {
        const QByteArray code = v.code.left(2).leftJustified(2, '\0');
        const int length = int(4 + v.data.size());
        out.append(char(length & 0xFF));
        out.append(char(length >> 8));
        out.append(code);
        out.append(v.data);
    }
    while (out.size() % 4 != 0)
        out.append('\0');
    put16(out, 4, uint16_t(out.size()));
    return out;
}

FseqParseResult parseFseq(const uint8_t *data, size_t size)
{
    ByteReader in(data, size);
    const uint8_t *magic = in.take(4);
    if (!magic || std::string_view(reinterpret_cast<const char *>(magic), 4) != "PSEQ")
        return refused(FseqText::notSequence());
    if (size < size_t(kFseqFixedHeaderSize))
        return refused(FseqText::notSequence());

    FseqLayout layout;
    FseqHeader &h = layout.header;
    h.dataOffset = *in.u16();
    h.minorVersion = *in.u8();
    h.majorVersion = *in.u8();
    if (h.majorVersion != 2)
        return refused(FseqText::unsupportedVersion(h.majorVersion, h.minorVersion));
    h.headerLength = *in.u16();
    h.channelsPerFrame = *in.u32();
    h.frameCount = *in.u32();
    h.stepMs = *in.u8();
    h.flags = *in.u8();
    const uint8_t compressionByte = *in.u8();
    // Writers of sequences with more than 255 blocks keep the block count's
    // bits 8..11 in the compression byte's high nibble.
    const int blockCount = *in.u8() | (compressionByte & 0xF0) << 4;
    const int rangeCount = *in.u8();
    in.skip(1);
    for (int i = 0; i < 8; ++i)
        h.uniqueId |= uint64_t(*in.u8()) << (8 * i);

    const int compressionType = compressionByte & 0x0F;
    if (compressionType > 2)
        return refused(FseqText::unknownCompression(compressionType));
    h.compression = FseqCompression(compressionType);

    // The index and the ranges lie between the fixed header and the
    // variable headers; the variable headers end at the data offset, which
    // lies inside the file.
    const size_t indexEnd = size_t(kFseqFixedHeaderSize) + 8 * size_t(blockCount) + 6 * size_t(rangeCount);
    if (h.headerLength != indexEnd || h.dataOffset < h.headerLength || h.dataOffset > size)
        return refused(FseqText::headerDamaged());

    std::vector<FseqBlock> index(static_cast<size_t>(blockCount));
    for (FseqBlock &b : index) {
        b.firstFrame = *in.u32();
        b.length = *in.u32();
    }
    h.sparseRanges.resize(size_t(rangeCount));
    for (FseqSparseRange &r : h.sparseRanges) {
        const uint8_t *p = in.take(6);
        r.start = u24(p);
        r.count = u24(p + 3);
    }

    // Variable headers: a length below 4 or past the data offset ends them
    // (some writers leave zeros there); they never decide the channel data.
    ByteReader vars(data + h.headerLength, size_t(h.dataOffset - h.headerLength));
    while (vars.remaining() >= 4) {
        const uint16_t length = *vars.u16();
        if (length < 4 || size_t(length - 2) > vars.remaining())
            break;
        const uint8_t *code = vars.take(2);
        const uint8_t *body = vars.take(size_t(length - 4));
        h.variableHeaders.push_back({QByteArray(reinterpret_cast<const char *>(code), 2),
                                     QByteArray(reinterpret_cast<const char *>(body), length - 4)});
    }

    if (!h.sparseRanges.empty()) {
        uint64_t stored = 0;
        for (const FseqSparseRange &r : h.sparseRanges) {
            if (r.count == 0)
                return refused(FseqText::sparseRangesWrong());
            stored += r.count;
        }
        if (stored != h.channelsPerFrame)
            return refused(FseqText::sparseRangesWrong());
    }

    // Frames without channels hold no bytes, so the file would not bound
    // their number; no player has a use for them either.
    if (h.channelsPerFrame == 0 && h.frameCount > 0)
        return refused(FseqText::noChannels());
    if (h.channelsPerFrame > kFseqMaxChannels || h.sequenceBytes() > kFseqMaxSequenceBytes)
        return refused(FseqText::tooLarge(h.frameCount, h.channelsPerFrame));

    const uint64_t available = size - h.dataOffset;
    if (h.compression == FseqCompression::None) {
        // Uncompressed files carry no index; extra bytes after the last
        // frame are left alone.
        if (blockCount != 0)
            return refused(FseqText::blockIndexDamaged(1));
        if (h.channelsPerFrame > 0 && available < h.sequenceBytes())
            return refused(FseqText::incomplete(qint64(available / h.channelsPerFrame), h.frameCount));
        return FseqParseResult{std::move(layout), QString()};
    }

    // Some writers reserve index entries and leave the unused ones at the
    // end as zeros; they hold no frames.
    while (!index.empty() && index.back().length == 0 && index.back().firstFrame == 0)
        index.pop_back();
    if (index.empty() && h.frameCount > 0)
        return refused(FseqText::blockIndexDamaged(1));

    uint64_t offset = h.dataOffset;
    for (size_t i = 0; i < index.size(); ++i) {
        const FseqBlock &b = index[i];
        const uint32_t next = i + 1 < index.size() ? index[i + 1].firstFrame : h.frameCount;
        // Blocks start at frame 0 and each holds at least one frame.
        const bool startsRight = i == 0 ? b.firstFrame == 0 : b.firstFrame > index[i - 1].firstFrame;
        if (!startsRight || next <= b.firstFrame || next > h.frameCount || b.length == 0)
            return refused(FseqText::blockIndexDamaged(int(i) + 1));
        layout.blocks.push_back({offset, b.length, b.firstFrame, next - b.firstFrame});
        offset += b.length;
    }
    if (offset != size)
        return refused(FseqText::blockLengthsWrong());
    h.blocks = std::move(index);
    return FseqParseResult{std::move(layout), QString()};
}

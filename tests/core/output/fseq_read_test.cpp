// FSEQ import: round trips through each compression, sparse ranges, and
// hostile files of every kind refused with their message.
#include "fseq_fixture.h"

#include <zstd.h>

namespace {

using FseqRead = FseqTest;

class FseqRoundTrip : public FseqTest, public ::testing::WithParamInterface<FseqCompression>
{
};

TEST_P(FseqRoundTrip, WiredPointsComeBackAndTheRestIsBlack)
{
    // 30 frames: three blocks when compressed (10 + the rest).
    randomFrames(4, 5, 300);
    Wiring &w = doc->wiring();
    w.setKind(CircuitryKind::Led);
    // Port 1 along row 0 backwards, port 3 on row 2 with a gap; port 2 empty.
    for (int x = 0; x < 5; ++x)
        w.append(wiredAt(4 - x, 0, 0, x));
    w.append(wiredAt(0, 2, 2, 0));
    w.append(wiredAt(3, 2, 2, 4));
    const ChannelOrder order = *ChannelOrder::parse(QStringLiteral("bgr"));
    ASSERT_TRUE(exportDoc(GetParam(), order));

    const auto map = FseqChannelMap::fromWiring(w, 4, 5, order);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->channelCount(), 3u * (5 + 0 + 5));
    const std::vector<Frame> back = importOrFail(fileBytes(), *map, 20);
    ASSERT_EQ(back.size(), 300u);
    for (size_t f = 0; f < back.size(); ++f) {
        const Frame &original = doc->frames().at(int(f));
        for (int cell = 0; cell < 20; ++cell) {
            const int x = cell % 5, y = cell / 5;
            const bool isWired = y == 0 || (y == 2 && (x == 0 || x == 3));
            ASSERT_EQ(back[f][size_t(cell)], isWired ? original[size_t(cell)] : 0u) << "frame " << f << " cell " << cell;
        }
    }
}

TEST_P(FseqRoundTrip, GridWithoutWiringComesBackWhole)
{
    randomFrames(3, 7, 25);
    ASSERT_TRUE(exportDoc(GetParam()));
    const QByteArray file = fileBytes();
    const FseqParseResult parsed = parseBytes(file);
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.layout->header.compression, GetParam());
    EXPECT_EQ(parsed.layout->header.stepMs, 25);
    EXPECT_EQ(parsed.layout->header.creator(), QStringLiteral("Brightloom " BRIGHTLOOM_VERSION));
    if (GetParam() != FseqCompression::None) {
        ASSERT_EQ(parsed.layout->blocks.size(), 2u);
        EXPECT_EQ(parsed.layout->blocks[0].frames, 10u);
    }
    const std::vector<Frame> back = importOrFail(file, FseqChannelMap::fromGrid(3, 7, {}), 21);
    ASSERT_EQ(back.size(), 25u);
    for (int f = 0; f < 25; ++f)
        EXPECT_EQ(back[size_t(f)], doc->frames().at(f)) << "frame " << f;
}

INSTANTIATE_TEST_SUITE_P(Compressions, FseqRoundTrip,
                         ::testing::Values(FseqCompression::None, FseqCompression::Zstd, FseqCompression::Zlib),
                         [](const auto &info) { return fseqCompressionName(info.param).toStdString(); });

TEST_F(FseqRead, SparseRangesPutTheChannelsBackInPlace)
{
    for (FseqCompression c : {FseqCompression::None, FseqCompression::Zlib}) {
        FseqWriteSpec spec;
        spec.compression = c;
        spec.frameCount = 3;
        spec.sparseRanges = {{6, 3}, {12, 6}};
        spec.channelsPerFrame = 9;
        const QByteArray file = sequenceBytes(spec);
        const FseqParseResult parsed = parseBytes(file);
        ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
        EXPECT_EQ(parsed.layout->header.sparseRanges, spec.sparseRanges);

        // A 2 x 3 grid row by row: channels 6..8 are point 2, 12..17 points 4 and 5.
        const FseqImportResult r = importFseqData(reinterpret_cast<const uint8_t *>(file.constData()),
                                                  size_t(file.size()), FseqChannelMap::fromGrid(2, 3, {}), 6);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_EQ(r.data->missingChannels, 9u);
        ASSERT_EQ(r.data->frames.size(), 3u);
        const auto stored = [](uint32_t f, uint32_t c) { return unsigned(uint8_t(f * 7 + c * 3)); };
        for (uint32_t f = 0; f < 3; ++f) {
            const Frame &frame = r.data->frames[f];
            EXPECT_EQ(frame[0], 0u);
            EXPECT_EQ(frame[1], 0u);
            EXPECT_EQ(frame[2], makeColor(stored(f, 0), stored(f, 1), stored(f, 2)));
            EXPECT_EQ(frame[3], 0u);
            EXPECT_EQ(frame[4], makeColor(stored(f, 3), stored(f, 4), stored(f, 5)));
            EXPECT_EQ(frame[5], makeColor(stored(f, 6), stored(f, 7), stored(f, 8)));
        }
    }
}

// A good compressed file of 40 frames x 12 channels, damaged by `damage`.
struct Damage
{
    const char *name;
    FseqCompression compression;
    std::function<void(QByteArray &)> damage;
    QString message;
};

void set32(QByteArray &b, int at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

TEST_F(FseqRead, DamagedFilesAreRefusedWithTheirMessage)
{
    // Zstd and zlib files have two blocks, frames 0..9 and 10..39; the
    // index starts at byte 32.
    const std::vector<Damage> cases = {
        {"wrong magic", FseqCompression::Zstd, [](QByteArray &b) { b[0] = 'X'; },
         QStringLiteral("这不是 FSEQ 序列文件。")},
        {"cut inside the header", FseqCompression::None, [](QByteArray &b) { b.truncate(20); },
         QStringLiteral("这不是 FSEQ 序列文件。")},
        {"version 1", FseqCompression::None, [](QByteArray &b) { b[7] = 1; },
         QStringLiteral("FSEQ 版本 1.0 无法读取：只支持 2.x 版本。")},
        {"header length off", FseqCompression::Zstd, [](QByteArray &b) { b[8] = char(b[8] + 8); },
         QStringLiteral("FSEQ 文件头已损坏：偏移或长度与文件不符。")},
        {"data offset past the end", FseqCompression::None, [](QByteArray &b) { b.truncate(40); },
         QStringLiteral("FSEQ 文件头已损坏：偏移或长度与文件不符。")},
        {"compression 3", FseqCompression::None, [](QByteArray &b) { b[20] = 3; },
         QStringLiteral("未知的 FSEQ 压缩方式 3。")},
        {"first block not at frame 0", FseqCompression::Zlib, [](QByteArray &b) { set32(b, 32, 1); },
         QStringLiteral("FSEQ 压缩块索引已损坏（第 1 块）。")},
        {"blocks not rising", FseqCompression::Zstd, [](QByteArray &b) { set32(b, 40, 0); },
         QStringLiteral("FSEQ 压缩块索引已损坏（第 1 块）。")}, // block 1 would hold no frame
        {"block past the frame count", FseqCompression::Zstd, [](QByteArray &b) { set32(b, 40, 40); },
         QStringLiteral("FSEQ 压缩块索引已损坏（第 2 块）。")},
        {"lengths longer than the file", FseqCompression::Zstd, [](QByteArray &b) { b.chop(1); },
         QStringLiteral("FSEQ 压缩块的长度合计与文件大小不符。")},
        {"bytes after the last block", FseqCompression::Zlib, [](QByteArray &b) { b.append('\0'); },
         QStringLiteral("FSEQ 压缩块的长度合计与文件大小不符。")},
        {"frames missing", FseqCompression::None, [](QByteArray &b) { b.chop(13); },
         QStringLiteral("FSEQ 文件不完整：只有 38 帧（共 40 帧）。")},
        {"channels not matching the ranges", FseqCompression::None,
         [](QByteArray &b) {
             // One range of 11 channels where each frame stores 12.
             QByteArray range = QByteArray::fromHex("00000000" "0b0000");
             range.truncate(6);
             b.insert(32, range);
             b[22] = 1;
             b[8] = char(32 + 6);
             const unsigned offset = unsigned(uint8_t(b[4]) | uint8_t(b[5]) << 8) + 6;
             b[4] = char(offset & 0xFF);
             b[5] = char(offset >> 8);
         },
         QStringLiteral("FSEQ 稀疏通道范围与每帧通道数不符。")},
        {"a decompression bomb", FseqCompression::Zstd, [](QByteArray &b) { set32(b, 14, 0x10000000); set32(b, 10, 12000); },
         QStringLiteral("FSEQ 序列过大：268435456 帧 × 12000 通道超出了读取上限。")},
        {"a block that inflates short", FseqCompression::Zstd, [](QByteArray &b) { set32(b, 40, 9); },
         QStringLiteral("FSEQ 第 1 个压缩块已损坏：无法解压或大小不符。")},
        {"zlib block with flipped bytes", FseqCompression::Zlib,
         [](QByteArray &b) {
             const int second = int(unsigned(uint8_t(b[4]) | uint8_t(b[5]) << 8)) + 20;
             for (int i = 0; i < 4; ++i)
                 b[second + i] = char(~b[second + i]);
         },
         QStringLiteral("FSEQ 第 1 个压缩块已损坏：无法解压或大小不符。")},
        {"frames without channels", FseqCompression::None, [](QByteArray &b) { set32(b, 10, 0); },
         QStringLiteral("FSEQ 文件的帧没有通道。")},
        {"more channels than a frame can hold", FseqCompression::None,
         [](QByteArray &b) { set32(b, 10, kFseqMaxChannels + 1); set32(b, 14, 1); },
         QStringLiteral("FSEQ 序列过大：1 帧 × 50331649 通道超出了读取上限。")},
    };
    for (const Damage &d : cases) {
        FseqWriteSpec spec;
        spec.compression = d.compression;
        spec.frameCount = 40;
        spec.channelsPerFrame = 12;
        spec.creator = fseqCreatorText();
        QByteArray file = sequenceBytes(spec);
        ASSERT_TRUE(parseBytes(file).ok()) << d.name;
        d.damage(file);
        const FseqImportResult r = importFseqData(reinterpret_cast<const uint8_t *>(file.constData()),
                                                  size_t(file.size()), FseqChannelMap::fromGrid(2, 2, {}), 4);
        EXPECT_FALSE(r.ok()) << d.name;
        EXPECT_EQ(r.error.toStdString(), d.message.toStdString()) << d.name;
    }
}

TEST_F(FseqRead, ImportRefusesMoreFramesThanMemoryAllows)
{
    // 300,000 frames of a 4,000-point grid would need 4.8 GB of frames, though
    // the sequence itself has only 6 channels.
    FseqWriteSpec spec;
    spec.compression = FseqCompression::None;
    spec.channelsPerFrame = 6;
    spec.frameCount = 300000;
    const QByteArray file = sequenceBytes(spec);
    const FseqImportResult r = importFseqData(reinterpret_cast<const uint8_t *>(file.constData()), size_t(file.size()),
                                              FseqChannelMap::fromGrid(40, 100, {}), 4000);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, QStringLiteral("FSEQ 序列过大：300000 帧 × 6 通道超出了读取上限。"));
}

TEST_F(FseqRead, MissingFileNamesTheFile)
{
    const FseqImportResult r = importFseqFile(path("none.fseq"), FseqChannelMap::fromGrid(1, 1, {}), 1);
    EXPECT_EQ(r.error, QStringLiteral("无法打开文件 %1：No such file or directory").arg(path("none.fseq")));
}

// A zstd stream of unknown length names the window its reader must keep:
// block 1 of a good file compressed again that way reads with an 8 MB
// window, and is refused with a 64 MB one that 120 bytes never need.
TEST_F(FseqRead, ZstdBlockNamingAWindowFarBeyondItsSizeIsRefused)
{
    FseqWriteSpec spec;
    spec.compression = FseqCompression::Zstd;
    spec.frameCount = 40;
    spec.channelsPerFrame = 12;
    spec.creator = fseqCreatorText();
    const QByteArray good = sequenceBytes(spec);
    const int dataOffset = int(unsigned(uint8_t(good[4]) | uint8_t(good[5]) << 8));
    auto get32 = [&](int at) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t(uint8_t(good[at + i])) << (8 * i);
        return v;
    };
    const uint32_t firstLength = get32(36);
    std::vector<char> raw(10 * 12);
    ASSERT_EQ(ZSTD_decompress(raw.data(), raw.size(), good.constData() + dataOffset, firstLength), raw.size());

    auto withWindow = [&](int windowLog) {
        ZSTD_CCtx *c = ZSTD_createCCtx();
        ZSTD_CCtx_setParameter(c, ZSTD_c_windowLog, windowLog);
        std::vector<char> out(ZSTD_compressBound(raw.size()) + 64);
        ZSTD_outBuffer o{out.data(), out.size(), 0};
        ZSTD_inBuffer in{raw.data(), raw.size(), 0};
        ZSTD_compressStream2(c, &o, &in, ZSTD_e_flush); // the length stays unknown
        ZSTD_inBuffer none{nullptr, 0, 0};
        EXPECT_EQ(ZSTD_compressStream2(c, &o, &none, ZSTD_e_end), 0u);
        ZSTD_freeCCtx(c);
        QByteArray file = good;
        file.replace(dataOffset, int(firstLength), out.data(), int(o.pos));
        set32(file, 36, uint32_t(o.pos));
        return importFseqData(reinterpret_cast<const uint8_t *>(file.constData()), size_t(file.size()),
                              FseqChannelMap::fromGrid(2, 2, {}), 4);
    };
    EXPECT_TRUE(withWindow(23).ok());
    const FseqImportResult refused = withWindow(26);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error, QStringLiteral("FSEQ 第 1 个压缩块已损坏：无法解压或大小不符。"));
}

} // namespace

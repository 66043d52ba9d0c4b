// FSEQ export: the header bytes, the channel map, block planning and the
// messages of the export.
#include "fseq_fixture.h"

#include "links/rgb_order_list.h"

#include <QDateTime>

namespace {

using FseqExport = FseqTest;

uint32_t le32(const QByteArray &b, int at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16
        | uint32_t(uint8_t(b[at + 3])) << 24;
}
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

unsigned le16(const QByteArray &b, int at) { return unsigned(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

// Grid 2 x 3. Port 1 (internal 0) has pixels 0 and 1 on (0,0) and (1,0);
// port 2 has pixels 0 and 2 on (2,1) and (0,1), so its pixel 1 is a gap;
// (2,0) and (1,1) are not wired.
void wireTwoPorts(Document &d)
{
    d.wiring().setKind(CircuitryKind::Led);
    d.wiring().append(wiredAt(0, 0, 0, 0));
    d.wiring().append(wiredAt(1, 0, 0, 1));
    d.wiring().append(wiredAt(2, 1, 1, 0));
    d.wiring().append(wiredAt(0, 1, 1, 2));
}

TEST_F(FseqExport, HeaderAndChannelsOfATwoPortWiring)
{
    makeDocument(3, 2, 3, 2); // point i of frame f: (i + 1 + 16f, i + 2 + 16f, i + 3 + 16f)
    wireTwoPorts(*doc);
    const uint64_t before = uint64_t(QDateTime::currentMSecsSinceEpoch()) * 1000u;
    ASSERT_TRUE(exportDoc(FseqCompression::None));
    const uint64_t after = uint64_t(QDateTime::currentMSecsSinceEpoch()) * 1000u;
    const QByteArray f = fileBytes();

    // Port 1: 2 pixels = 6 channels; port 2: 3 pixels = 9 channels.
    const QByteArray creator = QByteArrayLiteral("Brightloom " BRIGHTLOOM_VERSION);
    const int varLength = 4 + int(creator.size()) + 1;
    const int dataOffset = (32 + varLength + 3) / 4 * 4;
    ASSERT_EQ(f.size(), dataOffset + 2 * 15);
    EXPECT_EQ(f.left(4), QByteArrayLiteral("PSEQ"));
    EXPECT_EQ(le16(f, 4), unsigned(dataOffset));
    EXPECT_EQ(f[6], 0);       // minor
    EXPECT_EQ(f[7], 2);       // major
    EXPECT_EQ(le16(f, 8), 32u); // no blocks, no ranges
    EXPECT_EQ(le32(f, 10), 15u);
    EXPECT_EQ(le32(f, 14), 2u);
    EXPECT_EQ(f[18], 25);
    EXPECT_EQ(f[19], 0);
    EXPECT_EQ(f[20], 0);
    EXPECT_EQ(f[21], 0);
    EXPECT_EQ(f[22], 0);
    EXPECT_EQ(f[23], 0);
    const uint64_t id = uint64_t(le32(f, 24)) | uint64_t(le32(f, 28)) << 32;
    EXPECT_GE(id, before);
    EXPECT_LE(id, after);
    EXPECT_EQ(le16(f, 32), unsigned(varLength));
    EXPECT_EQ(f.mid(34, 2), QByteArrayLiteral("sp"));
    EXPECT_EQ(f.mid(36, varLength - 4), creator + QByteArray(1, '\0'));
    EXPECT_EQ(f.mid(32 + varLength, dataOffset - 32 - varLength), QByteArray(dataOffset - 32 - varLength, '\0'));

    // Frame 2 (f = 1): points are numbered y * 3 + x.
    const QByteArray frame = f.mid(dataOffset + 15, 15);
    const auto rgb = [](int point) {
        return bytes({point + 1 + 16, point + 2 + 16, point + 3 + 16});
    };
    EXPECT_EQ(frame.mid(0, 3), rgb(0));            // port 1 pixel 0: (0,0)
    EXPECT_EQ(frame.mid(3, 3), rgb(1));            // port 1 pixel 1: (1,0)
    EXPECT_EQ(frame.mid(6, 3), rgb(5));            // port 2 pixel 0: (2,1)
    EXPECT_EQ(frame.mid(9, 3), QByteArray(3, 0));  // port 2 pixel 1: nobody
    EXPECT_EQ(frame.mid(12, 3), rgb(3));           // port 2 pixel 2: (0,1)

    EXPECT_EQ(prompt.lastText(), QStringLiteral("已导出 %1：2 帧，每帧 15 通道。").arg(path()));
}

TEST_F(FseqExport, ChannelOrderAndPortMap)
{
    makeDocument(3, 1, 3, 2);
    wireTwoPorts(*doc);
    ASSERT_TRUE(exportDoc(FseqCompression::None, *ChannelOrder::parse(QStringLiteral("GBR"))));
    const QByteArray f = fileBytes();
    const int offset = int(le16(f, 4));
    // Point 0 is (1, 2, 3): green, blue, red.
    EXPECT_EQ(f.mid(offset, 3), bytes({2, 3, 1}));

    const auto map = FseqChannelMap::fromWiring(doc->wiring(), 2, 3, {});
    ASSERT_TRUE(map);
    ASSERT_EQ(map->ports().size(), 2u);
    EXPECT_EQ(map->ports()[0].firstChannel, 0u);
    EXPECT_EQ(map->ports()[0].pixelCount, 2u);
    EXPECT_EQ(map->ports()[1].firstChannel, 6u);
    EXPECT_EQ(map->ports()[1].pixelCount, 3u);
}

TEST_F(FseqExport, ProjectWithoutWiringGoesRowByRow)
{
    makeDocument(3, 1, 3, 2);
    ASSERT_TRUE(exportDoc(FseqCompression::None));
    const QByteArray f = fileBytes();
    const int offset = int(le16(f, 4));
    ASSERT_EQ(le32(f, 10), 18u);
    for (int point = 0; point < 6; ++point)
        EXPECT_EQ(f.mid(offset + 3 * point, 3), bytes({point + 1, point + 2, point + 3}));
}

TEST(FseqChannelOrder, FromNamesAndTheColourOrderList)
{
    EXPECT_EQ(ChannelOrder::all().size(), 6u);
    for (const ChannelOrder &o : ChannelOrder::all())
        EXPECT_EQ(ChannelOrder::parse(o.name().toUpper()), o);
    EXPECT_FALSE(ChannelOrder::parse(QStringLiteral("rgbw")));
    EXPECT_FALSE(ChannelOrder::parse(QStringLiteral("rrb")));

    // The panel's start list reads (1,b), (1,g), (1,r) from the top: RGB.
    ControllerParams params = ControllerParams::initial(3);
    EXPECT_EQ(ChannelOrder::fromOrderList(params.orderList).name(), QStringLiteral("rgb"));
    // A controller that takes green first: rows from the bottom g, r, b.
    RgbOrderList grb;
    for (const char *c : {"b", "r", "g"})
        grb.insertAtTop({QStringLiteral("1"), QString::fromLatin1(c)});
    EXPECT_EQ(ChannelOrder::fromOrderList(grb).name(), QStringLiteral("brg"));
    // Rows that do not name each colour once give the usual RGB.
    RgbOrderList twice;
    for (const char *c : {"r", "r", "b", "null"})
        twice.insertAtTop({QStringLiteral("1"), QString::fromLatin1(c)});
    EXPECT_EQ(ChannelOrder::fromOrderList(twice).name(), QStringLiteral("rgb"));
    EXPECT_EQ(ChannelOrder::fromOrderList(ControllerParams::initial(1).orderList).name(), QStringLiteral("rgb"));
}

TEST(FseqBlocks, FirstBlockHoldsFewFramesAndTheIndexStaysWithinItsByte)
{
    const std::vector<FseqBlockPlan> plan = planFseqBlocks(1000, 3072);
    ASSERT_GE(plan.size(), 2u);
    EXPECT_EQ(plan[0], (FseqBlockPlan{0, kFseqFirstBlockFrames}));
    uint32_t next = 0;
    for (const FseqBlockPlan &b : plan) {
        EXPECT_EQ(b.firstFrame, next);
        next += b.frames;
    }
    EXPECT_EQ(next, 1000u);
    // The later blocks hold the rest evenly, up to 256 KiB of channels each.
    EXPECT_LE(uint64_t(plan[1].frames) * 3072, kFseqBlockBytes);
    EXPECT_GE(uint64_t(plan[1].frames) * 3072, kFseqBlockBytes * 9 / 10);
    EXPECT_EQ(plan.size(), 1 + (990 * 3072 + kFseqBlockBytes - 1) / kFseqBlockBytes);

    EXPECT_EQ(planFseqBlocks(4, 3072), (std::vector<FseqBlockPlan>{{0, 4}}));
    EXPECT_TRUE(planFseqBlocks(0, 3072).empty());
}

TEST(FseqBlocks, HundredThousandFramesInAtMost255Blocks)
{
    FseqWriteSpec spec;
    spec.channelsPerFrame = 6;
    spec.frameCount = 100000;
    spec.compression = FseqCompression::Zstd;
    const QByteArray file = sequenceBytes(spec);
    const FseqParseResult parsed = parseBytes(file);
    ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
    const auto &blocks = parsed.layout->blocks;
    EXPECT_LE(blocks.size(), 255u);
    EXPECT_EQ(uint8_t(file[21]), blocks.size());
    EXPECT_EQ(blocks.front().frames, kFseqFirstBlockFrames);
    EXPECT_EQ(blocks.back().firstFrame + blocks.back().frames, 100000u);
    // The first block is the small one: it inflates at once.
    for (size_t i = 1; i < blocks.size(); ++i)
        EXPECT_GT(blocks[i].frames, blocks[0].frames) << "block " << i;
}

TEST_F(FseqExport, TooManyChannelsAndAnUnwritableFileAreReported)
{
    makeDocument(3, 1, 3, 2);
    doc->wiring().setKind(CircuitryKind::Led);
    // A pixel number from a damaged wiring file.
    doc->wiring().append(wiredAt(0, 0, 0, 20000000));
    EXPECT_FALSE(exportDoc(FseqCompression::Zstd));
    EXPECT_EQ(prompt.lastText(),
              QStringLiteral("线路需要 60000003 个通道，超出了 FSEQ 的上限：请检查线路的端口号和像素号。"));
    EXPECT_FALSE(QFile::exists(path()));

    // A folder that is a regular file cannot hold the new file, whoever runs this.
    doc->wiring().clear();
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString target = dir.filePath(QStringLiteral("plain/show.fseq"));
    FseqExportOptions o;
    EXPECT_FALSE(exportDocumentFseq(*doc, target, o, prompt));
    EXPECT_TRUE(prompt.lastText().startsWith(QStringLiteral("无法写入文件 %1：").arg(target)));
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Error);
}

TEST(FseqStep, FollowsThePlaySpeed)
{
    EXPECT_EQ(fseqStepForSpeed(10), 100);
    EXPECT_EQ(fseqStepForSpeed(30), 33);
    EXPECT_EQ(fseqStepForSpeed(80), 13);
    EXPECT_EQ(fseqStepForSpeed(1), 255);
    EXPECT_EQ(fseqStepForSpeed(0), 255);
}

} // namespace

namespace {

TEST_F(FseqExport, ChosenNameGetsTheEndingAndTheRealNameIsAskedAbout)
{
    EXPECT_EQ(fseqTargetName(QStringLiteral("/a/show")), QStringLiteral("/a/show.fseq"));
    EXPECT_EQ(fseqTargetName(QStringLiteral("/a/show.FSEQ")), QStringLiteral("/a/show.FSEQ"));
    EXPECT_EQ(fseqTargetName(QStringLiteral("/a/show.led")), QStringLiteral("/a/show.led.fseq"));

    // No file of the real name: nothing to ask.
    const QString chosen = dir.filePath(QStringLiteral("show"));
    EXPECT_EQ(confirmFseqTarget(chosen, prompt), path());
    EXPECT_TRUE(prompt.shown.empty());

    QFile existing(path());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};
    EXPECT_EQ(confirmFseqTarget(chosen, prompt), QString());
    EXPECT_EQ(confirmFseqTarget(chosen, prompt), path());
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_TRUE(prompt.shown[0].question);
    EXPECT_EQ(prompt.shown[0].text, QStringLiteral("%1 已存在。要替换它吗？").arg(path()));
    // A name chosen with its ending was asked about by the file dialog
    // already; typed into the dialog's field it was not.
    EXPECT_EQ(confirmFseqTarget(path(), prompt), path());
    EXPECT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(confirmFseqTarget(path(), prompt, false), QString());
    EXPECT_EQ(prompt.shown.size(), 3u);
}

} // namespace

// Whole port files: header fields, the length rule, padding, ports, ranges.
#include "output_fixture.h"
#include "../settings/disk_sync_test_support.h"

#include <QDir>

namespace {

using PortFiles = OutputTest;

TEST_F(PortFiles, HundredColourPixelsInFormatZero)
{
    makeDocument(100, 2);
    wireRow(100);
    params.communicationFormat = 0;
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    ASSERT_EQ(file.size(), 512u + 2 * 512u);

    EXPECT_EQ(u16(file, 0), 300u);  // L
    EXPECT_EQ(file[2], 1);
    EXPECT_EQ(file[3], 0);
    EXPECT_EQ(file[4], 7);          // divider A 8 − 1
    EXPECT_EQ(file[5], 6);          // divider B 7 − 1
    EXPECT_EQ(file[6], 0);
    EXPECT_EQ(file[7], 255);        // 256 grey levels − 1
    EXPECT_EQ(u16(file, 8), 2u);    // frames
    EXPECT_EQ(file[10], 0);         // scan enhancement
    EXPECT_EQ(file[11], 30);        // speed
    EXPECT_EQ(u16(file, 12), 300u); // N
    EXPECT_EQ(file[14], 0);         // format
    EXPECT_EQ(file[15], 3);         // SD card speed
    EXPECT_EQ(u16(file, 16), 0u);
    EXPECT_EQ(u16(file, 18), 300u);
    for (size_t i = 20; i < 512; ++i)
        ASSERT_EQ(file[i], 0) << "header byte " << i;

    // Frame 2: red, green, blue per pixel, then 212 zeros.
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(file[1024 + 3 * x], uint8_t(x + 17));
        EXPECT_EQ(file[1024 + 3 * x + 1], uint8_t(x + 18));
        EXPECT_EQ(file[1024 + 3 * x + 2], uint8_t(x + 19));
    }
    for (size_t i = 1024 + 300; i < file.size(); ++i)
        ASSERT_EQ(file[i], 0);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("数据生成成功!")});
    EXPECT_EQ(written, QStringList{portPath(0)});
}

TEST_F(PortFiles, HundredSingleColourPixelsGiveHundredBytes)
{
    makeDocument(100, 1, 1);
    wireRow(100);
    params.communicationFormat = 0;
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    ASSERT_EQ(file.size(), 1024u);
    EXPECT_EQ(u16(file, 0), 100u);
    EXPECT_EQ(u16(file, 12), 100u);
    EXPECT_EQ(u16(file, 18), 100u);
    EXPECT_EQ(file[512], 1);  // red of pixel 0
    EXPECT_EQ(file[611], 100);
    EXPECT_EQ(file[612], 0);
}

TEST_F(PortFiles, ABlockOfExactlyOneSectorIsNotPadded)
{
    makeDocument(512, 3, 1);
    wireRow(512);
    params.communicationFormat = 0;
    params.controllerModel = 1; // 512 pixels are past the first model's timing limit
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(file.size(), 512u + 3 * 512u);
    EXPECT_EQ(u16(file, 16), 1u);
    EXPECT_EQ(u16(file, 18), 0u);
    // Block 2 starts right after block 1: its first byte is frame 2's red.
    EXPECT_EQ(file[512 + 512], 17);
}

TEST_F(PortFiles, OnlyPortsOneAndThreeStillWriteThreeFiles)
{
    makeDocument(6, 2);
    params.communicationFormat = 0;
    doc->wiring().append(wiredAt(0, 0, 0, 0));
    doc->wiring().append(wiredAt(1, 0, 0, 1));
    doc->wiring().append(wiredAt(2, 0, 2, 0));
    ASSERT_EQ(write(), PortDataResult::Written);
    EXPECT_EQ(written.size(), 3);
    const QStringList files = QDir(dir.path()).entryList({QStringLiteral("*.led")}, QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{QStringLiteral("show_01.led"), QStringLiteral("show_02.led"),
                                  QStringLiteral("show_03.led")}));

    // Port 2 has no pixel: a header for one pixel and a zero block per frame.
    const auto empty = portBytes(1);
    ASSERT_EQ(empty.size(), 512u + 2 * 512u);
    EXPECT_EQ(u16(empty, 0), 3u);
    EXPECT_EQ(u16(empty, 12), 3u);
    EXPECT_EQ(u16(empty, 18), 3u);
    for (size_t i = 512; i < empty.size(); ++i)
        ASSERT_EQ(empty[i], 0);

    const auto third = portBytes(2);
    EXPECT_EQ(third[512], 3); // point 2's red in frame 1
}

TEST_F(PortFiles, FramesThreeToFiveOfTenKeepTheWholeCountInTheHeader)
{
    makeDocument(4, 10);
    wireRow(4);
    params.communicationFormat = 0;
    ASSERT_EQ(write(3, 5), PortDataResult::Written);
    const auto file = portBytes(0);
    ASSERT_EQ(file.size(), 512u + 3 * 512u);
    EXPECT_EQ(u16(file, 8), 10u);
    EXPECT_EQ(file[512], 1 + 16 * 2);         // frame 3
    EXPECT_EQ(file[512 + 2 * 512], 1 + 16 * 4); // frame 5
}

TEST_F(PortFiles, FramesPastTheEndAreNotWritten)
{
    makeDocument(4, 3);
    wireRow(4);
    params.communicationFormat = 0;
    ASSERT_EQ(write(2, 9), PortDataResult::Written);
    EXPECT_EQ(portBytes(0).size(), 512u + 2 * 512u);
}

TEST_F(PortFiles, PixelNumberGapsAreZeroBytes)
{
    makeDocument(4, 1);
    params.communicationFormat = 0;
    doc->wiring().append(wiredAt(0, 0, 0, 0));
    doc->wiring().append(wiredAt(1, 0, 0, 3));
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(u16(file, 0), 12u);
    EXPECT_EQ(block(file, 0, 12, 512), (std::vector<uint8_t>{1, 2, 3, 0, 0, 0, 0, 0, 0, 2, 3, 4}));
}

TEST_F(PortFiles, RecordsOutsideTheGridReadNoColourButKeepTheirPlace)
{
    makeDocument(2, 1);
    params.communicationFormat = 0;
    doc->wiring().append(wiredAt(0, 0, 0, 0));
    doc->wiring().append(wiredAt(5, 7, 0, 1)); // left from a larger grid
    ASSERT_EQ(write(), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(u16(file, 0), 6u);
    EXPECT_EQ(block(file, 0, 6, 512), (std::vector<uint8_t>{1, 2, 3, 0, 0, 0}));
}

TEST_F(PortFiles, ALaterRecordOfTheSamePixelWins)
{
    makeDocument(3, 1);
    params.communicationFormat = 0;
    doc->wiring().append(wiredAt(0, 0, 0, 0));
    doc->wiring().append(wiredAt(2, 0, 0, 0));
    ASSERT_EQ(write(), PortDataResult::Written);
    EXPECT_EQ(block(portBytes(0), 0, 3, 512), (std::vector<uint8_t>{3, 4, 5}));
}

TEST_F(PortFiles, HeaderCarriesThePanelsHiddenValuesAndTheSpeed)
{
    makeDocument(2, 1);
    wireRow(2);
    params.communicationFormat = 0;
    params.dividerA = 2;
    params.dividerB = 256;
    params.scanEnhancement = 1;
    params.sdCardSpeed = 0x1FF;
    params.greyLevels = 64;
    ASSERT_EQ(write(1, 1, 300), PortDataResult::Written);
    const auto file = portBytes(0);
    EXPECT_EQ(file[4], 1);
    EXPECT_EQ(file[5], 255);
    EXPECT_EQ(file[7], 63);
    EXPECT_EQ(file[10], 1);
    EXPECT_EQ(file[11], 300 & 0xFF);
    EXPECT_EQ(file[15], 0xFF);
}

TEST_F(PortFiles, ExistingFilesAreReplaced)
{
    makeDocument(2, 1);
    wireRow(2);
    {
        QFile stale(portPath(0));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(5000, 'x'));
    }
    ASSERT_EQ(write(), PortDataResult::Written);
    EXPECT_EQ(portBytes(0).size(), 1024u);
}

// Ports are written together, frame by frame, so the progress runs once.
TEST_F(PortFiles, ProgressRunsToFiftyThenZero)
{
    makeDocument(2, 4);
    doc->wiring().append(wiredAt(0, 0, 0, 0));
    doc->wiring().append(wiredAt(1, 0, 1, 0));
    std::vector<int> seen;
    PortDataRequest r;
    r.fromFrame = 1;
    r.toFrame = 4;
    r.chosenPath = dir.filePath(QStringLiteral("p.led"));
    ASSERT_EQ(writePortDataFiles(*doc, params, r, prompt, [&](int p) { seen.push_back(p); }),
              PortDataResult::Written);
    EXPECT_EQ(seen, (std::vector<int>{12, 25, 37, 50, 0}));
}

// Each file reaches the disk before its rename; the folder holding the
// renames waits once, when every port's file is in place.
TEST_F(PortFiles, TheFolderWaitsForTheDiskOnceAfterEveryPortsFile)
{
    makeDocument(3, 1);
    for (int port = 0; port < 3; ++port)
        doc->wiring().append(wiredAt(port, 0, port, 0));
    RecordedDiskSync sync;
    int inPlace = -1;
    sync.onSync = [&](int, DiskSyncPoint) { inPlace = QDir(dir.path()).entryList({"show_0?.led"}).size(); };
    ASSERT_EQ(write(), PortDataResult::Written);
    using enum DiskSyncPoint;
    EXPECT_EQ(sync.points, (std::vector<DiskSyncPoint>{File, File, File, Folder}));
    EXPECT_EQ(inPlace, 3);
}

TEST_F(PortFiles, AFileThatCannotBeCreatedIsNamedAndEndsTheRun)
{
    makeDocument(2, 1);
    doc->wiring().append(wiredAt(0, 0, 0, 0));
    doc->wiring().append(wiredAt(1, 0, 1, 0));
    PortDataRequest r;
    r.fromFrame = r.toFrame = 1;
    r.chosenPath = dir.filePath(QStringLiteral("missing-folder/show.led"));
    EXPECT_EQ(writePortDataFiles(*doc, params, r, prompt), PortDataResult::Failed);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.lastText().contains(dir.filePath(QStringLiteral("missing-folder/show_01.led"))));
    EXPECT_FALSE(prompt.texts().contains(QStringLiteral("数据生成成功!")));
}

TEST_F(PortFiles, TheTimingCheckRefusesBeforeAnyFileIsCreated)
{
    // rate 10 × 1,000,000 ÷ 256 ÷ (3n) ÷ 30 falls below 1 from n = 435 on.
    makeDocument(435, 1);
    doc->wiring().append(wiredAt(0, 0, 0, 0));
    doc->wiring().append(wiredAt(1, 0, 1, 434));
    EXPECT_EQ(write(), PortDataResult::TimingRefused);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("err 参数")});
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.led")}, QDir::Files).isEmpty());
}

TEST_F(PortFiles, TheTimingCheckPassesJustBelowTheLimitAndOnlyForTheFirstModel)
{
    makeDocument(435, 1);
    doc->wiring().append(wiredAt(0, 0, 0, 433));
    EXPECT_EQ(write(), PortDataResult::Written);

    doc->wiring().append(wiredAt(1, 0, 0, 434));
    params.controllerModel = 1;
    prompt.shown.clear();
    EXPECT_EQ(write(), PortDataResult::Written);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("数据生成成功!")});
}

TEST(TimingCheck, UsesRealArithmetic)
{
    ControllerParams p;
    p.rate = 0.3f;
    p.greyLevels = 256;
    // 0.3 × 1e6 ÷ 256 ÷ 3 ÷ 390 = 1.0016: integer division would refuse it.
    EXPECT_TRUE(timingAllows(p, 1, 390));
    EXPECT_FALSE(timingAllows(p, 1, 391));
}

TEST_F(PortFiles, AnImpossibleRangeWritesNothing)
{
    makeDocument(2, 3);
    wireRow(2);
    EXPECT_EQ(write(4, 5), PortDataResult::Failed);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("起始帧超出最后一帧,请重新选择!")});
    EXPECT_EQ(write(2, 1), PortDataResult::Failed);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("起始帧小于结束帧,请重新选择!"));
    EXPECT_EQ(write(1, 2, 0), PortDataResult::Failed);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("请输入一个大于0的整数!"));
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.led")}, QDir::Files).isEmpty());
}

TEST_F(PortFiles, APixelNumberFromADamagedFileIsRefusedBeforeAllocating)
{
    makeDocument(2, 1);
    doc->wiring().append(wiredAt(0, 0, 0, 2000000000));
    EXPECT_EQ(write(), PortDataResult::Failed);
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.led")}, QDir::Files).isEmpty());
    EXPECT_FALSE(prompt.texts().contains(QStringLiteral("数据生成成功!")));
}

} // namespace

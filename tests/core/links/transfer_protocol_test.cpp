#include "fake_serial_link.h"

#include "links/serial/frame_send.h"
#include "links/serial/program_file.h"
#include "links/serial/transfer_packets.h"
#include "links/serial/transfer_protocol.h"
#include "settings/language.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr uint8_t U = 0x55;
constexpr uint8_t Again = 0xFE;

// A plan of B payload bytes (numbered 0, 1, 2 ...) in the given layout.
FrameSendPlan planOf(int bytes, ScreenType screen = ScreenType::Rectangular)
{
    FrameSendPlan plan;
    plan.screen = screen;
    const SerialPacket::PacketCount n = SerialPacket::countFramePackets(bytes);
    plan.packets = int(n.packets);
    plan.lastLength = n.lastLength;
    plan.header = SerialPacket::frameSendHeader(plan.packets, 0, 1, bytes);
    for (int i = 0; i < bytes; ++i)
        plan.payload.push_back(uint8_t(i * 7));
    return plan;
}

bool isHeader(const std::vector<uint8_t> &p) { return p.size() == 13; }

struct Bench
{
    FakeClock clock;
    FakeLink link{clock};
    std::vector<int> progress;
    TransferCallbacks callbacks{[this](int p) { progress.push_back(p); }, {}};
};

std::vector<uint8_t> programOf(size_t size)
{
    std::vector<uint8_t> v(size);
    for (size_t i = 0; i < size; ++i)
        v[i] = uint8_t((i * 31) ^ (i >> 8));
    return v;
}

} // namespace

// --- handshake ---------------------------------------------------------------

TEST(SerialHandshake, SilentControllerGetsTheHeader101Times)
{
    Bench run;
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(63), run.callbacks), TransferResult::ConnectionFailure);
    EXPECT_EQ(run.link.headerCount(), 101);
    EXPECT_EQ(run.link.sent.size(), 101u);
    EXPECT_EQ(run.clock.now, 101 * 30); // about 3 s on a real port
    // Every reply is read 30 ms after its send.
    for (size_t i = 0; i < run.link.sent.size(); ++i)
        EXPECT_EQ(run.link.readTimes[i] - run.link.sent[i].at, 30);
    // The indicator was never started, so it is not touched.
    EXPECT_TRUE(run.progress.empty());
}

TEST(SerialHandshake, AcceptAfterTheHundredthRepetitionIsAConnection)
{
    Bench run;
    run.link.answer = [](const std::vector<uint8_t> &p, int index) -> uint8_t {
        return isHeader(p) ? (index == 100 ? U : 0) : U;
    };
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(63), run.callbacks), TransferResult::Success);
    EXPECT_EQ(run.link.headerCount(), 101);
    EXPECT_EQ(run.link.dataPackets().size(), 1u);

    Bench update;
    update.link.answer = run.link.answer;
    EXPECT_EQ(sendProgram(update.link, update.clock, programOf(4096), update.callbacks), TransferResult::Success);
    EXPECT_EQ(update.link.headerCount(), 101);
}

TEST(SerialHandshake, OnlyAcceptOpensTheConnection)
{
    Bench run;
    // 0xFE and garbage do not count for a header, in either layout.
    run.link.answer = [](const std::vector<uint8_t> &p, int index) -> uint8_t {
        return isHeader(p) ? (index % 2 ? Again : 'u') : U;
    };
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(63, ScreenType::Irregular), run.callbacks),
              TransferResult::ConnectionFailure);
    EXPECT_EQ(run.link.headerCount(), 101);
}

TEST(SerialHandshake, WithoutAnOpenPortFailsAtOnce)
{
    Bench send;
    send.link.open = false;
    EXPECT_EQ(sendFrameData(send.link, send.clock, planOf(63), send.callbacks), TransferResult::ConnectionFailure);
    EXPECT_TRUE(send.link.sent.empty());
    EXPECT_EQ(send.clock.now, 0);

    Bench update;
    update.link.open = false;
    EXPECT_EQ(sendProgram(update.link, update.clock, programOf(4096), update.callbacks),
              TransferResult::ConnectionFailure);
    EXPECT_TRUE(update.link.sent.empty());
    EXPECT_EQ(update.clock.now, 0);
}

// --- frame data --------------------------------------------------------------

TEST(SerialFrameSend, SendsEveryPacketOnceWhenAccepted)
{
    Bench run;
    run.link.answer = acceptAll;
    const FrameSendPlan plan = planOf(66);
    ASSERT_EQ(sendFrameData(run.link, run.clock, plan, run.callbacks), TransferResult::Success);
    ASSERT_EQ(run.link.sent.size(), 3u);
    EXPECT_TRUE(std::equal(plan.header.begin(), plan.header.end(), run.link.sent[0].bytes.begin()));
    const auto data = run.link.dataPackets();
    EXPECT_EQ(data[0], SerialPacket::dataPacket(1, [&] {
                  std::vector<uint8_t> b(plan.payload.begin(), plan.payload.begin() + 63);
                  b.push_back(0);
                  return b;
              }()));
    EXPECT_EQ(data[1], SerialPacket::dataPacket(2, std::span<const uint8_t>(plan.payload).subspan(63)));
    EXPECT_EQ(data[1].size(), 11u);
    // 30 ms after the header, 50 ms after each data packet.
    EXPECT_EQ(run.clock.now, 30 + 50 + 50);
    EXPECT_EQ((std::vector<int>{50, 0}), run.progress);
}

TEST(SerialFrameSend, OnePacketSendHasNoFullPackets)
{
    Bench run;
    run.link.answer = acceptAll;
    ASSERT_EQ(sendFrameData(run.link, run.clock, planOf(63), run.callbacks), TransferResult::Success);
    const auto data = run.link.dataPackets();
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0].size(), 71u);
    EXPECT_EQ(data[0][2], 0x45);
    EXPECT_EQ(sequenceOf(data[0]), 1);
    EXPECT_EQ((std::vector<int>{0}), run.progress);
}

TEST(SerialFrameSend, ProgressFollowsTheFullPackets)
{
    Bench run;
    run.link.answer = acceptAll;
    ASSERT_EQ(sendFrameData(run.link, run.clock, planOf(7 * 63), run.callbacks), TransferResult::Success);
    // N = 7: (50 j) / 7 for j = 1..5, 50 after the last full packet, then rest.
    EXPECT_EQ((std::vector<int>{7, 14, 21, 28, 35, 50, 0}), run.progress);
    std::vector<int> sequences;
    for (const auto &p : run.link.dataPackets())
        sequences.push_back(sequenceOf(p));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7}), sequences);
}

TEST(SerialFrameSend, RectangularLayoutRepeatsUntilAccept)
{
    Bench run;
    // Packet 1 is answered with nothing, 0xFE and garbage before 'U'.
    int tries = 0;
    run.link.answer = [&](const std::vector<uint8_t> &p, int) -> uint8_t {
        if (isHeader(p) || sequenceOf(p) != 1)
            return U;
        const uint8_t replies[] = {0, Again, 'x', U};
        return replies[tries++];
    };
    ASSERT_EQ(sendFrameData(run.link, run.clock, planOf(126), run.callbacks), TransferResult::Success);
    const auto data = run.link.dataPackets();
    ASSERT_EQ(data.size(), 5u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(data[size_t(i)], data[0]);
    EXPECT_EQ(sequenceOf(data[4]), 2);
}

TEST(SerialFrameSend, RectangularLayoutFailsAfter50Repetitions)
{
    Bench run;
    run.link.answer = [](const std::vector<uint8_t> &p, int) -> uint8_t { return isHeader(p) ? U : 0; };
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(200), run.callbacks), TransferResult::DataSendFailure);
    const auto data = run.link.dataPackets();
    EXPECT_EQ(data.size(), 51u);
    for (const auto &p : data)
        EXPECT_EQ(sequenceOf(p), 1);
    EXPECT_EQ((std::vector<int>{0}), run.progress);
}

TEST(SerialFrameSend, IrregularLayoutRepeatsOnlyOnAgain)
{
    Bench run;
    // Full packets: first 0xFE twice, then silence (taken as accepted), then
    // garbage (also accepted); the last packet needs 'U'.
    std::map<int, int> seen;
    run.link.answer = [&](const std::vector<uint8_t> &p, int) -> uint8_t {
        if (isHeader(p))
            return U;
        const int seq = sequenceOf(p);
        const int n = seen[seq]++;
        if (seq == 1)
            return n < 2 ? Again : 0;
        if (seq == 2)
            return 'G';
        return U;
    };
    ASSERT_EQ(sendFrameData(run.link, run.clock, planOf(3 * 63, ScreenType::Irregular), run.callbacks),
              TransferResult::Success);
    EXPECT_EQ(seen[1], 3);
    EXPECT_EQ(seen[2], 1);
    EXPECT_EQ(seen[3], 1);
}

TEST(SerialFrameSend, IrregularLayoutFailsAfter50Agains)
{
    Bench run;
    run.link.answer = [](const std::vector<uint8_t> &p, int) -> uint8_t { return isHeader(p) ? U : Again; };
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(3 * 63, ScreenType::Irregular), run.callbacks),
              TransferResult::DataSendFailure);
    EXPECT_EQ(run.link.dataPackets().size(), 51u);
    EXPECT_EQ(run.clock.now, 30 + 51 * 50);
    EXPECT_EQ((std::vector<int>{0}), run.progress);
}

TEST(SerialFrameSend, LastPacketNeedsAcceptInTheIrregularLayoutToo)
{
    Bench run;
    // Silence accepts the full packet but not the last one.
    run.link.answer = [](const std::vector<uint8_t> &p, int) -> uint8_t { return isHeader(p) ? U : 0; };
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(70, ScreenType::Irregular), run.callbacks),
              TransferResult::DataSendFailure);
    const auto data = run.link.dataPackets();
    ASSERT_EQ(data.size(), 1u + 51u);
    EXPECT_EQ(sequenceOf(data[0]), 1);
    EXPECT_EQ(sequenceOf(data.back()), 2);
    EXPECT_EQ((std::vector<int>{50, 0}), run.progress);
}

TEST(SerialFrameSend, LateAcceptOfTheLastRepetitionCounts)
{
    Bench run;
    int sends = 0;
    run.link.answer = [&](const std::vector<uint8_t> &p, int) -> uint8_t {
        return isHeader(p) ? U : (++sends == 51 ? U : 0);
    };
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(63), run.callbacks), TransferResult::Success);
    EXPECT_EQ(sends, 51);
}

TEST(SerialFrameSend, IncompleteWriteFailsThatPacket)
{
    // The third send (data packet 2) does not go out: the transfer ends
    // there, it does not carry on with packet 3.
    Bench run;
    run.link.answer = acceptAll;
    run.link.failWriteAt = 2;
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(4 * 63), run.callbacks), TransferResult::DataSendFailure);
    EXPECT_EQ(run.link.dataPackets().size(), 1u);
    EXPECT_EQ(run.progress.back(), 0);

    // A header that does not go out is a failed connection, without 100
    // more tries.
    Bench header;
    header.link.answer = acceptAll;
    header.link.failWriteAt = 0;
    EXPECT_EQ(sendFrameData(header.link, header.clock, planOf(63), header.callbacks),
              TransferResult::ConnectionFailure);
    EXPECT_EQ(header.clock.now, 0);
}

TEST(SerialFrameSend, StopsWhenAsked)
{
    Bench run;
    run.link.answer = acceptAll;
    int asked = 0;
    run.callbacks.stopRequested = [&] { return ++asked > 3; };
    EXPECT_EQ(sendFrameData(run.link, run.clock, planOf(10 * 63), run.callbacks), TransferResult::Stopped);
    EXPECT_EQ(run.link.sent.size(), 3u);
    EXPECT_EQ(run.progress.back(), 0);
    EXPECT_TRUE(transferResultText(TransferResult::Stopped).isEmpty());
}

// --- program update -------------------------------------------------------------

TEST(SerialProgramUpdate, SendsTheFirst4096BytesIn64Packets)
{
    Bench run;
    run.link.answer = acceptAll;
    const std::vector<uint8_t> program = programOf(10000);
    ASSERT_EQ(sendProgram(run.link, run.clock, program, run.callbacks), TransferResult::Success);
    EXPECT_EQ(run.link.sent[0].bytes,
              (std::vector<uint8_t>{0x50, 0x50, 0x0B, 0xA1, 0x40, 0x00, 0x0A, 0x08, 0x00, 0x00, 0x10, 0x0E, 0x01}));
    const auto data = run.link.dataPackets();
    ASSERT_EQ(data.size(), 64u);
    std::vector<uint8_t> received;
    for (int k = 0; k < 64; ++k) {
        EXPECT_EQ(data[size_t(k)].size(), 72u);
        EXPECT_EQ(data[size_t(k)][2], 0x46);
        EXPECT_EQ(sequenceOf(data[size_t(k)]), k + 1);
        received.insert(received.end(), data[size_t(k)].begin() + 6, data[size_t(k)].begin() + 70);
    }
    EXPECT_EQ(received, std::vector<uint8_t>(program.begin(), program.begin() + 4096));
    EXPECT_EQ(run.clock.now, 30 + 64 * 50);
}

TEST(SerialProgramUpdate, ProgressRunsFrom0To50ThenRests)
{
    Bench run;
    run.link.answer = acceptAll;
    ASSERT_EQ(sendProgram(run.link, run.clock, programOf(4096), run.callbacks), TransferResult::Success);
    ASSERT_EQ(run.progress.size(), 65u);
    EXPECT_EQ(run.progress[0], 0); // 50 / 64
    EXPECT_EQ(run.progress[1], 1);
    EXPECT_EQ(run.progress[62], 49);
    EXPECT_EQ(run.progress[63], 50);
    EXPECT_EQ(run.progress[64], 0);
    for (int k = 1; k <= 64; ++k)
        EXPECT_EQ(run.progress[size_t(k - 1)], 50 * k / 64);
}

TEST(SerialProgramUpdate, NeedsAcceptForEveryPacket)
{
    Bench run;
    // 0xFE is no acceptance for a program packet.
    run.link.answer = [](const std::vector<uint8_t> &p, int) -> uint8_t {
        return isHeader(p) || sequenceOf(p) < 3 ? U : Again;
    };
    EXPECT_EQ(sendProgram(run.link, run.clock, programOf(4096), run.callbacks), TransferResult::DataSendFailure);
    EXPECT_EQ(run.link.dataPackets().size(), 2u + 51u);
    EXPECT_EQ((std::vector<int>{0, 1, 0}), run.progress);
}

// --- program file and messages ---------------------------------------------------------

TEST(SerialProgramFile, ReadsOnlyTheFirst4096Bytes)
{
    QTemporaryDir dir;
    const auto write = [&](const char *name, qsizetype size) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes(size, '\0');
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = char(i * 13);
        f.write(bytes);
        return path;
    };
    const ProgramFile big = readProgramFile(write("big.bin", 10000));
    ASSERT_EQ(big.problem, ProgramFileProblem::None);
    ASSERT_EQ(big.bytes.size(), 4096u);
    EXPECT_EQ(big.bytes[4095], uint8_t(4095 * 13));

    EXPECT_EQ(readProgramFile(write("exact.bin", 4096)).problem, ProgramFileProblem::None);
    const ProgramFile shortFile = readProgramFile(write("short.bin", 4095));
    EXPECT_EQ(shortFile.problem, ProgramFileProblem::TooShort);
    EXPECT_TRUE(shortFile.bytes.empty());
    EXPECT_EQ(readProgramFile(write("empty.bin", 0)).problem, ProgramFileProblem::TooShort);
    EXPECT_EQ(readProgramFile(dir.filePath(QStringLiteral("missing.bin"))).problem, ProgramFileProblem::OpenFailed);
    EXPECT_NE(readProgramFile(dir.path()).problem, ProgramFileProblem::None); // a folder holds no program
    EXPECT_EQ(readProgramFile(QString()).problem, ProgramFileProblem::NoFileChosen);
}

TEST(SerialMessages, TextsInEnglishAndChinese)
{
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::English);
    EXPECT_EQ(programFileProblemText(ProgramFileProblem::TooShort),
              QStringLiteral("The program file must hold at least 4,096 bytes!"));
    EXPECT_EQ(transferResultText(TransferResult::ConnectionFailure),
              QStringLiteral("The connection could not be made. Please check the cable!"));
    EXPECT_EQ(transferResultText(TransferResult::Success), QStringLiteral("The data were sent successfully!"));
    Language::setCode(Language::Chinese);
    EXPECT_EQ(programFileProblemText(ProgramFileProblem::TooShort), QStringLiteral("程序文件至少需要4096个字节!"));
    EXPECT_EQ(transferResultText(TransferResult::DataSendFailure), QStringLiteral("数据发送失败!"));
}

// The network output over loopback: a receiver in the test takes the
// datagrams a writer, the worker-thread sender and brightloom-cli stream
// send, checks every header and puts the frames back together.
#include "network/network_sender.h"
#include "network/udp_frame_writer.h"

#include "document/frame_sequence.h"
#include "document/project_file.h"
#include "document/wiring.h"
#include "output/network/network_packets.h"
#include "wiring/wiring_files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <gtest/gtest.h>

#include <map>

namespace {

using Channels = std::vector<uint8_t>;

unsigned rxBe16(const QByteArray &b, int at) { return (uint8_t(b[at]) << 8) | uint8_t(b[at + 1]); }
uint32_t rxBe32(const QByteArray &b, int at) { return (rxBe16(b, at) << 16) | rxBe16(b, at + 2); }
Channels rxBytes(const QByteArray &b, int from, int count)
{
    return Channels(b.begin() + from, b.begin() + from + count);
}

// A UDP receiver on a free loopback port.
class LoopbackReceiver
{
public:
    LoopbackReceiver()
    {
        EXPECT_TRUE(m_socket.bind(QHostAddress::LocalHost, 0));
        m_socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4 * 1024 * 1024);
    }
    int port() const { return m_socket.localPort(); }

    // Datagrams until `count` arrived or nothing came for `quietMs`.
    std::vector<QByteArray> take(size_t count, int quietMs = 1000)
    {
        std::vector<QByteArray> got;
        while (got.size() < count) {
            if (!m_socket.hasPendingDatagrams() && !m_socket.waitForReadyRead(quietMs))
                break;
            while (m_socket.hasPendingDatagrams()) {
                QByteArray d(int(m_socket.pendingDatagramSize()), '\0');
                m_socket.readDatagram(d.data(), d.size());
                got.push_back(d);
            }
        }
        return got;
    }

private:
    QUdpSocket m_socket;
};

// One port of `pixels` lamps along a single row; point i's colour is
// (i, 2i + 1, 255 - i) mod 256, shifted by `frame` in red.
struct StripProject
{
    int pixels;
    Wiring wiring;
    std::vector<Frame> frames;

    StripProject(int pixelCount, int frameCount) : pixels(pixelCount)
    {
        wiring.setKind(CircuitryKind::Led);
        wiring.resetCellMap(1, pixels);
        for (int k = 0; k < pixels; ++k) {
            WiringPixel p;
            p.pixel = k;
            p.column = k;
            wiring.append(p);
        }
        for (int f = 0; f < frameCount; ++f) {
            Frame frame(static_cast<size_t>(pixels));
            for (int i = 0; i < pixels; ++i)
                frame[size_t(i)] = makeColor(i + 40 * f, 2 * i + 1, 255 - i);
            frames.push_back(frame);
        }
    }

    NetworkOutputMap map(const NetworkMapLayout &layout = {}) const { return NetworkOutputMap(wiring, 1, pixels, layout); }
    Channels channels(int frame, const NetworkMapLayout &layout = {}) const
    {
        Channels c;
        map(layout).fill(frames[size_t(frame)], c);
        return c;
    }
};

NetworkTarget loopbackTarget(NetworkProtocol protocol, int port)
{
    NetworkTarget t;
    t.packets.protocol = protocol;
    t.host = QStringLiteral("127.0.0.1");
    t.port = port;
    return t;
}

// Reassembles DDP frames, checking every header on the way: version 1, RGB
// 8-bit, destination 1, one sequence number per frame counting 1..15,
// offsets without gaps, push on the last packet of a frame only.
std::vector<Channels> reassembleDdp(const std::vector<QByteArray> &packets)
{
    std::vector<Channels> frames;
    Channels current;
    int sequence = -1;
    for (const QByteArray &p : packets) {
        EXPECT_GE(p.size(), kDdpHeaderBytes);
        if (p.size() < kDdpHeaderBytes)
            continue;
        EXPECT_EQ(uint8_t(p[0]) & 0xFE, 0x40);
        EXPECT_EQ(uint8_t(p[2]), 0x0B);
        EXPECT_EQ(uint8_t(p[3]), 0x01);
        const int seq = uint8_t(p[1]);
        if (current.empty()) {
            EXPECT_EQ(seq, sequence < 0 ? seq : sequence % 15 + 1);
            sequence = seq;
        } else {
            EXPECT_EQ(seq, sequence);
        }
        EXPECT_EQ(rxBe32(p, 4), uint32_t(current.size()));
        const int length = int(rxBe16(p, 8));
        EXPECT_EQ(length, p.size() - kDdpHeaderBytes);
        EXPECT_LE(length, kDdpMaxDataBytes);
        const Channels data = rxBytes(p, kDdpHeaderBytes, p.size() - kDdpHeaderBytes);
        current.insert(current.end(), data.begin(), data.end());
        if (uint8_t(p[0]) & 0x01) {
            frames.push_back(current);
            current.clear();
        }
    }
    EXPECT_TRUE(current.empty()) << "a frame without its push packet";
    return frames;
}

// The universe and the channels of an E1.31 data packet or an ArtDmx.
std::pair<int, Channels> universeOf(NetworkProtocol protocol, const QByteArray &p)
{
    if (protocol == NetworkProtocol::E131) {
        EXPECT_GE(p.size(), kE131HeaderBytes);
        EXPECT_EQ(p.mid(4, 9), QByteArray("ASC-E1.17"));
        const int count = int(rxBe16(p, 123)) - 1;
        EXPECT_EQ(count, p.size() - kE131HeaderBytes);
        return {int(rxBe16(p, 113)), rxBytes(p, kE131HeaderBytes, count)};
    }
    EXPECT_EQ(p.left(8), QByteArray("Art-Net\0", 8));
    const int length = int(rxBe16(p, 16));
    EXPECT_EQ(length, p.size() - kArtNetHeaderBytes);
    return {(uint8_t(p[15]) << 8) | uint8_t(p[14]), rxBytes(p, kArtNetHeaderBytes, length)};
}

TEST(NetworkLink, DdpFramesArriveWholeInOrder)
{
    LoopbackReceiver receiver;
    const StripProject strip(600, 3); // 1,800 bytes: two packets a frame
    UdpFrameWriter writer(loopbackTarget(NetworkProtocol::Ddp, receiver.port()));
    ASSERT_TRUE(writer.open(nullptr));
    NetworkFrame frame;
    for (int f = 0; f < 3; ++f) {
        frame.channels = strip.channels(f);
        ASSERT_TRUE(writer.send(frame));
    }
    const std::vector<Channels> got = reassembleDdp(receiver.take(6));
    ASSERT_EQ(got.size(), 3u);
    for (int f = 0; f < 3; ++f)
        EXPECT_EQ(got[size_t(f)], strip.channels(f)) << "frame " << f;
    EXPECT_EQ(writer.datagramsSent(), 6u);
}

TEST(NetworkLink, UniversesCarryTheMappedChannels)
{
    // 200 pixels: universe 5 with 170, universe 6 with 30 (an even count).
    const StripProject strip(200, 2);
    NetworkMapLayout layout;
    layout.startUniverse = 5;
    const NetworkOutputMap map = strip.map(layout);
    for (NetworkProtocol protocol : {NetworkProtocol::E131, NetworkProtocol::ArtNet}) {
        LoopbackReceiver receiver;
        UdpFrameWriter writer(loopbackTarget(protocol, receiver.port()));
        ASSERT_TRUE(writer.open(nullptr));
        NetworkFrame frame;
        frame.universes = map.universes();
        for (int f = 0; f < 2; ++f) {
            frame.channels = strip.channels(f, layout);
            ASSERT_TRUE(writer.send(frame));
        }
        const std::vector<QByteArray> packets = receiver.take(4);
        ASSERT_EQ(packets.size(), 4u) << networkProtocolName(protocol).toStdString();
        for (int f = 0; f < 2; ++f) {
            const Channels all = strip.channels(f, layout);
            const auto [u1, c1] = universeOf(protocol, packets[size_t(2 * f)]);
            const auto [u2, c2] = universeOf(protocol, packets[size_t(2 * f + 1)]);
            EXPECT_EQ(u1, 5);
            EXPECT_EQ(u2, 6);
            EXPECT_EQ(c1, Channels(all.begin(), all.begin() + 510));
            EXPECT_EQ(c2, Channels(all.begin() + 510, all.end()));
        }
    }
}

TEST(NetworkSender, HandsOverAtOnceAndDropsWhatTheRateCannotCarry)
{
    LoopbackReceiver receiver;
    const StripProject strip(10, 40);
    NetworkSender sender(loopbackTarget(NetworkProtocol::Ddp, receiver.port()), 10);
    sender.start();
    const auto submitStrip = [&](int f) {
        auto frame = std::make_shared<NetworkFrame>();
        frame->channels = strip.channels(f);
        sender.submit(frame);
    };
    // The first frame goes at once ...
    submitStrip(0);
    QElapsedTimer clock;
    clock.start();
    while (sender.counts().sent == 0 && clock.elapsed() < 5000)
        QThread::msleep(1);
    ASSERT_EQ(sender.counts().sent, 1u);
    // ... and 39 more within the next 100 ms find it still too early.
    qint64 slowestNs = 0;
    for (int f = 1; f < 40; ++f) {
        clock.start();
        submitStrip(f);
        slowestNs = std::max(slowestNs, clock.nsecsElapsed());
    }
    // The editor's side never waits for the network.
    EXPECT_LT(slowestNs, 5'000'000);
    // At 10 frames a second the newest goes 100 ms after the first;
    // everything between is dropped.
    const std::vector<QByteArray> packets = receiver.take(2, 1500);
    sender.finish();
    sender.wait();
    const std::vector<Channels> got = reassembleDdp(packets);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got.back(), strip.channels(39));
    const NetworkSenderCounts counts = sender.counts();
    EXPECT_EQ(counts.submitted, 40u);
    EXPECT_EQ(counts.sent, 2u);
    EXPECT_EQ(counts.dropped, 38u);
    EXPECT_EQ(counts.failed, 0u);
    EXPECT_EQ(counts.sequence, 2);
}

TEST(NetworkSender, RepeatsTheLastFrameWhileNothingNewComes)
{
    LoopbackReceiver receiver;
    const StripProject strip(4, 1);
    NetworkSender sender(loopbackTarget(NetworkProtocol::Ddp, receiver.port()), 40);
    sender.start();
    auto frame = std::make_shared<NetworkFrame>();
    frame->channels = strip.channels(0);
    QElapsedTimer clock;
    clock.start();
    sender.submit(frame);
    const std::vector<Channels> got = reassembleDdp(receiver.take(2, 3000));
    const qint64 elapsed = clock.elapsed();
    sender.finish();
    sender.wait();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1], got[0]);
    // Not at the frame rate, about a second later.
    EXPECT_GE(elapsed, 900);
    EXPECT_EQ(sender.counts().sent, 1u);
    EXPECT_EQ(sender.counts().repeated, 1u);
}

TEST(NetworkSender, AHostThatCannotBeFoundEndsTheWorker)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr); // the host lookup's thread pool
    NetworkTarget target = loopbackTarget(NetworkProtocol::ArtNet, 6454);
    target.host = QStringLiteral("");
    NetworkSender sender(target, 40);
    QString reported = QStringLiteral("none");
    QObject::connect(&sender, &NetworkSender::hostNotFound, &sender,
                     [&reported](const QString &host) { reported = host; }, Qt::DirectConnection);
    sender.start();
    ASSERT_TRUE(sender.wait(10000));
    EXPECT_EQ(reported, QString());
    sender.submit(std::make_shared<NetworkFrame>()); // nobody sends it; nothing hangs
    EXPECT_EQ(sender.counts().sent, 0u);
}

TEST(NetworkStreamCommand, PlaysTheProjectToADdpReceiver)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Two ports on a 2 x 300 grid: port 0 the top row, port 1 the bottom
    // row from right to left, so port 1's pixel 0 is the bottom right point.
    const int cols = 300;
    GridGeometry g;
    g.rows = 2;
    g.cols = cols;
    FrameSequence sequence;
    std::vector<WiringPixel> records;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < cols; ++x) {
            WiringPixel p;
            p.port = y;
            p.pixel = y == 0 ? x : cols - 1 - x;
            p.column = x;
            p.row = y;
            records.push_back(p);
        }
    for (int f = 0; f < 3; ++f) {
        Frame frame(size_t(2 * cols));
        for (int i = 0; i < 2 * cols; ++i)
            frame[size_t(i)] = makeColor(i + f, i / 3, 7 * f);
        sequence.append(frame);
    }
    const QString project = dir.filePath(QStringLiteral("strip.wst"));
    const QString line = dir.filePath(QStringLiteral("strip.line"));
    ASSERT_TRUE(writeProjectFile(project, g, sequence));
    ASSERT_TRUE(writeLineFile(line, 2, cols, uint8_t(CircuitryKind::Led), records));

    LoopbackReceiver receiver;
    QProcess cli;
    cli.start(QStringLiteral(BRIGHTLOOM_CLI),
              {QStringLiteral("stream"), project, line, QStringLiteral("--protocol"), QStringLiteral("ddp"),
               QStringLiteral("--host"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
               QString::number(receiver.port()), QStringLiteral("--fps"), QStringLiteral("100"),
               QStringLiteral("--loops"), QStringLiteral("2"), QStringLiteral("--order"), QStringLiteral("grb")});
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QJsonObject summary = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    EXPECT_EQ(summary.value(QStringLiteral("framesSent")).toInt(), 6);
    EXPECT_EQ(summary.value(QStringLiteral("channels")).toInt(), 1800);
    // Six frames at 100 a second take at least 50 ms.
    EXPECT_GE(summary.value(QStringLiteral("seconds")).toDouble(), 0.05);

    const std::vector<Channels> got = reassembleDdp(receiver.take(12));
    ASSERT_EQ(got.size(), 6u);
    for (int step = 0; step < 6; ++step) {
        const int f = step % 3;
        const Channels &c = got[size_t(step)];
        ASSERT_EQ(c.size(), 1800u);
        // Port 0 pixel 5 is point 5; port 1 follows without a gap, its
        // pixel 0 at byte 900 is point 2 x 300 - 1. Green first.
        EXPECT_EQ(rxBytes(QByteArray(reinterpret_cast<const char *>(c.data()), int(c.size())), 15, 3),
                  (Channels{uint8_t(5 / 3), uint8_t(5 + f), uint8_t(7 * f)}));
        const int last = 2 * cols - 1;
        EXPECT_EQ(c[900], uint8_t(last / 3));
        EXPECT_EQ(c[901], uint8_t(last + f));
        EXPECT_EQ(c[902], uint8_t(7 * f));
    }
}

} // namespace

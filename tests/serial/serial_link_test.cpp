// The serial transfers over a real pseudo-terminal, with the simulated
// controller on the other end. The protocol's own pauses are real here, so
// each case keeps to a few seconds. The controller is a thread of this busy
// machine, though: after every pause the transfer also waits until the
// controller has answered, so a slow thread never turns into a lost answer,
// and the cases count the pauses instead of timing the transfer.

#include "serial/serial_port_link.h"
#include "serial/serial_transfer_runner.h"
#include "simulated_controller.h"

#include "document/frame_sequence.h"
#include "document/wiring.h"
#include "links/serial/frame_send.h"
#include "links/serial/program_file.h"
#include "settings/language.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <chrono>
#include <pty.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace {

using Behaviour = SimulatedController::Behaviour;

// Qt's port watches its descriptor with socket notifiers, which want an
// application object on the thread.
QCoreApplication &app()
{
    static int argc = 1;
    static char arg0[] = "test_serial_link";
    static char *argv[] = {arg0, nullptr};
    static QCoreApplication *instance = new QCoreApplication(argc, argv);
    return *instance;
}

GridGeometry grid(int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    return g;
}

ColorValue colourOf(int frame, int y, int x)
{
    return makeColor(unsigned(10 * y + x), unsigned(200 - x), unsigned(frame * 40 + 1));
}

FrameSequence frames(const GridGeometry &g, int count)
{
    FrameSequence seq;
    for (int f = 0; f < count; ++f) {
        Frame frame(size_t(g.pointCount()));
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.cols; ++x)
                frame.set(x, y, g.cols, colourOf(f, y, x));
        seq.append(std::move(frame));
    }
    return seq;
}

void putRgb(std::vector<uint8_t> &out, ColorValue c)
{
    out.push_back(uint8_t(redOf(c)));
    out.push_back(uint8_t(greenOf(c)));
    out.push_back(uint8_t(blueOf(c)));
}

FrameSendPlan plan(const FrameSendRequest &r, const FrameSequence &seq, const GridGeometry &g, const Wiring &w)
{
    FrameSendPlan p;
    EXPECT_EQ(planFrameSend(r, seq, g, w, p), FrameSendProblem::None);
    return p;
}

FrameSendRequest request(int start, int end, ScreenType screen)
{
    FrameSendRequest r;
    r.startFrame = start;
    r.endFrame = end;
    r.screen = screen;
    r.tubeModel = 1;
    r.tubeCount = 12;
    return r;
}

// However long the machine keeps the controller's thread waiting, it gets
// this long to answer; the protocol's pauses stay what they are.
constexpr int kControllerDeadline = 10000;

// The port as the transfer sees it, counting the packets that went out.
class CountedLink : public Link
{
public:
    explicit CountedLink(SerialPortLink &port) : m_port(port) {}
    bool isOpen() const override { return m_port.isOpen(); }
    bool write(std::span<const uint8_t> packet) override
    {
        const bool sent = m_port.write(packet);
        m_sent += sent ? 1 : 0;
        return sent;
    }
    uint8_t readReply() override { return m_port.readReply(); }
    int sent() const { return m_sent; }

private:
    SerialPortLink &m_port;
    int m_sent = 0;
};

// Sleeps each pause for real, then waits until the controller has answered
// every packet sent so far; keeps the pauses asked for.
class ControllerPacedClock : public Clock
{
public:
    ControllerPacedClock(SimulatedController &controller, const CountedLink &link)
        : m_controller(controller), m_link(link)
    {
    }
    void sleep(int milliseconds) override
    {
        pauses.push_back(milliseconds);
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        EXPECT_TRUE(m_controller.waitUntilAnswered(m_link.sent(), kControllerDeadline))
            << "packet " << m_link.sent() << " not taken within " << kControllerDeadline << " ms";
    }
    std::vector<int> pauses;

private:
    SimulatedController &m_controller;
    const CountedLink &m_link;
};

// A controller on a fresh pseudo-terminal and the port opened to it.
struct Line
{
    explicit Line(SimulatedController::Options options = {}) : controller(options)
    {
        app();
        std::string error;
        EXPECT_TRUE(controller.start(&error)) << error;
        QString reason;
        EXPECT_TRUE(port.open(QString::fromStdString(controller.portPath()), &reason)) << reason.toStdString();
    }
    SimulatedController controller;
    SerialPortLink port;
    CountedLink link{port};
    ControllerPacedClock clock{controller, link};
};

// Runs of {count, milliseconds} pauses, one after the other.
std::vector<int> pauses(std::initializer_list<std::pair<int, int>> runs)
{
    std::vector<int> out;
    for (const auto &[count, milliseconds] : runs)
        out.insert(out.end(), size_t(count), milliseconds);
    return out;
}

// Waits until `count` bytes wait to be read at the port's end of a
// pseudo-terminal: they cross it on the system's schedule.
bool bytesWaitAt(int portEnd, int count)
{
    QElapsedTimer t;
    t.start();
    int waiting = -1;
    while (::ioctl(portEnd, FIONREAD, &waiting) == 0 && waiting < count && t.elapsed() < kControllerDeadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return waiting == count;
}

std::vector<uint8_t> programBytes(size_t n)
{
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = uint8_t(i * 37 + (i >> 8)); // 0x50, 0x0A and 0x55 all occur
    return v;
}

} // namespace

// --- whole transfers -----------------------------------------------------------

TEST(SerialOverPty, RectangularSendDeliversTheFramesRowByRow)
{
    const GridGeometry g = grid(3, 8);
    const FrameSequence seq = frames(g, 4);
    Line line;
    // Frames 2..4 (1-based): B = 3 x 24 x 3 = 216, N = 4.
    const FrameSendPlan p = plan(request(2, 9, ScreenType::Rectangular), seq, g, Wiring());
    std::vector<int> progress;
    EXPECT_EQ(sendFrameData(line.link, line.clock, p, {[&](int v) { progress.push_back(v); }, {}}),
              TransferResult::Success);
    ASSERT_TRUE(line.controller.waitUntilDone(5000));
    const SimulatedController::Record r = line.controller.record();
    EXPECT_TRUE(r.faults.empty()) << r.faults.front();
    std::vector<uint8_t> expected;
    for (int f = 1; f <= 3; ++f)
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 8; ++x)
                putRgb(expected, colourOf(f, y, x));
    EXPECT_EQ(r.payload, expected);
    EXPECT_EQ(r.header[4], 4);
    EXPECT_EQ(r.header[6], 1);
    EXPECT_EQ(r.header[7], 12);
    EXPECT_EQ(r.headerSends, 1);
    EXPECT_EQ(r.dataSends, 4);
    EXPECT_EQ((std::vector<int>{12, 25, 50, 0}), progress);
}

TEST(SerialOverPty, IrregularSendDeliversTheWiringListOrder)
{
    const GridGeometry g = grid(4, 5);
    const FrameSequence seq = frames(g, 3);
    Wiring w;
    // A zig-zag chain over the first two rows, pixel numbers 0..9 but the
    // list ends after 7 points.
    const int cells[7][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 1}, {1, 0}, {3, 4}};
    for (int i = 0; i < 7; ++i) {
        WiringPixel px;
        px.pixel = i == 6 ? 9 : i;
        px.row = cells[i][0];
        px.column = cells[i][1];
        w.append(px);
    }
    Line line;
    const FrameSendPlan p = plan(request(1, 3, ScreenType::Irregular), seq, g, w);
    EXPECT_EQ(sendFrameData(line.link, line.clock, p), TransferResult::Success);
    ASSERT_TRUE(line.controller.waitUntilDone(5000));
    const SimulatedController::Record r = line.controller.record();
    EXPECT_TRUE(r.faults.empty());
    std::vector<uint8_t> expected;
    for (int f = 0; f < 3; ++f)
        for (int k = 0; k < 10; ++k) {
            const int i = std::min(k, 6);
            putRgb(expected, colourOf(f, cells[i][0], cells[i][1]));
        }
    EXPECT_EQ(r.payload, expected);
}

TEST(SerialOverPty, ProgramUpdateDeliversTheFirst4096Bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("controller.bin"));
    const std::vector<uint8_t> bytes = programBytes(10000);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
    }
    const ProgramFile program = readProgramFile(path);
    ASSERT_EQ(program.problem, ProgramFileProblem::None);
    Line line;
    int lastProgress = -1;
    EXPECT_EQ(sendProgram(line.link, line.clock, program.bytes, {[&](int v) { lastProgress = v; }, {}}),
              TransferResult::Success);
    ASSERT_TRUE(line.controller.waitUntilDone(5000));
    const SimulatedController::Record r = line.controller.record();
    EXPECT_TRUE(r.programUpdate);
    EXPECT_TRUE(r.faults.empty());
    EXPECT_EQ(r.payload, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4096));
    EXPECT_EQ(r.dataSends, 64);
    EXPECT_EQ(lastProgress, 0);
}

// --- controllers that do not play along -----------------------------------------------

TEST(SerialOverPty, SilentControllerEndsWithConnectionFailureAfter101Headers)
{
    Line line({Behaviour::Silent, 0});
    const GridGeometry g = grid(2, 2);
    const FrameSendPlan p = plan(request(1, 1, ScreenType::Rectangular), frames(g, 1), g, Wiring());
    EXPECT_EQ(sendFrameData(line.link, line.clock, p), TransferResult::ConnectionFailure);
    EXPECT_EQ(line.clock.pauses, pauses({{101, 30}}));
    EXPECT_EQ(line.controller.record().headerSends, 101);
    EXPECT_EQ(line.controller.record().dataSends, 0);
}

TEST(SerialOverPty, GarbageIsNoAnswerEvenWithAUInside)
{
    Line line({Behaviour::Garbage, 0});
    EXPECT_EQ(sendProgram(line.link, line.clock, programBytes(4096)), TransferResult::ConnectionFailure);
    EXPECT_EQ(line.clock.pauses, pauses({{101, 30}}));
    EXPECT_EQ(line.controller.record().headerSends, 101);
}

TEST(SerialOverPty, AgainRepeatsAPacket50TimesThenFails)
{
    // Irregular layout, the controller asks for packet 2 again and again.
    const GridGeometry g = grid(10, 10);
    Wiring w;
    for (int i = 0; i < 50; ++i) {
        WiringPixel px;
        px.pixel = i;
        px.row = i / 10;
        px.column = i % 10;
        w.append(px);
    }
    Line line({Behaviour::Again, 2});
    const FrameSendPlan p = plan(request(1, 1, ScreenType::Irregular), frames(g, 1), g, w);
    ASSERT_EQ(p.packets, 3);
    std::vector<int> progress;
    EXPECT_EQ(sendFrameData(line.link, line.clock, p, {[&](int v) { progress.push_back(v); }, {}}),
              TransferResult::DataSendFailure);
    // The header, packet 1, then packet 2 sent 51 times.
    EXPECT_EQ(line.clock.pauses, pauses({{1, 30}, {52, 50}}));
    const SimulatedController::Record r = line.controller.record();
    EXPECT_EQ(r.dataSends, 1 + 51);
    EXPECT_TRUE(r.faults.empty());
    EXPECT_EQ((std::vector<int>{16, 0}), progress);
}

TEST(SerialOverPty, HangUpMidTransferFailsAtOnce)
{
    Line line({Behaviour::HangUp, 3});
    EXPECT_EQ(sendProgram(line.link, line.clock, programBytes(4096)), TransferResult::DataSendFailure);
    // A vanished device fails the next write, the one that would repeat
    // packet 3; the transfer does not sit through 50 repetitions per packet
    // for the remaining 61 packets.
    EXPECT_EQ(line.clock.pauses, pauses({{1, 30}, {3, 50}}));
    EXPECT_TRUE(line.controller.record().hungUp);
    EXPECT_EQ(line.controller.record().payload.size(), 2u * 64);
}

// --- the port itself ---------------------------------------------------------------

TEST(SerialPortLinkOpen, MissingPortIsRefusedWithItsNameInTheMessage)
{
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::English);
    app();
    SerialPortLink link;
    QString reason;
    EXPECT_FALSE(link.open(QStringLiteral("ttyNoSuchPort9"), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.write(std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(openPortFailureText(QStringLiteral("ttyNoSuchPort9")), QStringLiteral("ttyNoSuchPort9 could not be opened!"));
    Language::setCode(Language::Chinese);
    EXPECT_EQ(openPortFailureText(QStringLiteral("/dev/pts/3")), QStringLiteral("打开/dev/pts/3失败!"));
}

TEST(SerialPortLinkWrite, AWriteThatCannotGoOutFailsWithinItsTime)
{
    // Nobody reads the far end: once the system's buffer is full a write
    // must fail within 10 ms per byte + 20 ms, not be dropped quietly.
    app();
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    SerialPortLink link;
    ASSERT_TRUE(link.open(QString::fromLatin1(name)));
    const std::vector<uint8_t> packet(72, 0x5A);
    int written = 0;
    qint64 failedAfter = -1;
    while (written < 20000) {
        QElapsedTimer t;
        t.start();
        if (!link.write(packet)) {
            failedAfter = t.elapsed();
            break;
        }
        ++written;
    }
    EXPECT_GT(written, 0);
    ASSERT_GE(failedAfter, 0) << "every write went through";
    EXPECT_LE(failedAfter, SerialPortLink::writeTimeout(72) + 300);
    link.close();
    ::close(master);
    ::close(slave);
}

TEST(SerialPortLinkRead, OnlyASingleWaitingByteIsAReply)
{
    app();
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    SerialPortLink link;
    ASSERT_TRUE(link.open(QString::fromLatin1(name)));
    EXPECT_EQ(link.readReply(), 0); // nothing waiting
    ASSERT_EQ(::write(master, "U", 1), 1);
    ASSERT_TRUE(bytesWaitAt(slave, 1));
    EXPECT_EQ(link.readReply(), 'U');
    EXPECT_EQ(link.readReply(), 0); // read once
    ASSERT_EQ(::write(master, "UU", 2), 2);
    ASSERT_TRUE(bytesWaitAt(slave, 2));
    EXPECT_EQ(link.readReply(), 0);
    EXPECT_EQ(link.readReply(), 0); // still two bytes: never a reply
    // The next write throws them away.
    EXPECT_TRUE(link.write(std::vector<uint8_t>{1}));
    ASSERT_EQ(::write(master, "\xFE", 1), 1);
    ASSERT_TRUE(bytesWaitAt(slave, 1));
    EXPECT_EQ(link.readReply(), 0xFE);
    link.close();
    ::close(master);
    ::close(slave);
}

// --- the worker thread ----------------------------------------------------------------

TEST(SerialTransferRunner, RunsOffTheCallingThreadAndReportsBackOnIt)
{
    app();
    SimulatedController controller;
    ASSERT_TRUE(controller.start());
    SerialTransferRunner runner;
    EXPECT_FALSE(runner.isPortOpen());
    ASSERT_TRUE(runner.openPort(QString::fromStdString(controller.portPath())));
    EXPECT_TRUE(runner.isPortOpen());

    std::vector<int> progress;
    bool progressOnCaller = true;
    QObject::connect(&runner, &SerialTransferRunner::progress, &app(), [&](int v) {
        progress.push_back(v);
        progressOnCaller = progressOnCaller && QThread::currentThread() == app().thread();
    });
    QSignalSpy finished(&runner, &SerialTransferRunner::finished);

    const GridGeometry g = grid(4, 21); // 4 x 63 bytes: N = 4
    const FrameSendPlan p = plan(request(1, 1, ScreenType::Rectangular), frames(g, 1), g, Wiring());
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(runner.startFrameSend(p));
    EXPECT_LT(t.elapsed(), 200); // returns at once, not after the 230 ms the transfer takes
    EXPECT_TRUE(runner.busy());
    EXPECT_FALSE(runner.startProgramUpdate(programBytes(4096))); // one at a time
    EXPECT_FALSE(runner.openPort(QStringLiteral("ttyS0")));       // not under a running transfer

    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(runner.busy());
    EXPECT_EQ(finished.at(0).at(0).value<TransferResult>(), TransferResult::Success);
    QCoreApplication::processEvents();
    EXPECT_EQ((std::vector<int>{12, 25, 50, 0}), progress);
    EXPECT_TRUE(progressOnCaller);
    EXPECT_TRUE(controller.waitUntilDone(500));
}

TEST(SerialTransferRunner, GoingAwayStopsARunningTransfer)
{
    app();
    SimulatedController controller({Behaviour::Silent, 0});
    ASSERT_TRUE(controller.start());
    QElapsedTimer t;
    {
        auto runner = std::make_unique<SerialTransferRunner>();
        ASSERT_TRUE(runner->openPort(QString::fromStdString(controller.portPath())));
        ASSERT_TRUE(runner->startProgramUpdate(programBytes(4096)));
        QThread::msleep(200);
        t.start();
    }
    // Not the 3 s the handshake would still take.
    EXPECT_LT(t.elapsed(), 1000);
    QThread::msleep(50);
    EXPECT_LT(controller.record().headerSends, 20);
}

TEST(SerialTransferRunner, WithoutAPortTheTransferFailsAtOnce)
{
    app();
    SerialTransferRunner runner;
    EXPECT_FALSE(runner.openPort(QStringLiteral("ttyNoSuchPort9")));
    QSignalSpy finished(&runner, &SerialTransferRunner::finished);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(runner.startProgramUpdate(programBytes(4096)));
    ASSERT_TRUE(finished.wait(2000));
    EXPECT_LT(t.elapsed(), 500);
    EXPECT_EQ(finished.at(0).at(0).value<TransferResult>(), TransferResult::ConnectionFailure);
}

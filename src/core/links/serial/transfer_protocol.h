#pragma once
// The two serial transfers, written once against a Link and a Clock so that
// the same steps run on a real port, over a pseudo-terminal and against a
// fake in the tests.
//
// A transfer is a handshake (the header, sent until the controller answers
// 'U') followed by numbered data packets, each sent until it is accepted.
// Fixed pauses between a send and the read of its reply set the pace: the
// controller is given 30 ms to answer a header and 50 ms to answer a data
// packet.

#include <QString>
#include <cstdint>
#include <functional>
#include <span>

struct FrameSendPlan;

// An open connection to the controller.
class Link
{
public:
    virtual ~Link() = default;
    virtual bool isOpen() const = 0;
    // Throws away whatever the controller sent since the last read, then
    // writes the packet. False when the packet did not go out completely
    // within its time; the transfer then fails at that packet.
    virtual bool write(std::span<const uint8_t> packet) = 0;
    // The controller's one-byte reply, or 0 when no reply is waiting. When
    // more than one byte is waiting nothing is read (it is not a reply) and
    // 0 is returned; the next write throws those bytes away.
    virtual uint8_t readReply() = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual void sleep(int milliseconds) = 0;
};

// Real time, for real ports.
class SystemClock : public Clock
{
public:
    void sleep(int milliseconds) override;
};

enum class TransferResult {
    Success,           // "DataSendSuccessful"
    ConnectionFailure, // "ConnectionFailure": no port, or the header was never answered with 'U'
    DataSendFailure,   // "DataSendFailure": a data packet was not accepted
    Stopped,           // the caller asked the transfer to stop; nothing is shown
};

namespace SerialTiming {
constexpr int kHeaderPause = 30;    // ms from a header send to the read of its reply
constexpr int kDataPause = 50;      // ms from a data packet send to the read of its reply
constexpr int kHeaderRepeats = 100; // repetitions after the first send of the header
constexpr int kDataRepeats = 50;    // repetitions after the first send of a data packet
} // namespace SerialTiming

struct TransferCallbacks
{
    // Position on the progress indicator's 0..50 scale; 0 ends the display.
    std::function<void(int position)> progress;
    // Asked before every send; true ends the transfer with Stopped.
    std::function<bool()> stopRequested;
};

// Sends the planned frames. A full packet needs 'U' in the rectangular
// layout; in the irregular layout only 0xFE asks for it again and any
// other reply, none included, accepts it. The last packet always needs 'U'.
// Progress runs over the full packets and goes back to 0 at the end of
// every transfer that got past the handshake.
TransferResult sendFrameData(Link &link, Clock &clock, const FrameSendPlan &plan,
                             const TransferCallbacks &callbacks = {});

// Sends a controller program: 64 packets of 64 bytes from `program` (at
// least 4,096 bytes; only those are sent), each accepted only by 'U'.
TransferResult sendProgram(Link &link, Clock &clock, std::span<const uint8_t> program,
                           const TransferCallbacks &callbacks = {});

// The message a transfer ends with; empty for Stopped.
QString transferResultText(TransferResult result);

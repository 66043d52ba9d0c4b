#include "links/serial/transfer_protocol.h"

#include "links/serial/frame_send.h"
#include "links/serial/transfer_packets.h"
#include "settings/language.h"

#include <array>
#include <chrono>
#include <thread>

void SystemClock::sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

namespace {

using namespace SerialTiming;

enum class Acceptance {
    OnlyAccept,    // 'U' and nothing else
    AllButAgain,   // anything but 0xFE, silence included
};

enum class PacketOutcome { Accepted, Refused, WriteFailed, Stopped };

class Transfer
{
public:
    Transfer(Link &link, Clock &clock, const TransferCallbacks &callbacks)
        : m_link(link), m_clock(clock), m_callbacks(callbacks)
    {
    }

    // Sends the packet, waits and reads the reply, and sends it again while
    // the reply does not accept it, at most `repeats` more times. Every
    // reply is looked at, the one after the last repetition too: a
    // controller that accepts late has still accepted.
    PacketOutcome send(std::span<const uint8_t> packet, int pause, int repeats, Acceptance rule)
    {
        for (int sent = 0; sent <= repeats; ++sent) {
            if (m_callbacks.stopRequested && m_callbacks.stopRequested())
                return PacketOutcome::Stopped;
            if (!m_link.write(packet))
                return PacketOutcome::WriteFailed;
            m_clock.sleep(pause);
            const uint8_t reply = m_link.readReply();
            const bool accepted = rule == Acceptance::OnlyAccept ? reply == SerialPacket::kAccept
                                                                 : reply != SerialPacket::kAgain;
            if (accepted)
                return PacketOutcome::Accepted;
        }
        return PacketOutcome::Refused;
    }

    // Without an open port there is nobody to shake hands with: the
    // failure is reported at once instead of after 101 sends into nothing.
    TransferResult handshake(const SerialPacket::Header &header)
    {
        if (!m_link.isOpen())
            return TransferResult::ConnectionFailure;
        switch (send(header, kHeaderPause, kHeaderRepeats, Acceptance::OnlyAccept)) {
        case PacketOutcome::Accepted:
            return TransferResult::Success;
        case PacketOutcome::Stopped:
            return TransferResult::Stopped;
        default:
            return TransferResult::ConnectionFailure;
        }
    }

    // A data packet that was not taken ends the transfer; the indicator
    // goes back to rest.
    TransferResult sendData(std::span<const uint8_t> packet, Acceptance rule)
    {
        switch (send(packet, kDataPause, kDataRepeats, rule)) {
        case PacketOutcome::Accepted:
            return TransferResult::Success;
        case PacketOutcome::Stopped:
            progress(0);
            return TransferResult::Stopped;
        default:
            progress(0);
            return TransferResult::DataSendFailure;
        }
    }

    void progress(int position)
    {
        if (m_callbacks.progress)
            m_callbacks.progress(position);
    }

private:
    Link &m_link;
    Clock &m_clock;
    const TransferCallbacks &m_callbacks;
};

} // namespace

TransferResult sendFrameData(Link &link, Clock &clock, const FrameSendPlan &plan,
                             const TransferCallbacks &callbacks)
{
    Transfer t(link, clock, callbacks);
    if (const TransferResult r = t.handshake(plan.header); r != TransferResult::Success)
        return r;

    const Acceptance fullRule =
        plan.screen == ScreenType::Rectangular ? Acceptance::OnlyAccept : Acceptance::AllButAgain;
    const int n = plan.packets;
    const uint8_t *stream = plan.payload.data();
    std::array<uint8_t, SerialPacket::kPacketPayload> full{}; // the last byte stays the 0x00 pad
    for (int j = 1; j < n; ++j) {
        std::copy_n(stream, SerialPacket::kFramePayloadPerPacket, full.begin());
        stream += SerialPacket::kFramePayloadPerPacket;
        if (const TransferResult r = t.sendData(SerialPacket::dataPacket(j, full), fullRule);
            r != TransferResult::Success)
            return r;
        t.progress(j == n - 1 ? 50 : 50 * j / n);
    }
    const TransferResult r = t.sendData(
        SerialPacket::dataPacket(n, std::span<const uint8_t>(stream, size_t(plan.lastLength))),
        Acceptance::OnlyAccept);
    if (r == TransferResult::Success)
        t.progress(0);
    return r;
}

TransferResult sendProgram(Link &link, Clock &clock, std::span<const uint8_t> program,
                           const TransferCallbacks &callbacks)
{
    if (program.size() < size_t(SerialPacket::kProgramBytes))
        return TransferResult::DataSendFailure; // callers check the file first
    Transfer t(link, clock, callbacks);
    if (const TransferResult r = t.handshake(SerialPacket::programUpdateHeader()); r != TransferResult::Success)
        return r;
    for (int k = 1; k <= SerialPacket::kProgramPackets; ++k) {
        const auto chunk = program.subspan(size_t(k - 1) * SerialPacket::kPacketPayload, SerialPacket::kPacketPayload);
        if (const TransferResult r = t.sendData(SerialPacket::dataPacket(k, chunk), Acceptance::OnlyAccept);
            r != TransferResult::Success)
            return r;
        t.progress(50 * k / SerialPacket::kProgramPackets);
    }
    t.progress(0);
    return TransferResult::Success;
}

QString transferResultText(TransferResult result)
{
    switch (result) {
    case TransferResult::Success:
        return LanguageText("Message", "DataSendSuccessful", QStringLiteral("数据发送成功!"));
    case TransferResult::ConnectionFailure:
        return LanguageText("Message", "ConnectionFailure", QStringLiteral("建立连接失败，请检查线路是否正常!"));
    case TransferResult::DataSendFailure:
        return LanguageText("Message", "DataSendFailure", QStringLiteral("数据发送失败!"));
    case TransferResult::Stopped:
        return {};
    }
    return {};
}

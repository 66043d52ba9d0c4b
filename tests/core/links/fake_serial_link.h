#pragma once
// A controller on the other end of a Link, answering from a rule the test
// gives, and a clock that only counts. Every send is kept with the time it
// happened, so a test sees the packets, their repetitions and the pauses.

#include "links/serial/transfer_protocol.h"

#include <cstdint>
#include <functional>
#include <vector>

class FakeClock : public Clock
{
public:
    void sleep(int milliseconds) override { now += milliseconds; }
    int64_t now = 0;
};

class FakeLink : public Link
{
public:
    explicit FakeLink(FakeClock &clock) : m_clock(clock) {}

    struct Sent
    {
        std::vector<uint8_t> bytes;
        int64_t at; // fake time of the write
    };

    bool isOpen() const override { return open; }
    bool write(std::span<const uint8_t> packet) override
    {
        if (failWriteAt == int(sent.size()))
            return false;
        sent.push_back({std::vector<uint8_t>(packet.begin(), packet.end()), m_clock.now});
        m_pending = answer ? answer(sent.back().bytes, int(sent.size()) - 1) : 0;
        return true;
    }
    uint8_t readReply() override
    {
        readTimes.push_back(m_clock.now);
        const uint8_t r = m_pending;
        m_pending = 0; // a reply is read once
        return r;
    }

    // (packet, index of this send from 0) -> the reply byte; 0 is silence.
    std::function<uint8_t(const std::vector<uint8_t> &, int)> answer;
    bool open = true;
    int failWriteAt = -1; // the index of the send whose write does not complete
    std::vector<Sent> sent;
    std::vector<int64_t> readTimes;

    // Sends whose third byte marks them as headers / data packets.
    int headerCount() const
    {
        int n = 0;
        for (const Sent &s : sent)
            n += s.bytes.size() == 13 && s.bytes[3] == 0xA1;
        return n;
    }
    std::vector<std::vector<uint8_t>> dataPackets() const
    {
        std::vector<std::vector<uint8_t>> out;
        for (const Sent &s : sent)
            if (s.bytes.size() > 3 && s.bytes[3] == 0xA6)
                out.push_back(s.bytes);
        return out;
    }

private:
    FakeClock &m_clock;
    uint8_t m_pending = 0;
};

// Answers every packet with 'U'.
inline uint8_t acceptAll(const std::vector<uint8_t> &, int) { return 0x55; }

inline int sequenceOf(const std::vector<uint8_t> &packet) { return packet[4] | (packet[5] << 8); }

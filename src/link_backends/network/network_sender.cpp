#include "network_sender.h"

#include <algorithm>

NetworkSender::NetworkSender(const NetworkTarget &target, int framesPerSecond, QObject *parent)
    : QThread(parent), m_target(target),
      m_period(std::chrono::microseconds(1000000 / std::max(1, framesPerSecond)))
{
}

NetworkSender::~NetworkSender()
{
    finish();
    wait();
}

void NetworkSender::submit(std::shared_ptr<const NetworkFrame> frame)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_pending)
            ++m_dropped;
        m_pending = std::move(frame);
    }
    ++m_submitted;
    m_wake.notify_one();
}

NetworkSenderCounts NetworkSender::counts() const
{
    NetworkSenderCounts c;
    c.submitted = m_submitted;
    c.sent = m_sent;
    c.dropped = m_dropped;
    c.failed = m_failed;
    c.repeated = m_repeated;
    c.datagrams = m_datagrams;
    c.sequence = m_sequence;
    return c;
}

void NetworkSender::finish()
{
    {
        std::lock_guard lock(m_mutex);
        m_finish = true;
    }
    m_wake.notify_one();
}

void NetworkSender::run()
{
    // The socket belongs to this thread: made, used and closed here.
    UdpFrameWriter writer(m_target);
    QString unknown;
    if (!writer.open(&unknown)) {
        emit hostNotFound(unknown);
        return;
    }
    using Clock = std::chrono::steady_clock;
    Clock::time_point nextAllowed = Clock::now();
    std::shared_ptr<const NetworkFrame> last;
    for (;;) {
        std::shared_ptr<const NetworkFrame> frame;
        bool repeat = false;
        {
            std::unique_lock lock(m_mutex);
            const auto ready = [this] { return m_finish || m_pending; };
            if (last)
                m_wake.wait_until(lock, nextAllowed - m_period + kRepeatAfter, ready);
            else
                m_wake.wait(lock, ready);
            if (m_finish)
                return;
            if (m_pending) {
                // The frame rate limit: wait for the slot; a newer frame
                // that arrives meanwhile replaces the one waiting.
                m_wake.wait_until(lock, nextAllowed, [this] { return m_finish; });
                if (m_finish)
                    return;
                frame = std::move(m_pending);
            } else {
                frame = last;
                repeat = true;
            }
        }
        nextAllowed = Clock::now() + m_period;
        const bool whole = writer.send(*frame);
        if (repeat)
            ++m_repeated;
        else if (whole)
            ++m_sent;
        else
            ++m_failed;
        m_datagrams = writer.datagramsSent();
        const int first = frame->universes.empty() ? 0 : frame->universes.front().universe;
        m_sequence = writer.builder().lastSequence(first);
        last = std::move(frame);
    }
}

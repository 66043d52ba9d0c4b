#pragma once
// Sends the frames the editor shows to a network receiver from a worker
// thread. The editor hands over a frame and returns at once: the newest
// frame waits in a one-place mailbox, a frame that is replaced before the
// worker took it is dropped, and the worker sends no more often than the
// frame rate limit allows. A slow, stalled or unreachable receiver therefore
// costs frames, never time on the editor's thread or its playback timer.
//
// Receivers take a source that stays silent for 2.5 s as gone (E1.31) or
// blank their outputs, so while nothing new comes the last frame is sent
// again every second.
//
// The counts are read from any thread for the status read-out.

#include "udp_frame_writer.h"

#include <QThread>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

struct NetworkSenderCounts
{
    uint64_t submitted = 0; // frames handed over
    uint64_t sent = 0;      // frames whose datagrams all went out
    uint64_t dropped = 0;   // frames replaced before they could be sent
    uint64_t failed = 0;    // frames of which a datagram was not taken
    uint64_t repeated = 0;  // sendings of the last frame again while nothing new came
    uint64_t datagrams = 0; // datagrams written
    int sequence = 0;       // the sequence number of the last frame's first universe (DDP: of the frame)
};

class NetworkSender : public QThread
{
    Q_OBJECT
public:
    NetworkSender(const NetworkTarget &target, int framesPerSecond, QObject *parent = nullptr);
    // Stops the worker and waits for it (at most one datagram burst).
    ~NetworkSender() override;

    // Hands the frame to the worker; replaces one that is still waiting.
    void submit(std::shared_ptr<const NetworkFrame> frame);
    NetworkSenderCounts counts() const;
    // Ends the worker after the frame it is sending.
    void finish();

signals:
    // The host could not be found; the worker has ended (queued to the
    // thread that made the sender).
    void hostNotFound(const QString &host);

protected:
    void run() override;

private:
    const NetworkTarget m_target;
    static constexpr std::chrono::seconds kRepeatAfter{1};
    const std::chrono::microseconds m_period;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::shared_ptr<const NetworkFrame> m_pending;
    bool m_finish = false;

    std::atomic<uint64_t> m_submitted{0};
    std::atomic<uint64_t> m_sent{0};
    std::atomic<uint64_t> m_dropped{0};
    std::atomic<uint64_t> m_failed{0};
    std::atomic<uint64_t> m_repeated{0};
    std::atomic<uint64_t> m_datagrams{0};
    std::atomic<int> m_sequence{0};
};

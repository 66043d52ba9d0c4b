#pragma once
// Runs serial transfers on a thread of their own, which owns the port, so
// the editor keeps painting and answering during the half minute a large
// send can take. Progress and the result come back as queued signals on
// the thread that made the runner; `busy()` is true from the start of a
// transfer until its `finished` signal has been delivered.

#include "links/serial/frame_send.h"
#include "links/serial/transfer_protocol.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

class SerialPortLink;

class SerialTransferRunner : public QObject
{
    Q_OBJECT
public:
    // `clock` paces the transfers; the system clock when none is given.
    explicit SerialTransferRunner(QObject *parent = nullptr, std::shared_ptr<Clock> clock = {});
    // Stops a running transfer at its next packet and closes the port.
    ~SerialTransferRunner() override;

    // Opens the port on the transfer thread and waits for the answer; not
    // while busy. False with the system's reason when it cannot be opened.
    bool openPort(const QString &portName, QString *reason = nullptr);
    bool isPortOpen() const { return m_portOpen; }

    bool busy() const { return m_busy; }

    // Each starts a transfer and returns at once; false (and nothing
    // started) while another one runs.
    bool startFrameSend(FrameSendPlan plan);
    bool startProgramUpdate(std::vector<uint8_t> program);

signals:
    void progress(int position); // 0..50; 0 ends the display
    void finished(TransferResult result);

private:
    using Job = std::function<TransferResult(Link &, Clock &, const TransferCallbacks &)>;
    bool start(Job job);
    void report(int position);

    QThread m_thread;
    QObject *m_worker = nullptr;        // lives on m_thread
    std::unique_ptr<SerialPortLink> m_link; // made, used and destroyed on m_thread
    std::shared_ptr<Clock> m_clock;
    std::atomic_bool m_stop{false};
    bool m_busy = false;
    bool m_portOpen = false;
};

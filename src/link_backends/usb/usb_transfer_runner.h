#pragma once
// Runs the USB link on a thread of its own, which owns the transport and
// the link: listing and opening the controllers, the play and stop
// commands, the parameter block and the frames. Each call returns at once;
// the jobs run in the order given and their results come back as queued
// signals on the thread that made the runner, so a controller that keeps
// the link waiting two seconds for an acknowledgement never holds up the
// editor or its playback timer.
//
// `sendBusy()` is UsbSendBusy: true from the hand-over of a frame or
// parameter transfer until its result has been delivered.

#include "links/usb/usb_messages.h"
#include "links/usb/usb_transport.h"

#include <QObject>
#include <QStringList>
#include <QThread>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class UsbLink;
class UsbRelayPrompt;

enum class UsbJob { Frame, Parameters };

class UsbTransferRunner : public QObject
{
    Q_OBJECT
public:
    using TransportFactory = std::function<std::unique_ptr<UsbTransport>()>;

    // The transport is made, used and destroyed on the transfer thread.
    explicit UsbTransferRunner(TransportFactory makeTransport, QObject *parent = nullptr);
    // Jobs not started yet are dropped; a running one ends first.
    ~UsbTransferRunner() override;

    // Closes the link, lists the controllers again and opens entry
    // `selected` of the new list; `listed` brings the list.
    void reopen(int selected = 0);
    // The play or stop command (its result is not looked at).
    void sendCommand(ControllerCommandCode code);
    // Not while sendBusy(): false, and nothing is sent.
    bool sendFrame(std::vector<uint8_t> payload);
    // Queued behind whatever runs; sets sendBusy() until it is done.
    void sendParameters(const std::array<uint8_t, 16> &block);

    bool sendBusy() const { return m_pending > 0; }
    // Waits until every job handed over so far has run (for the tests and
    // the end of the program); the results are still delivered later.
    void waitForJobs();

signals:
    void listed(const QStringList &entries);
    // A message of the link for the user (a warning).
    void message(const QString &text);
    void transferFinished(UsbJob job, bool succeeded);

private:
    void post(std::function<void(UsbLink &)> job);
    void finish(UsbJob job, bool succeeded);

    QThread m_thread;
    QObject *m_worker = nullptr;             // lives on m_thread
    std::unique_ptr<UsbTransport> m_transport; // made, used and destroyed on m_thread
    std::unique_ptr<UsbRelayPrompt> m_prompt;
    std::unique_ptr<UsbLink> m_link;
    std::atomic_bool m_stopping{false};
    int m_pending = 0;
};

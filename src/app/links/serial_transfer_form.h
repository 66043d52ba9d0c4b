#pragma once
// What the data send form and the program update form share: the port,
// opened when the form opens and closed with it; the transfer running on
// its own thread; the busy state that keeps the buttons, the window's close
// button and Escape from acting while it runs; the closing message; and
// the progress on the main window's indicator.

#include "document/project_file.h" // FrameLoadProgress
#include "links/serial/transfer_protocol.h"

#include <QDialog>
#include <memory>

class Prompt;
class SerialTransferRunner;

class SerialTransferForm : public QDialog
{
    Q_OBJECT
public:
    // `clock` paces the transfers (the system clock when none is given).
    SerialTransferForm(Prompt &prompt, QWidget *parent = nullptr, std::shared_ptr<Clock> clock = {});
    ~SerialTransferForm() override;

    // Opens the chosen port. Without a name "NoAvailableCom" is shown, on
    // failure "OpenComFailure" with the name; the form stays open without a
    // port, and a transfer then fails at once with "ConnectionFailure".
    void openPort(const QString &portName);
    bool portOpen() const;

    void setProgress(FrameLoadProgress progress) { m_progress = std::move(progress); }

    // True from the start of a transfer until its message has been shown.
    bool busy() const { return m_busy; }

    // Cancel, Exit and Escape: the form closes only when no transfer runs,
    // since closing it closes the port under the transfer.
    void reject() override;

signals:
    void transferFinished(TransferResult result);

protected:
    void closeEvent(QCloseEvent *event) override;

    SerialTransferRunner &runner() { return *m_runner; }
    Prompt &prompt() { return m_prompt; }
    // Starts the transfer that `begin` hands to the runner.
    void startTransfer(const std::function<bool(SerialTransferRunner &)> &begin);
    // The buttons follow the busy state.
    virtual void busyChanged(bool busy) = 0;

private:
    void finish(TransferResult result);

    Prompt &m_prompt;
    std::unique_ptr<SerialTransferRunner> m_runner;
    FrameLoadProgress m_progress;
    bool m_busy = false;
};

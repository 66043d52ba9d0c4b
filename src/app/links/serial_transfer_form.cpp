#include "links/serial_transfer_form.h"

#include "serial/serial_port_link.h"
#include "serial/serial_transfer_runner.h"
#include "settings/prompt.h"

#include <QCloseEvent>

SerialTransferForm::SerialTransferForm(Prompt &prompt, QWidget *parent, std::shared_ptr<Clock> clock)
    : QDialog(parent), m_prompt(prompt), m_runner(std::make_unique<SerialTransferRunner>(nullptr, std::move(clock)))
{
    connect(m_runner.get(), &SerialTransferRunner::progress, this, [this](int position) {
        if (m_progress)
            m_progress(position);
    });
    connect(m_runner.get(), &SerialTransferRunner::finished, this, &SerialTransferForm::finish);
}

SerialTransferForm::~SerialTransferForm() = default;

void SerialTransferForm::openPort(const QString &portName)
{
    if (portName.isEmpty()) {
        m_prompt.inform(noPortText(), PromptIcon::Error);
        return;
    }
    if (!m_runner->openPort(portName))
        m_prompt.inform(openPortFailureText(portName), PromptIcon::Error);
}

bool SerialTransferForm::portOpen() const
{
    return m_runner->isPortOpen();
}

void SerialTransferForm::startTransfer(const std::function<bool(SerialTransferRunner &)> &begin)
{
    if (m_busy || !begin(*m_runner))
        return;
    m_busy = true;
    busyChanged(true);
}

void SerialTransferForm::finish(TransferResult result)
{
    const QString text = transferResultText(result);
    if (!text.isEmpty())
        m_prompt.inform(text, result == TransferResult::Success ? PromptIcon::Information : PromptIcon::Error);
    m_busy = false;
    busyChanged(false);
    emit transferFinished(result);
}

void SerialTransferForm::reject()
{
    if (!m_busy)
        QDialog::reject();
}

void SerialTransferForm::closeEvent(QCloseEvent *event)
{
    if (m_busy)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

#include "usb/usb_transfer_runner.h"

#include "links/usb/usb_link.h"
#include "settings/prompt.h"

#include <QMetaObject>

// The link's messages, said on the transfer thread, shown by the runner's
// thread. The link only ever informs.
class UsbRelayPrompt : public Prompt
{
public:
    explicit UsbRelayPrompt(UsbTransferRunner &runner) : m_runner(runner) {}
    void inform(const QString &text, PromptIcon, const QString &) override
    {
        QMetaObject::invokeMethod(&m_runner, [runner = &m_runner, text] { emit runner->message(text); },
                                  Qt::QueuedConnection);
    }
    PromptAnswer ask(const QString &, PromptButtons, PromptIcon, const QString &) override
    {
        return PromptAnswer::Cancel;
    }
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &, const QString &) override { return {}; }

private:
    UsbTransferRunner &m_runner;
};

UsbTransferRunner::UsbTransferRunner(TransportFactory makeTransport, QObject *parent) : QObject(parent)
{
    qRegisterMetaType<UsbJob>("UsbJob");
    m_prompt = std::make_unique<UsbRelayPrompt>(*this);
    m_thread.setObjectName(QStringLiteral("usb transfer"));
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, [this, make = std::move(makeTransport)] {
        m_transport = make();
        m_link = std::make_unique<UsbLink>(*m_transport, *m_prompt);
    }, Qt::BlockingQueuedConnection);
}

UsbTransferRunner::~UsbTransferRunner()
{
    m_stopping = true;
    QMetaObject::invokeMethod(m_worker, [this] {
        m_link.reset();
        m_transport.reset();
    }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
}

void UsbTransferRunner::post(std::function<void(UsbLink &)> job)
{
    QMetaObject::invokeMethod(m_worker, [this, job = std::move(job)] {
        if (!m_stopping)
            job(*m_link);
    }, Qt::QueuedConnection);
}

void UsbTransferRunner::waitForJobs()
{
    QMetaObject::invokeMethod(m_worker, [] {}, Qt::BlockingQueuedConnection);
}

void UsbTransferRunner::reopen(int selected)
{
    post([this, selected](UsbLink &link) {
        link.openLink(selected);
        QMetaObject::invokeMethod(this, [this, entries = link.entries()] { emit listed(entries); },
                                  Qt::QueuedConnection);
    });
}

void UsbTransferRunner::sendCommand(ControllerCommandCode code)
{
    post([code](UsbLink &link) { link.transferBlock(controllerCommand(code)); });
}

bool UsbTransferRunner::sendFrame(std::vector<uint8_t> payload)
{
    if (sendBusy())
        return false;
    ++m_pending;
    post([this, payload = std::move(payload)](UsbLink &link) {
        const UsbSendBusyScope busy(link);
        finish(UsbJob::Frame, link.transferPayload(payload) == UsbTransferResult::Success);
    });
    return true;
}

void UsbTransferRunner::sendParameters(const std::array<uint8_t, 16> &block)
{
    ++m_pending;
    post([this, block](UsbLink &link) {
        const UsbSendBusyScope busy(link);
        finish(UsbJob::Parameters, link.transferBlock(block) == UsbTransferResult::Success);
    });
}

void UsbTransferRunner::finish(UsbJob job, bool succeeded)
{
    QMetaObject::invokeMethod(this, [this, job, succeeded] {
        --m_pending;
        emit transferFinished(job, succeeded);
    }, Qt::QueuedConnection);
}

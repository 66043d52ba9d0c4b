#include "serial/serial_transfer_runner.h"

#include "serial/serial_port_link.h"

#include <QMetaObject>

SerialTransferRunner::SerialTransferRunner(QObject *parent, std::shared_ptr<Clock> clock)
    : QObject(parent), m_clock(clock ? std::move(clock) : std::make_shared<SystemClock>())
{
    qRegisterMetaType<TransferResult>("TransferResult");
    m_thread.setObjectName(QStringLiteral("serial transfer"));
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, [this] { m_link = std::make_unique<SerialPortLink>(); },
                              Qt::BlockingQueuedConnection);
}

SerialTransferRunner::~SerialTransferRunner()
{
    // A running transfer ends at its next send; then the port goes away on
    // the thread that used it.
    m_stop = true;
    QMetaObject::invokeMethod(m_worker, [this] { m_link.reset(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
}

bool SerialTransferRunner::openPort(const QString &portName, QString *reason)
{
    if (m_busy)
        return false;
    bool ok = false;
    QString why;
    QMetaObject::invokeMethod(m_worker, [&] { ok = m_link->open(portName, &why); },
                              Qt::BlockingQueuedConnection);
    m_portOpen = ok;
    if (reason)
        *reason = why;
    return ok;
}

bool SerialTransferRunner::startFrameSend(FrameSendPlan plan)
{
    return start([plan = std::move(plan)](Link &link, Clock &clock, const TransferCallbacks &callbacks) {
        return sendFrameData(link, clock, plan, callbacks);
    });
}

bool SerialTransferRunner::startProgramUpdate(std::vector<uint8_t> program)
{
    return start([program = std::move(program)](Link &link, Clock &clock, const TransferCallbacks &callbacks) {
        return sendProgram(link, clock, program, callbacks);
    });
}

bool SerialTransferRunner::start(Job job)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_stop = false;
    QMetaObject::invokeMethod(m_worker, [this, job = std::move(job)] {
        TransferCallbacks callbacks;
        callbacks.progress = [this](int position) { report(position); };
        callbacks.stopRequested = [this] { return m_stop.load(); };
        const TransferResult result = job(*m_link, *m_clock, callbacks);
        // Delivered on the runner's own thread; dropped if the runner is
        // already gone.
        QMetaObject::invokeMethod(this, [this, result] {
            m_busy = false;
            emit finished(result);
        }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
    return true;
}

void SerialTransferRunner::report(int position)
{
    QMetaObject::invokeMethod(this, [this, position] { emit progress(position); }, Qt::QueuedConnection);
}

#include "common/run_progress_dialog.h"

#include "settings/language.h"

#include <QProgressDialog>
#include <algorithm>
#include <climits>

RunProgressDialog::RunProgressDialog(QWidget *parent, const QString &label) : m_parent(parent), m_label(label) {}

RunProgressDialog::~RunProgressDialog()
{
    delete m_dialog;
}

QString RunProgressDialog::makingFramesText()
{
    return lookedUpText("Message", "RunMakingFrames", QStringLiteral("正在生成帧……"));
}

RunProgress RunProgressDialog::callback()
{
    return [this](int64_t made, int64_t expected) { return report(made, expected); };
}

bool RunProgressDialog::report(int64_t made, int64_t expected)
{
    if (m_cancelled)
        return false;
    if (!m_started) {
        // Made with the first frame, not before: checks and messages ahead
        // of the run may run an event loop, and no timer of the dialog may
        // show it there. Its clock starts now; it shows itself once the run
        // has lasted its minimum duration.
        m_started = true;
        m_dialog = new QProgressDialog(m_label, lookedUpText("Message", "RunCancel", QStringLiteral("取消")), 0,
                                       expected > 0 && expected <= INT_MAX ? int(expected) : 0, m_parent);
        m_dialog->setObjectName(QStringLiteral("RunProgressDialog"));
        m_dialog->setWindowTitle(QStringLiteral("Brightloom"));
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(minimumDurationMs);
        // The run decides when it is over; the dialog neither hides nor
        // forgets a cancel on its own when the bar is full.
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        m_dialog->setValue(0);
        m_sinceUpdate.start();
    }
    if (!m_dialog)
        return true;
    if (m_sinceUpdate.elapsed() < updateIntervalMs)
        return true;
    m_sinceUpdate.restart();
    const int maximum = m_dialog->maximum();
    // An unknown total shows a busy bar; its value still moves, so that the
    // dialog knows the run goes on.
    const int value = maximum > 0 ? int(std::min<int64_t>(made, maximum)) : int(std::min<int64_t>(made, INT_MAX));
    // Once the dialog is up, this also handles the pending events, the
    // Cancel button's click among them.
    m_dialog->setValue(value);
    if (m_dialog && m_dialog->wasCanceled())
        m_cancelled = true;
    return !m_cancelled;
}

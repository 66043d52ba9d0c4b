#include "patterns/pattern_run_progress.h"

#include "settings/language.h"

#include <algorithm>
#include <QProgressBar>
#include <QStatusBar>

PatternRunProgress::PatternRunProgress(QStatusBar *status, QProgressBar *bar) : m_status(status), m_bar(bar) {}

PatternRunProgress::~PatternRunProgress()
{
    if (!m_shown)
        return;
    if (m_status)
        m_status->clearMessage();
    if (m_bar) {
        m_bar->setValue(m_bar->minimum()); // as a finished frame load leaves it
        m_bar->repaint();
    }
}

PatternProgress PatternRunProgress::callback()
{
    return [this](int64_t made, int64_t expected) {
        show(int(made), int(expected));
        return true;
    };
}

void PatternRunProgress::show(int made, int expected)
{
    if (!m_status && !m_bar)
        return;
    // The run reports every frame; the status bar follows every few hundred
    // and at the end.
    if (made % kShowEvery != 0 && (expected <= 0 || made < expected))
        return;
    m_shown = true;
    if (m_status) {
        const QString text = expected > 0
                                 ? pairedText(QStringLiteral("Pattern: %1 of %2 frames").arg(made).arg(expected),
                                              QStringLiteral("花样：%1/%2帧").arg(made).arg(expected))
                                 : pairedText(QStringLiteral("Pattern: %1 frames").arg(made),
                                              QStringLiteral("花样：%1帧").arg(made));
        m_status->showMessage(text);
    }
    // The indicator keeps its own scale (the frame-load positions); the run
    // moves it in proportion.
    if (m_bar && expected > 0) {
        const qint64 span = qint64(m_bar->maximum()) - m_bar->minimum();
        m_bar->setValue(int(m_bar->minimum() + span * std::min(made, expected) / expected));
    }
    // Painted at once, without running the event loop: no timer or input
    // event may touch the document in the middle of a run.
    if (m_status)
        m_status->repaint();
    if (m_bar)
        m_bar->repaint();
}

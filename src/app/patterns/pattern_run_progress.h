#pragma once
// Progress of a long pattern run on the main window's status bar: the
// frames made so far as a message, and the status bar's progress indicator
// moved along its own scale and back to its minimum at the end.
// The run itself is synchronous; the status bar is repainted directly,
// without running the event loop.

#include "patterns/pattern_target.h"

#include <QPointer>

class QProgressBar;
class QStatusBar;

class PatternRunProgress
{
public:
    // Either may be null: the run then shows nothing there.
    PatternRunProgress(QStatusBar *status, QProgressBar *bar);
    ~PatternRunProgress();
    PatternRunProgress(const PatternRunProgress &) = delete;
    PatternRunProgress &operator=(const PatternRunProgress &) = delete;

    PatternProgress callback();

private:
    static constexpr int kShowEvery = 256;
    void show(int made, int expected);

    QPointer<QStatusBar> m_status;
    QPointer<QProgressBar> m_bar;
    bool m_shown = false;
};

#pragma once
// A long run's progress (a pattern, frame repetition, a repeated paste) in a
// dialog with a Cancel button. The dialog appears only when the run lasts
// (minimumDurationMs); Cancel stops the run after the frame in hand, and
// the frames made so far stay.
//
// The run itself stays on the GUI thread. Once the dialog is up, pending
// events are handled every updateIntervalMs so that Cancel can be clicked;
// the dialog is application-modal, so no other window takes input in the
// meantime and the run's document is not edited under it.

#include "document/run_progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QWidget>

class RunProgressDialog
{
public:
    // How long a run goes before the dialog shows itself, and how often the
    // shown dialog is brought up to date. Tests lower them to see the
    // dialog on a short run.
    static inline int minimumDurationMs = 300;
    static inline int updateIntervalMs = 30;

    RunProgressDialog(QWidget *parent, const QString &label);
    ~RunProgressDialog();
    RunProgressDialog(const RunProgressDialog &) = delete;
    RunProgressDialog &operator=(const RunProgressDialog &) = delete;

    // The listener a core run takes. It refers to this object: the run must
    // end before the object goes.
    RunProgress callback();
    bool wasCancelled() const { return m_cancelled; }

    // "Making frames..." in the active language.
    static QString makingFramesText();

private:
    bool report(int64_t made, int64_t expected);

    QPointer<QWidget> m_parent;
    QString m_label;
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_sinceUpdate;
    bool m_started = false;
    bool m_cancelled = false;
};

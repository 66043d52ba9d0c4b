#include "common/status_progress.h"

#include <QProgressBar>

void showProgressPosition(QProgressBar *bar, int position)
{
    if (!bar)
        return;
    // 0 ends the display: the indicator goes back to its minimum.
    bar->setValue(position <= 0 ? bar->minimum() : position);
    // The run goes on inside the command; paint the bar now rather than
    // when it is over.
    bar->repaint();
}

#pragma once
// The status bar's progress indicator during a run inside a command (a
// frame load, data generation): positions on the indicator's own scale, 0
// ends the display.

class QProgressBar;

void showProgressPosition(QProgressBar *bar, int position);

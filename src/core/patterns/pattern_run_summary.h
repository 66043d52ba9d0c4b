#pragma once
// The status-bar line after a pattern run: how many frames it added to the
// sequence and how many existing frames it changed.

#include <QString>

// "Added 780 frames", "Changed 12 frames", "Added 9 frames and changed 1"
// in the active language; empty when the run did nothing.
QString patternRunSummary(int added, int changed);

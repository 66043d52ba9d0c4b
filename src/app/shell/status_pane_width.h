#pragma once
// The width a status pane needs to show each of its texts whole, from the
// metrics of the pane's own font.

#include <QStringList>

class QLabel;

int statusPaneWidth(const QLabel &pane, const QStringList &texts);

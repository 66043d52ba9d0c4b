#pragma once
// The tool bar's icons, drawn at start so that they look the same with or
// without an icon theme.

#include <QIcon>

QIcon toolBarIcon(int commandId);

// The program's own icon: a small wall of lamps lit by a rainbow wave.
QIcon applicationIcon();

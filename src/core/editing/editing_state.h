#pragma once
// The switches of the operation panel that steer painting, the range
// operations and the pattern generator, and the program's frame clipboard.
// One for the program; the panel shows and sets them, the operations read
// them.

#include "editing/block_area.h"
#include "editing/frame_clipboard.h"

#include <QObject>

struct EditingState : QObject
{
    Q_OBJECT
public:
    BlockArea area;
    bool penEnabled = false;
    int colourAction = 0; // index of the colour action list
    int strokeSpread = 0; // 0 normal, 1 whole row, 2 whole column
    // How generated frames enter the sequence: 0 insert, 1 overwrite,
    // 2 current frame. Any entry but 0 also turns NewFrameCopiesCurrent on
    // (see setAddMode).
    int addMode = 0;
    FrameClipboard clipboard;

signals:
    // The block area was defined, moved, redrawn or cancelled by whoever
    // changed `area` (the document does not know of it): views showing the
    // block redraw.
    void areaChanged();
};

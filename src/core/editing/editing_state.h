#pragma once
// The switches of the operation panel that steer painting, the range
// operations and the pattern generator, and the program's frame clipboard.
// One for the program; the panel shows and sets them, the operations read
// them.

#include "editing/block_area.h"
#include "editing/colour_action.h"
#include "editing/editing_modes.h"
#include "editing/frame_clipboard.h"

#include <QObject>

struct EditingState : QObject
{
    Q_OBJECT
public:
    BlockArea area;
    bool penEnabled = false;
    ColourAction colourAction = ColourAction::Replace;
    StrokeSpread strokeSpread = StrokeSpread::Point;
    // How generated frames enter the sequence. Any mode but Insert also
    // turns NewFrameCopiesCurrent on (see setAddMode).
    AddMode addMode = AddMode::Insert;
    FrameClipboard clipboard;

signals:
    // The block area was defined, moved, redrawn or cancelled by whoever
    // changed `area` (the document does not know of it): views showing the
    // block redraw.
    void areaChanged();
};

#pragma once
// The switches of the operation panel that steer painting, the range
// operations and the pattern generator, the program's frame clipboard, and
// which history Edit > Undo acts on. One for the program; the panel shows
// and sets them, the operations read them.

#include "editing/block_area.h"
#include "editing/colour_action.h"
#include "editing/editing_modes.h"
#include "editing/frame_clipboard.h"
#include "editing/page_history.h"

#include <QObject>
#include <QPointer>

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
    // The history of the current tool page when it has one; null: the
    // frames' history.
    QPointer<PageHistory> pageHistory;

    // The current page offers its history (or null when it has none).
    void setPageHistory(PageHistory *history)
    {
        if (pageHistory == history)
            return;
        QObject::disconnect(m_pageHistoryConnection);
        pageHistory = history;
        if (history)
            m_pageHistoryConnection = connect(history, &PageHistory::changed, this, &EditingState::pageHistoryChanged);
        emit pageHistoryChanged();
    }

signals:
    // The block area was defined, moved, redrawn or cancelled by whoever
    // changed `area` (the document does not know of it): views showing the
    // block redraw.
    void areaChanged();
    // Another page's history (or the frames') is now the one Edit > Undo
    // acts on, or the page's history gained or lost a step.
    void pageHistoryChanged();

private:
    QMetaObject::Connection m_pageHistoryConnection;
};

#pragma once
// The state behind the wiring page: the edit mode, the port box, the drag,
// the remembered pixel of two-click operations, the clipboard, the undo
// stack and the selection. The page's buttons and the canvas in wiring
// mode call into it; it edits the bound document's Wiring and talks to the
// user only through the Prompt and its status signal.

#include "document/document.h"
#include "wiring/fill_order.h"
#include "wiring/wiring_clipboard.h"
#include "wiring/wiring_rect.h"
#include "wiring/wiring_undo_stack.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class Prompt;

enum class WiringEditMode { Define = 0, Copy = 1, DeleteZone = 2, Paste = 3, MovePixel = 4, InsertPixel = 5 };

// The buttons of the first two small tool bars; at most one is pressed.
enum class WiringToolButton { None = -1, MovePixel = 0, InsertPixel = 1, CopySelection = 2,
                              Second1 = 3, Second2 = 4, Second3 = 5, Second4 = 6 };

struct WiringKeys
{
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

class WiringEditor : public QObject
{
    Q_OBJECT
public:
    static constexpr int kNoAnchor = -100;

    explicit WiringEditor(Prompt &prompt, QObject *parent = nullptr);
    ~WiringEditor() override;

    // --- binding -------------------------------------------------------------
    // Entering wiring mode: the document's wiring becomes LED circuitry and
    // the page's, the port box goes to 1 and the status bar explains the
    // modifiers.
    void enterWiringMode(Document &doc);
    void bind(Document *doc);
    Document *document() const { return m_doc; }
    Wiring *wiring() const;
    // The circuitry this page edits (LED).
    CircuitryKind pageKind() const { return CircuitryKind::Led; }

    // --- port box (1-based, as the user sees it) -------------------------------
    int portBox() const { return m_portBox; }
    // 0 in wiring mode is refused with a message and the focus goes back to
    // the box; values are kept within 0..kMaxWiringPorts.
    void setPortBox(int value);

    // --- mouse, in grid cells ---------------------------------------------------
    void press(QPoint cell, WiringKeys keys);
    void dragTo(QPoint cell);
    void release(QPoint cell, WiringKeys keys);
    void rightPress();
    bool isDragging() const { return m_dragging; }
    QPoint anchor() const { return m_anchor; }
    QPoint current() const { return m_current; }
    // "X:%d,Y:%d,W:%d,H:%d" of the drag in progress.
    QString rubberText() const;
    // Port and pixel of the record on `cell`, for the third status pane;
    // empty over an unwired cell.
    QString cellText(QPoint cell) const;

    // --- buttons ------------------------------------------------------------------
    void chooseTool(WiringToolButton button);
    WiringToolButton pressedTool() const { return m_pressedTool; }
    void copyButton();
    void pasteButton();
    void deleteButton();
    void resetButton();
    void undoButton();
    void saveButton();
    void openButton();
    // What "打开" does once a file is chosen (also a wiring given on the
    // command line): reads the .line file into the bound document's wiring,
    // telling the user what was wrong. Returns whether the wiring was
    // replaced.
    bool openFile(const QString &path);

    // --- state ---------------------------------------------------------------------
    WiringEditMode mode() const { return m_mode; }
    // The first click of a copy or an insert; (-1, -1) when none.
    QPoint rememberedCell() const { return m_remembered; }
    const WiringClipboard &clipboard() const { return m_clipboard; }
    WiringUndoStack &undoStack() { return m_undo; }
    const WiringRect &selection() const { return m_selection; }
    int fillCode() const { return m_fillCode; }

signals:
    void statusMessage(const QString &text);
    // Mode, pressed buttons, port box or remembered pixel changed.
    void stateChanged();
    // An undo step was added or taken, or the steps were dropped.
    void undoChanged();
    void focusCanvas();
    void focusPortBox();

private:
    // The removal notice of the bound wiring (and a new binding).
    void dropReferences();
    void releaseButtons();
    void setMode(WiringEditMode m);
    // Records changed: the display redraws and the wiring is marked as
    // having unsaved changes.
    void recordsEdited();
    // Only the display changed (mode, remembered pixel, drag): nothing is
    // marked.
    void redraw();
    void onGeometryChanged();

    void define(QPoint release, WiringKeys keys);
    void copyClick(QPoint cell);
    void deleteZone(const WiringRect &r);
    void movePixelTo(QPoint target);
    void insertClick(QPoint cell);
    void pasteAt(QPoint cell, WiringKeys keys);
    void clearWiring();

    Prompt &m_prompt;
    QPointer<Document> m_doc;
    QMetaObject::Connection m_geometryConnection;
    int m_rows = 0;
    int m_cols = 0;

    int m_portBox = 1;
    WiringEditMode m_mode = WiringEditMode::Define;
    WiringToolButton m_pressedTool = WiringToolButton::None;
    bool m_dragging = false;
    QPoint m_anchor{kNoAnchor, kNoAnchor};
    QPoint m_current{kNoAnchor, kNoAnchor};
    // Held as a cell; the record is looked up when it is used.
    QPoint m_remembered{-1, -1};
    WiringClipboard m_clipboard;
    WiringUndoStack m_undo;
    WiringRect m_selection;
    int m_fillCode = 0;
};

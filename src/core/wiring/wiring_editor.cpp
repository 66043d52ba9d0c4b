#include "wiring/wiring_editor.h"

#include "document/document.h"
#include "document/save_suggestion.h"
#include "settings/prompt.h"
#include "wiring/wiring_document_files.h"
#include "wiring/wiring_files.h"
#include "wiring/wiring_operations.h"
#include "wiring/wiring_texts.h"

#include <algorithm>

WiringEditor::WiringEditor(Prompt &prompt, QObject *parent) : QObject(parent), m_prompt(prompt) {}

WiringEditor::~WiringEditor()
{
    if (m_doc)
        m_doc->wiring().setRemovalListener({});
}

// --- binding ---------------------------------------------------------------------

void WiringEditor::enterWiringMode(Document &doc)
{
    bind(&doc);
    doc.wiring().setKind(CircuitryKind::Led);
    m_portBox = 1;
    emit stateChanged();
    emit statusMessage(WiringText::enterWiringMode());
}

void WiringEditor::bind(Document *doc)
{
    if (doc == m_doc)
        return;
    disconnect(m_geometryConnection);
    if (m_doc)
        m_doc->wiring().setRemovalListener({});
    // Positions in another document's list mean nothing here.
    dropReferences();
    m_undo.clear();
    emit undoChanged();
    m_doc = doc;
    m_rows = doc ? doc->wiring().rows() : 0;
    m_cols = doc ? doc->wiring().cols() : 0;
    m_selection = WiringRect::wholeGrid(m_rows, m_cols);
    if (doc) {
        m_geometryConnection = connect(doc, &Document::geometryChanged, this, &WiringEditor::onGeometryChanged);
        // Whoever removes records (this editor, the circuitry check, a
        // transform, a new grid), the references go in this one place.
        doc->wiring().setRemovalListener([this] { dropReferences(); });
    }
}

Wiring *WiringEditor::wiring() const
{
    return m_doc ? &m_doc->wiring() : nullptr;
}

void WiringEditor::onGeometryChanged()
{
    // Rectangles and undo files belong to the old grid (the clipboard went
    // with the records the new grid cleared).
    if (!m_doc || (m_doc->wiring().rows() == m_rows && m_doc->wiring().cols() == m_cols))
        return;
    m_rows = m_doc->wiring().rows();
    m_cols = m_doc->wiring().cols();
    m_undo.clear();
    m_selection = WiringRect::wholeGrid(m_rows, m_cols);
    m_dragging = false;
    emit undoChanged();
    emit stateChanged();
}

void WiringEditor::dropReferences()
{
    // The clipboard and the remembered pixel point into the list; once
    // records have left it they may point at other records or past its end.
    m_clipboard.clear();
    m_remembered = QPoint(-1, -1);
}

void WiringEditor::recordsEdited()
{
    if (m_doc)
        m_doc->wiringEdited();
}

void WiringEditor::redraw()
{
    // Only what the display shows around the records changed (the drag
    // ended, a pixel is remembered, another mode): nothing to save.
    emit stateChanged();
}

void WiringEditor::releaseButtons()
{
    m_pressedTool = WiringToolButton::None;
}

void WiringEditor::setMode(WiringEditMode m)
{
    m_mode = m;
}

// --- port box ------------------------------------------------------------------------

void WiringEditor::setPortBox(int value)
{
    m_portBox = std::clamp(value, 0, kMaxWiringPorts);
    if (m_portBox == 0 && m_doc) {
        m_prompt.inform(WiringText::portZero(), PromptIcon::Error);
        emit focusPortBox();
    }
    emit stateChanged();
}

// --- mouse -----------------------------------------------------------------------------

void WiringEditor::press(QPoint cell, WiringKeys keys)
{
    if (!m_doc)
        return;
    if (m_mode == WiringEditMode::Paste) {
        pasteAt(cell, keys);
        return;
    }
    if (cell.x() < 0)
        cell.setX(0);
    m_anchor = cell;
    m_current = cell;
    m_dragging = true;
}

void WiringEditor::dragTo(QPoint cell)
{
    if (m_dragging)
        m_current = cell;
}

QString WiringEditor::rubberText() const
{
    return WiringText::rubberRectangle(m_anchor.x() + 1, m_anchor.y() + 1, m_current.x() - m_anchor.x(),
                                       m_current.y() - m_anchor.y());
}

QString WiringEditor::cellText(QPoint cell) const
{
    const Wiring *w = wiring();
    if (!w)
        return QString();
    const int i = w->indexAt(cell.x(), cell.y());
    if (i < 0)
        return QString();
    const WiringPixel &p = w->pixel(i);
    if (w->kind() != CircuitryKind::Neon)
        return WiringText::cellAssignment(p.port + 1, p.pixel + 1);
    QString text;
    if (p.neonRed)
        text += QStringLiteral("Red:%1-%2,").arg(p.neonRedPort).arg(p.neonRedIndex);
    if (p.neonGreen)
        text += QStringLiteral("Green:%1-%2,").arg(p.neonGreenPort).arg(p.neonGreenIndex);
    if (p.neonBlue)
        text += QStringLiteral(" Blue:%1-%2").arg(p.neonBluePort).arg(p.neonBlueIndex);
    return text;
}

void WiringEditor::release(QPoint cell, WiringKeys keys)
{
    if (!m_doc || !m_dragging)
        return;
    m_dragging = false;
    m_current = cell;
    const Wiring &w = m_doc->wiring();
    const std::optional<WiringRect> rect = dragRectangle(m_anchor, cell, w.rows(), w.cols());
    if (!rect) {
        redraw(); // a click outside the grid
        return;
    }
    const bool singleCell = cell == m_anchor;
    switch (m_mode) {
    case WiringEditMode::Copy:
        if (singleCell)
            copyClick(cell);
        break;
    case WiringEditMode::DeleteZone:
        m_selection = *rect;
        deleteZone(*rect);
        break;
    case WiringEditMode::MovePixel:
        movePixelTo(cell);
        break;
    case WiringEditMode::InsertPixel:
        if (singleCell)
            insertClick(cell);
        break;
    case WiringEditMode::Define:
        m_selection = *rect;
        define(cell, keys);
        break;
    case WiringEditMode::Paste:
        break;
    }
    emit stateChanged();
}

void WiringEditor::rightPress()
{
    if (m_mode == WiringEditMode::Define)
        return;
    // Back to definition: a half-done copy or insert is given up, but the
    // clipboard stays (no record left the list), ready for the next paste.
    m_remembered = QPoint(-1, -1);
    releaseButtons();
    setMode(WiringEditMode::Define);
    m_dragging = false;
    m_anchor = QPoint(kNoAnchor, kNoAnchor);
    m_current = m_anchor;
    redraw();
}

// --- the release operations ----------------------------------------------------------------

void WiringEditor::define(QPoint release, WiringKeys keys)
{
    Wiring &w = m_doc->wiring();
    const WiringModifier modifier = wiringModifier(keys.ctrl, keys.shift, keys.alt);
    m_fillCode = fillOrderFor(modifier, dragDirection(m_anchor, release));
    if (w.kind() != CircuitryKind::Led)
        return;
    if (m_portBox < 1) {
        m_prompt.inform(WiringText::portZero(), PromptIcon::Error);
        emit focusPortBox();
        return;
    }
    const int port = m_portBox - 1;
    std::optional<DefinitionResult> done = defineRectangle(w, port, m_anchor, release, modifier);
    if (!done)
        return;
    m_undo.pushRectangle(done->rect, port, std::move(done->addedRecords));
    emit undoChanged();
    recordsEdited();
}

void WiringEditor::copyClick(QPoint cell)
{
    Wiring &w = m_doc->wiring();
    m_clipboard.clear();
    const int b = w.indexAt(cell.x(), cell.y());
    if (b < 0)
        return;
    const int a = m_remembered.x() >= 0 ? w.indexAt(m_remembered.x(), m_remembered.y()) : -1;
    if (a < 0) {
        m_remembered = cell;
        redraw();
        return;
    }
    if (a == b || w.pixel(a).port != w.pixel(b).port)
        return; // the first click stays remembered
    m_clipboard.records = chainRun(w, a, b);
    m_clipboard.bounds = boundingRect(w, m_clipboard.records);
    if (!m_clipboard.isEmpty())
        m_selection = m_clipboard.bounds;
    m_remembered = QPoint(-1, -1);
    if (m_clipboard.isEmpty()) {
        m_prompt.inform(WiringText::clipboardEmpty(), PromptIcon::Error);
        return;
    }
    setMode(WiringEditMode::Paste);
    releaseButtons();
    redraw();
}

void WiringEditor::deleteZone(const WiringRect &r)
{
    const PromptAnswer answer = m_prompt.ask(
        WiringText::deleteZoneQuestion(r.left + 1, r.top + 1, r.right + 1, r.bottom + 1), PromptButtons::OkCancel,
        PromptIcon::Question);
    if (answer != PromptAnswer::Ok)
        return;
    Wiring &w = m_doc->wiring();
    if (m_undo.pushSnapshot(w.pixels()))
        emit undoChanged();
    else if (m_prompt.ask(WiringText::snapshotFailedQuestion(), PromptButtons::YesNo, PromptIcon::Warning)
             != PromptAnswer::Yes)
        return;
    if (removeRecordsInRect(w, r) > 0) {
        if (w.kind() == CircuitryKind::Led)
            renumberChains(w);
        recordsEdited();
    }
    emit focusCanvas();
}

void WiringEditor::movePixelTo(QPoint target)
{
    if (movePixel(m_doc->wiring(), m_anchor, target))
        recordsEdited();
}

void WiringEditor::insertClick(QPoint cell)
{
    Wiring &w = m_doc->wiring();
    if (w.isWired(cell.x(), cell.y())) {
        m_remembered = cell;
        redraw();
        return;
    }
    if (m_remembered.x() < 0)
        return;
    const int after = w.indexAt(m_remembered.x(), m_remembered.y());
    const int added = insertPixelAfter(w, after, cell);
    if (added < 0)
        return;
    // The clipboard refers to records by their place in the list.
    for (int &i : m_clipboard.records)
        if (i >= added)
            ++i;
    m_remembered = QPoint(-1, -1);
    releaseButtons();
    setMode(WiringEditMode::Define);
    recordsEdited();
}

void WiringEditor::pasteAt(QPoint cell, WiringKeys keys)
{
    Wiring &w = m_doc->wiring();
    if (m_clipboard.isEmpty()) {
        m_prompt.inform(WiringText::clipboardEmpty(), PromptIcon::Error);
        return;
    }
    if (m_portBox < 1) {
        m_prompt.inform(WiringText::portZero(), PromptIcon::Error);
        emit focusPortBox();
        return;
    }
    const int port = m_portBox - 1;
    WiringPasteResult r = pasteClipboard(w, m_clipboard, cell, port, keys.ctrl, keys.shift);
    switch (r.outcome) {
    case PasteOutcome::MultiplePorts:
        m_prompt.inform(WiringText::multiplePorts(), PromptIcon::Error);
        return;
    case PasteOutcome::TargetTaken:
        m_prompt.inform(WiringText::pasteTargetTaken(), PromptIcon::Error);
        return;
    case PasteOutcome::Empty:
    case PasteOutcome::OutsideGrid:
        return;
    case PasteOutcome::Pasted:
        break;
    }
    m_undo.pushRectangle(r.target, port, std::move(r.addedRecords));
    emit undoChanged();
    recordsEdited();
}

// --- buttons ---------------------------------------------------------------------------------

void WiringEditor::chooseTool(WiringToolButton button)
{
    m_remembered = QPoint(-1, -1);
    releaseButtons();
    switch (button) {
    case WiringToolButton::MovePixel:
        setMode(WiringEditMode::MovePixel);
        break;
    case WiringToolButton::InsertPixel:
        setMode(WiringEditMode::InsertPixel);
        break;
    case WiringToolButton::CopySelection:
        setMode(WiringEditMode::Copy);
        break;
    default:
        break; // the second bar's buttons only show themselves pressed
    }
    m_pressedTool = button;
    redraw();
}

void WiringEditor::copyButton()
{
    const Wiring *w = wiring();
    if (w && w->kind() == CircuitryKind::Neon) {
        m_prompt.inform(WiringText::neonHasNoCopy(), PromptIcon::Error);
        return;
    }
    m_remembered = QPoint(-1, -1);
    setMode(WiringEditMode::Copy);
    emit statusMessage(WiringText::copyStatus());
    emit stateChanged();
}

void WiringEditor::pasteButton()
{
    if (m_clipboard.isEmpty()) {
        m_prompt.inform(WiringText::clipboardEmpty(), PromptIcon::Error);
        return;
    }
    setMode(WiringEditMode::Paste);
    emit statusMessage(WiringText::pasteStatus());
    emit stateChanged();
}

void WiringEditor::deleteButton()
{
    m_remembered = QPoint(-1, -1);
    releaseButtons();
    setMode(WiringEditMode::DeleteZone);
    emit stateChanged();
}

void WiringEditor::clearWiring()
{
    m_doc->wiring().clear();
    m_selection = WiringRect::wholeGrid(m_doc->wiring().rows(), m_doc->wiring().cols());
    m_undo.clear();
    emit undoChanged();
}

void WiringEditor::resetButton()
{
    if (!m_doc)
        return;
    const bool hadRecords = m_doc->wiring().count() > 0;
    clearWiring();
    if (hadRecords)
        recordsEdited();
    emit stateChanged();
}

void WiringEditor::undoButton()
{
    if (!m_doc || m_undo.isEmpty()) {
        m_prompt.inform(WiringText::nothingToUndo(), PromptIcon::Information);
        return;
    }
    Wiring &w = m_doc->wiring();
    const WiringUndoEntry entry = m_undo.top();
    if (!entry.isFile()) {
        // The records it added, wherever a move has put them since; an
        // older record now on one of its cells stays.
        w.removeRecords(entry.addedRecords);
        m_undo.pop();
        emit undoChanged();
        recordsEdited();
        return;
    }
    // The whole snapshot is read before anything is cleared: a missing or
    // damaged file leaves the wiring as it is.
    UndoReadResult read = m_undo.readFile(entry.fileNumber());
    m_undo.pop();
    emit undoChanged();
    if (!read.content || read.content->incomplete()) {
        m_prompt.inform(WiringText::undoFileUnusable(), PromptIcon::Error);
        return;
    }
    std::vector<WiringPixel> records = std::move(read.content->records);
    const int dropped = dropImplausibleRecords(records, w.rows(), w.cols());
    w.assign(std::move(records));
    recordsEdited();
    if (dropped > 0)
        m_prompt.inform(WiringText::recordsSkipped(dropped), PromptIcon::Warning);
}

void WiringEditor::saveButton()
{
    if (!m_doc || m_doc->wiring().count() == 0) {
        m_prompt.inform(WiringText::noLineData(), PromptIcon::Error);
        return;
    }
    const QString path = m_prompt.chooseSaveFile(QString(), lineFileFilter(),
                                                 saveSuggestion(*m_doc, QStringLiteral("line")), QStringLiteral("line"));
    if (path.isEmpty())
        return;
    if (saveWiringFile(*m_doc, path, m_prompt))
        emit focusCanvas();
}

void WiringEditor::openButton()
{
    if (!m_doc) {
        m_prompt.inform(WiringText::suddennessError(), PromptIcon::Error);
        return;
    }
    const QString path = m_prompt.chooseOpenFile(QString(), lineFileFilter());
    if (path.isEmpty())
        return;
    if (openFile(path))
        emit focusCanvas();
}

bool WiringEditor::openFile(const QString &path)
{
    if (!m_doc || !loadWiringFile(*m_doc, path, m_prompt, true))
        return false;
    // Rectangles and undo steps were about the records that went.
    m_selection = WiringRect::wholeGrid(m_doc->wiring().rows(), m_doc->wiring().cols());
    m_undo.clear();
    emit undoChanged();
    emit stateChanged();
    return true;
}

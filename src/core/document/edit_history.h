#pragma once
// The undo history of a document: a QUndoStack whose entries are the
// records FrameEdit makes, one per edit. Its stored bytes are counted;
// past the limit (settings key "UndoMemoryMB") the oldest entries are let
// go. Its clean state is the document's modified mark: saving marks it
// clean, and undoing back to that point clears the mark again.

#include <QObject>
#include <QUndoStack>

#include <cstdint>
#include <memory>

class Document;
class Prompt;
struct EditRecord;

class EditHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultLimitMegabytes = 1024;

    explicit EditHistory(Document &doc);
    ~EditHistory() override;

    // For the Edit > History view.
    QUndoStack &stack() { return m_stack; }

    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    // The names of the entries undo and redo would take, in the language in
    // use; empty when there is none.
    QString undoName() const;
    QString redoName() const;
    // Whether they add or remove frames or change the grid's shape (playback
    // stops first).
    bool undoChangesFrameList() const;
    bool redoChangesFrameList() const;
    void undo();
    void redo();
    int count() const { return m_stack.count(); }
    int index() const { return m_stack.index(); }

    // The bytes of colours and frames the entries hold.
    int64_t bytes() const;
    int64_t limitBytes() const { return m_limit; }
    void setLimitMegabytes(int megabytes);
    int limitMegabytes() const { return int(m_limit >> 20); }
    // Who hears, once, that an edit was too large to undo.
    void setPrompt(Prompt *prompt) { m_prompt = prompt; }

    // New and Open: nothing to undo, and clean.
    void clear();
    // An edit the history did not see: nothing before it can be undone, and
    // the document stays modified until it is saved.
    void forget();
    // An edit larger than the limit: as forget(), and the user is told the
    // first time.
    void editTooLarge();
    bool isClean() const { return m_stack.isClean(); }
    void markClean();
    void markChanged();
    // The entries' names anew after a switch of language.
    void retext();

    // Takes the record of a finished edit (FrameEdit does this).
    void push(std::unique_ptr<EditRecord> record);

    Document &document() { return m_doc; }
    // While entries are put back after letting the oldest go, they neither
    // run nor join.
    bool rebuilding() const { return m_rebuilding; }

signals:
    // The entries, the position in them or their names changed.
    void changed();
    void cleanChanged(bool clean);

private:
    void enforceLimit();
    void syncClean();

    Document &m_doc;
    QUndoStack m_stack;
    Prompt *m_prompt = nullptr;
    int64_t m_limit = int64_t(kDefaultLimitMegabytes) << 20;
    bool m_rebuilding = false;
    bool m_told = false;
    bool m_lastClean = true;
    int m_keyLetGo = 0; // the stroke that outgrew the limit
};

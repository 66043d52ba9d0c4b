#include "document/edit_history.h"

#include "document/document.h"
#include "document/edit_record.h"
#include "settings/prompt.h"

#include <algorithm>
#include <vector>

namespace {

class EditCommand : public QUndoCommand
{
public:
    EditCommand(EditHistory &history, std::unique_ptr<EditRecord> record)
        : m_history(history), m_record(std::move(record)), m_bytes(m_record->bytes())
    {
        setText(m_record->name.text());
    }

    // The edit is already done when its entry is pushed.
    void redo() override
    {
        if (m_skipRedo || m_history.rebuilding()) {
            m_skipRedo = false;
            return;
        }
        m_record->redo(m_history.document());
        m_bytes = m_record->bytes();
    }
    void undo() override
    {
        if (m_history.rebuilding())
            return;
        m_record->undo(m_history.document());
        m_bytes = m_record->bytes();
    }
    int id() const override { return m_record->mergeKey != 0 && !m_history.rebuilding() ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        auto *later = static_cast<const EditCommand *>(other);
        if (!m_record->merge(*later->m_record))
            return false;
        m_bytes = m_record->bytes();
        return true;
    }
    // What the entry holds, counted when it last changed (a stroke asks at
    // every visit).
    size_t bytes() const { return m_bytes; }

    EditRecord &record() { return *m_record; }
    const EditRecord &record() const { return *m_record; }
    std::unique_ptr<EditRecord> takeRecord() { return std::move(m_record); }
    void retext() { setText(m_record->name.text()); }

private:
    EditHistory &m_history;
    std::unique_ptr<EditRecord> m_record;
    size_t m_bytes;
    bool m_skipRedo = true;
};

EditCommand *entry(const QUndoStack &stack, int i)
{
    return const_cast<EditCommand *>(static_cast<const EditCommand *>(stack.command(i)));
}

} // namespace

EditHistory::EditHistory(Document &doc) : QObject(nullptr), m_doc(doc)
{
    connect(&m_stack, &QUndoStack::cleanChanged, this, [this] {
        if (!m_rebuilding)
            syncClean();
    });
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] {
        if (!m_rebuilding)
            emit changed();
    });
}

EditHistory::~EditHistory()
{
    m_stack.disconnect(this);
}

QString EditHistory::undoName() const { return canUndo() ? m_stack.undoText() : QString(); }

QString EditHistory::redoName() const { return canRedo() ? m_stack.redoText() : QString(); }

bool EditHistory::undoChangesFrameList() const
{
    return canUndo() && entry(m_stack, m_stack.index() - 1)->record().changesFrameList();
}

bool EditHistory::redoChangesFrameList() const
{
    return canRedo() && entry(m_stack, m_stack.index())->record().changesFrameList();
}

void EditHistory::undo()
{
    m_stack.undo();
    emit changed();
}

void EditHistory::redo()
{
    m_stack.redo();
    emit changed();
}

int64_t EditHistory::bytes() const
{
    int64_t n = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        n += int64_t(entry(m_stack, i)->bytes());
    return n;
}

void EditHistory::setLimitMegabytes(int megabytes)
{
    m_limit = int64_t(std::max(megabytes, 0)) << 20;
    enforceLimit();
}

void EditHistory::clear()
{
    m_stack.clear();
    syncClean();
    emit changed();
}

void EditHistory::forget()
{
    m_rebuilding = true;
    m_stack.clear();
    m_stack.resetClean();
    m_rebuilding = false;
    syncClean();
    emit changed();
}

void EditHistory::editTooLarge()
{
    forget();
    // A limit of 0 turns undo off: that needs no telling.
    if (m_told || !m_prompt || m_limit == 0)
        return;
    m_told = true;
    m_prompt->inform(undoTooLargeText(limitMegabytes()), PromptIcon::Information);
}

void EditHistory::markClean() { m_stack.setClean(); }

void EditHistory::markChanged()
{
    if (m_stack.isClean())
        m_stack.resetClean();
}

void EditHistory::retext()
{
    for (int i = 0; i < m_stack.count(); ++i)
        entry(m_stack, i)->retext();
    emit changed();
}

void EditHistory::push(std::unique_ptr<EditRecord> record)
{
    // The rest of a stroke that outgrew the limit goes without undo too:
    // an entry for only its end would take back half a stroke.
    const int key = record->mergeKey;
    if (key != 0 && key == m_keyLetGo) {
        forget();
        return;
    }
    m_stack.push(new EditCommand(*this, std::move(record)));
    // A stroke grows by joining: once its one entry outgrows the limit, it
    // cannot be kept.
    if (m_stack.count() > 0 && int64_t(entry(m_stack, m_stack.count() - 1)->bytes()) > m_limit) {
        m_keyLetGo = key;
        editTooLarge();
        return;
    }
    enforceLimit();
    emit changed();
}

void EditHistory::syncClean()
{
    const bool clean = m_stack.isClean();
    if (clean == m_lastClean)
        return;
    m_lastClean = clean;
    emit cleanChanged(clean);
}

void EditHistory::enforceLimit()
{
    const int count = m_stack.count();
    if (count == 0)
        return;
    std::vector<int64_t> sizes;
    int64_t total = 0;
    for (int i = 0; i < count; ++i) {
        sizes.push_back(int64_t(entry(m_stack, i)->bytes()));
        total += sizes.back();
    }
    if (total <= m_limit)
        return;
    // The oldest entries go first; the newest always stays (an edit larger
    // than the limit alone never got this far).
    int drop = 0;
    while (total > m_limit && drop < count - 1) {
        total -= sizes[size_t(drop)];
        ++drop;
    }
    const int index = m_stack.index();
    const int clean = m_stack.cleanIndex();
    std::vector<std::unique_ptr<EditRecord>> kept;
    for (int i = drop; i < count; ++i)
        kept.push_back(entry(m_stack, i)->takeRecord());

    // QUndoStack lets go of nothing but its whole list: it is filled again
    // with the entries kept, without running them.
    m_rebuilding = true;
    m_stack.clear();
    for (size_t i = 0; i < kept.size(); ++i) {
        m_stack.push(new EditCommand(*this, std::move(kept[i])));
        if (clean == drop + int(i) + 1)
            m_stack.setClean();
    }
    if (clean < drop)
        m_stack.resetClean();
    m_stack.setIndex(std::max(index - drop, 0));
    m_rebuilding = false;
    syncClean();
    emit changed();
}

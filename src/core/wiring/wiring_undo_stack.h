#pragma once
// The wiring editor's undo: newest entry first. A rectangle entry records a
// definition or a paste together with the cells it wired; a file entry
// (n, -1, -1, -1) records that the whole wiring was saved to undo file n
// before a zone deletion. Undo files live in a folder private to this run
// (created on first use) and go with it when the stack is destroyed.

#include "document/wiring.h"
#include "wiring/wiring_files.h"
#include "wiring/wiring_rect.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QTemporaryDir;

struct WiringUndoEntry
{
    // Rectangle entry: left, top, right, bottom with right >= 0.
    // File entry: n, -1, -1, -1.
    WiringRect rect;
    int port = 0;
    // Rectangle entries: identities of the records they added.
    std::vector<uint64_t> addedRecords;

    bool isFile() const { return rect.right < 0; }
    int fileNumber() const { return rect.left; }
};

class WiringUndoStack
{
public:
    WiringUndoStack();
    ~WiringUndoStack();
    WiringUndoStack(const WiringUndoStack &) = delete;
    WiringUndoStack &operator=(const WiringUndoStack &) = delete;

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const WiringUndoEntry &top() const { return m_entries.back(); }
    const WiringUndoEntry &entry(int fromTop) const { return m_entries[m_entries.size() - 1 - size_t(fromTop)]; }

    void pushRectangle(const WiringRect &r, int port, std::vector<uint64_t> addedRecords);
    // Saves `records` to undo file n = count() and pushes its file entry.
    // False, with nothing pushed, when the file cannot be written.
    bool pushSnapshot(const std::vector<WiringPixel> &records);
    void pop();
    // Drops every entry; the files stay until the stack goes.
    void clear() { m_entries.clear(); }

    // "Design%d.undo" in the private folder; empty when no folder could
    // be made.
    QString filePath(int n);
    UndoReadResult readFile(int n);

private:
    std::vector<WiringUndoEntry> m_entries;
    std::unique_ptr<QTemporaryDir> m_folder;
};

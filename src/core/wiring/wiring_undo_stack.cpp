#include "wiring/wiring_undo_stack.h"

#include <QDir>
#include <QTemporaryDir>

WiringUndoStack::WiringUndoStack() = default;
WiringUndoStack::~WiringUndoStack() = default;

void WiringUndoStack::pushRectangle(const WiringRect &r, int port, std::vector<uint64_t> addedRecords)
{
    WiringUndoEntry e;
    e.rect = r;
    e.port = port;
    e.addedRecords = std::move(addedRecords);
    m_entries.push_back(std::move(e));
}

bool WiringUndoStack::pushSnapshot(const std::vector<WiringPixel> &records)
{
    const int n = count();
    const QString path = filePath(n);
    if (path.isEmpty() || !writeUndoFile(path, records))
        return false;
    WiringUndoEntry e;
    e.rect = {n, -1, -1, -1};
    m_entries.push_back(std::move(e));
    return true;
}

void WiringUndoStack::pop()
{
    if (!m_entries.empty())
        m_entries.pop_back();
}

QString WiringUndoStack::filePath(int n)
{
    // A folder of our own, not a fixed name in the shared temporary folder
    // that another user could have prepared.
    if (!m_folder)
        m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/brightloom-wiring-XXXXXX"));
    if (!m_folder->isValid())
        return QString();
    return m_folder->filePath(QStringLiteral("Design%1.undo").arg(n));
}

UndoReadResult WiringUndoStack::readFile(int n)
{
    const QString path = filePath(n);
    if (path.isEmpty()) {
        UndoReadResult r;
        r.error = WiringFileError::CannotOpen;
        return r;
    }
    return readUndoFile(path);
}

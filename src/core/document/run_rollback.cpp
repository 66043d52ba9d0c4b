#include "document/run_rollback.h"

#include "document/document.h"

#include <algorithm>

RunRollback::RunRollback(const Document &doc) : m_count(doc.frameCount()), m_current(doc.currentIndex())
{
    m_buffers.reserve(size_t(m_count));
    for (int i = 0; i < m_count; ++i)
        m_buffers.push_back(doc.frames().at(i).data());
}

int RunRollback::removeAddedFrames(Document &doc) const
{
    FrameSequence &frames = doc.frames();
    const int grown = frames.count() - m_count;
    if (grown <= 0)
        return 0;
    // The frames held before must all be there, in their order; the others
    // are the run's. A buffer freed by the run and given again to one of
    // its new frames shows as a frame out of order, and nothing is removed.
    std::vector<int> added;
    size_t matched = 0;
    for (int i = 0; i < frames.count(); ++i) {
        const void *buffer = frames.at(i).data();
        if (!buffer)
            return 0;
        if (matched < m_buffers.size() && buffer == m_buffers[matched])
            ++matched;
        else
            added.push_back(i);
    }
    if (matched != m_buffers.size() || int(added.size()) != grown)
        return 0;
    Document::UpdateBatch batch(doc);
    // Runs of neighbours at once, from the back, so the indices still to
    // come stay valid.
    size_t end = added.size();
    while (end > 0) {
        size_t first = end - 1;
        while (first > 0 && added[first - 1] + 1 == added[first])
            --first;
        frames.remove(added[first], int(end - first));
        end = first;
    }
    frames.setCurrentIndex(std::min(m_current, frames.count() - 1));
    doc.framesEdited();
    return grown;
}

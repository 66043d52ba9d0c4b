#include "patterns/pattern_target.h"

#include <algorithm>

GridRect generationArea(const BlockArea &area, int rows, int cols)
{
    return area.areaOrGrid(rows, cols);
}

FrameSink::FrameSink(PatternTarget &target, AddRule rule, int expected, const EditName &name)
    : m_target(target), m_mode(effectiveAddMode(rule, addModeFromIndex(target.addMode))),
      m_expected(expected), m_framesBefore(target.doc.frameCount())
{
    m_batch.emplace(target.doc);
    m_edit.emplace(target.doc, name);
}

FrameSink::~FrameSink()
{
    m_edit.reset();  // the one entry of the run in the undo history
    m_batch.reset(); // the one repaint of the run
    if (m_target.progress)
        m_target.progress(m_made, m_expected);
}

bool FrameSink::hand(Frame frame)
{
    if (m_stopped)
        return false;
    Document &doc = m_target.doc;
    const int current = doc.currentIndex();
    addFrame(doc, m_mode, std::move(frame));
    // Inserting makes the new frame current; the other modes write where
    // the current frame was (frame 0 of an empty sequence). Overwriting
    // past the end writes on frames the run itself appended: they are not
    // counted as changed.
    const int at = m_mode == AddMode::Insert ? doc.currentIndex() : std::max(current, 0);
    if (m_mode != AddMode::Insert && at < m_framesBefore && at != m_target.lastWritten)
        ++m_target.changed;
    if (m_target.firstWritten < 0)
        m_target.firstWritten = at;
    m_target.lastWritten = at;
    ++m_made;
    // Every frame: the listener decides how often it shows anything, and a
    // cancel takes effect after the frame in hand.
    if (!runGoesOn(m_target.progress, m_made, m_expected))
        m_stopped = true;
    return !m_stopped;
}

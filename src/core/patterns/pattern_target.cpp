#include "patterns/pattern_target.h"

namespace {
// Often enough for a status bar, rarely enough to cost nothing.
constexpr int kProgressEvery = 256;
} // namespace

GridRect generationArea(const BlockArea &area, int rows, int cols)
{
    return area.areaOrGrid(rows, cols);
}

FrameSink::FrameSink(PatternTarget &target, AddRule rule, int expected)
    : m_target(target), m_mode(effectiveAddMode(rule, addModeFromIndex(target.addMode))),
      m_expected(expected)
{
    m_batch.emplace(target.doc);
}

FrameSink::~FrameSink()
{
    m_batch.reset(); // the one repaint of the run
    if (m_target.progress)
        m_target.progress(m_made, m_expected);
}

void FrameSink::hand(Frame frame)
{
    addFrame(m_target.doc, m_mode, std::move(frame));
    ++m_made;
    if (m_target.progress && m_made % kProgressEvery == 0)
        m_target.progress(m_made, m_expected);
}

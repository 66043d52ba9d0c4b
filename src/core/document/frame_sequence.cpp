#include "document/frame_sequence.h"

#include <algorithm>
#include <cassert>

void FrameSequence::setCurrentIndex(int index)
{
    if (empty()) {
        m_current = -1;
        return;
    }
    m_current = std::clamp(index, 0, count() - 1);
}

void FrameSequence::moveGapTo(size_t index)
{
    // Frames are moved (a vector move is three pointers), never copied.
    // With no gap there is nothing to move (and a frame must not be moved
    // onto itself, which would empty it).
    if (m_gapLen == 0) {
        m_gapStart = index;
        return;
    }
    while (m_gapStart > index) {
        --m_gapStart;
        m_buf[m_gapStart + m_gapLen] = std::move(m_buf[m_gapStart]);
    }
    while (m_gapStart < index) {
        m_buf[m_gapStart] = std::move(m_buf[m_gapStart + m_gapLen]);
        ++m_gapStart;
    }
}

void FrameSequence::growGap(size_t atLeast)
{
    if (m_gapLen >= atLeast)
        return;
    const size_t used = m_buf.size() - m_gapLen;
    const size_t newGap = std::max<size_t>({atLeast, used / 2, 16});
    std::vector<Frame> grown;
    grown.reserve(used + newGap);
    for (size_t i = 0; i < m_gapStart; ++i)
        grown.push_back(std::move(m_buf[i]));
    grown.resize(m_gapStart + newGap);
    for (size_t i = m_gapStart + m_gapLen; i < m_buf.size(); ++i)
        grown.push_back(std::move(m_buf[i]));
    m_buf = std::move(grown);
    m_gapLen = newGap;
}

void FrameSequence::insert(int index, Frame frame)
{
    assert(index >= 0 && index <= count());
    moveGapTo(size_t(index));
    growGap(1);
    m_buf[m_gapStart] = std::move(frame);
    ++m_gapStart;
    --m_gapLen;
    if (m_current < 0)
        m_current = index;
    else if (index <= m_current)
        ++m_current;
}

void FrameSequence::remove(int first, int n)
{
    if (n <= 0 || first < 0 || first >= count())
        return;
    n = std::min(n, count() - first);
    moveGapTo(size_t(first) + size_t(n));
    for (int i = 0; i < n; ++i)
        m_buf[m_gapStart - 1 - size_t(i)] = Frame();
    m_gapStart -= size_t(n);
    m_gapLen += size_t(n);
    if (empty())
        m_current = -1;
    else if (m_current >= first + n)
        m_current -= n;
    else if (m_current >= count())
        m_current = count() - 1;
}

Frame FrameSequence::take(int index)
{
    Frame f = std::move(at(index));
    remove(index, 1);
    return f;
}

void FrameSequence::clear()
{
    m_buf.clear();
    m_gapStart = 0;
    m_gapLen = 0;
    m_current = -1;
}

std::vector<Frame> FrameSequence::takeAll()
{
    moveGapTo(size_t(count()));
    m_buf.resize(m_gapStart);
    std::vector<Frame> out = std::move(m_buf);
    clear();
    return out;
}

void FrameSequence::assign(std::vector<Frame> frames, int current)
{
    clear();
    m_buf = std::move(frames);
    m_gapStart = m_buf.size();
    m_current = m_buf.empty() ? -1 : std::clamp(current, 0, int(m_buf.size()) - 1);
}

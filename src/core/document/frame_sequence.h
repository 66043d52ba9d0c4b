#pragma once
// The frames of a project in order of play, with the current position.
//
// Generators, capture and paste insert frame after frame right after the
// current one, which then becomes current. The frames are kept in a gap
// buffer whose gap follows the current position, so such a run costs
// constant time per frame however long the sequence is, while any frame is
// still reached by index in constant time.

#include "document/frame.h"

#include <vector>

class FrameSequence
{
public:
    int count() const { return int(m_buf.size() - m_gapLen); }
    bool empty() const { return count() == 0; }

    // -1 when there is no current frame (an empty sequence).
    int currentIndex() const { return m_current; }
    Frame *current() { return m_current < 0 ? nullptr : &at(m_current); }
    const Frame *current() const { return m_current < 0 ? nullptr : &at(m_current); }

    Frame &at(int index) { return m_buf[physical(index)]; }
    const Frame &at(int index) const { return m_buf[physical(index)]; }
    Frame &operator[](int index) { return at(index); }
    const Frame &operator[](int index) const { return at(index); }

    // Sets the current position; -1 only for an empty sequence.
    void setCurrentIndex(int index);

    // Inserts before position `index` (0..count); does not move the current
    // position's frame (the index of the current frame shifts when needed).
    void insert(int index, Frame frame);
    void append(Frame frame) { insert(count(), std::move(frame)); }
    // Removes frames [first, first + n); the current position stays on the
    // same index when it still exists, else moves to the last frame.
    void remove(int first, int n = 1);
    Frame take(int index);
    void clear();

    // All frames in order, moved out; the sequence is left empty.
    std::vector<Frame> takeAll();
    void assign(std::vector<Frame> frames, int current);

private:
    size_t physical(int index) const
    {
        return size_t(index) < m_gapStart ? size_t(index) : size_t(index) + m_gapLen;
    }
    void moveGapTo(size_t index);
    void growGap(size_t atLeast);

    std::vector<Frame> m_buf;
    size_t m_gapStart = 0;
    size_t m_gapLen = 0;
    int m_current = -1;
};

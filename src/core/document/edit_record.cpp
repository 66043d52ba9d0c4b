#include "document/edit_record.h"

#include "document/document.h"
#include "document/transform_resize.h"
#include "document/transform_rotate.h"

#include <algorithm>
#include <utility>

namespace {

size_t frameBytes(const Frame &f) { return f.pixels().capacity() * sizeof(ColorValue) + sizeof(Frame); }

} // namespace

// --- FramesSwapStep -------------------------------------------------------

void FramesSwapStep::exchange(Document &doc)
{
    FrameSequence &frames = doc.frames();
    for (size_t i = 0; i < m_frames.size(); ++i)
        std::swap(frames[m_first + int(i)], m_frames[i]);
}

size_t FramesSwapStep::bytes() const
{
    size_t n = sizeof(*this);
    for (const Frame &f : m_frames)
        n += frameBytes(f);
    return n;
}

// --- BlockSwapStep --------------------------------------------------------

BlockSwapStep::BlockSwapStep(int first, int x0, int y0, int x1, int y1, int cols)
    : m_first(first), m_x0(x0), m_y0(y0), m_x1(x1), m_y1(y1), m_cols(cols)
{
}

void BlockSwapStep::append(const Frame &frame)
{
    const size_t width = size_t(m_x1 - m_x0 + 1);
    for (int y = m_y0; y <= m_y1; ++y) {
        const ColorValue *row = frame.data() + size_t(y) * size_t(m_cols) + size_t(m_x0);
        m_colours.insert(m_colours.end(), row, row + width);
    }
    ++m_frames;
}

void BlockSwapStep::exchange(Document &doc)
{
    const size_t width = size_t(m_x1 - m_x0 + 1);
    ColorValue *kept = m_colours.data();
    for (int f = 0; f < m_frames; ++f) {
        Frame &frame = doc.frames()[m_first + f];
        for (int y = m_y0; y <= m_y1; ++y, kept += width)
            std::swap_ranges(kept, kept + width, frame.data() + size_t(y) * size_t(m_cols) + size_t(m_x0));
    }
}

// --- FrameListStep --------------------------------------------------------

std::unique_ptr<FrameListStep> FrameListStep::insertion(int first, int n)
{
    return std::unique_ptr<FrameListStep>(new FrameListStep(true, first, n));
}

std::unique_ptr<FrameListStep> FrameListStep::removal(int first, std::vector<Frame> removed)
{
    std::unique_ptr<FrameListStep> step(new FrameListStep(false, first, int(removed.size())));
    step->m_frames = std::move(removed);
    return step;
}

void FrameListStep::takeOut(Document &doc)
{
    FrameSequence &frames = doc.frames();
    m_frames.reserve(size_t(m_count));
    for (int i = 0; i < m_count; ++i)
        m_frames.push_back(std::move(frames.at(m_first + i)));
    frames.remove(m_first, m_count);
}

void FrameListStep::putBack(Document &doc)
{
    FrameSequence &frames = doc.frames();
    for (int i = 0; i < m_count; ++i)
        frames.insert(m_first + i, std::move(m_frames[size_t(i)]));
    // Back in the sequence, the frames are no longer the step's to count.
    std::vector<Frame>().swap(m_frames);
}

size_t FrameListStep::bytes() const
{
    size_t n = sizeof(*this) + m_frames.capacity() * sizeof(Frame);
    for (const Frame &f : m_frames)
        n += frameBytes(f) - sizeof(Frame);
    return n;
}

// --- CellsStep ------------------------------------------------------------

void CellsStep::add(uint32_t at, ColorValue before, ColorValue after)
{
    const auto found = m_slot.find(at);
    if (found != m_slot.end()) {
        m_after[found->second] = after;
        return;
    }
    m_slot.emplace(at, m_at.size());
    m_at.push_back(at);
    m_before.push_back(before);
    m_after.push_back(after);
}

void CellsStep::mergeFrom(const CellsStep &later)
{
    for (size_t i = 0; i < later.m_at.size(); ++i)
        add(later.m_at[i], later.m_before[i], later.m_after[i]);
}

void CellsStep::write(Document &doc, const std::vector<ColorValue> &colours)
{
    Frame &frame = doc.frames()[m_frame];
    for (size_t i = 0; i < m_at.size(); ++i)
        frame[m_at[i]] = colours[i];
}

size_t CellsStep::bytes() const
{
    // Three lists and the lookup of every point.
    return sizeof(*this) + m_at.capacity() * (sizeof(uint32_t) + 2 * sizeof(ColorValue))
           + m_slot.size() * (sizeof(uint32_t) + sizeof(size_t) + 2 * sizeof(void *));
}

// --- ShapeStep ------------------------------------------------------------

ShapeStep::ShapeStep(Kind kind, const Document &doc)
    : m_kind(kind), m_before(doc.geometry()), m_after(doc.geometry()), m_wiringBefore(WiringState::of(doc.wiring()))
{
}

void ShapeStep::finish(const Document &doc)
{
    m_after = doc.geometry();
    m_wiringAfter = WiringState::of(doc.wiring());
}

void ShapeStep::restore(Document &doc, const GridGeometry &g, const WiringState &w)
{
    doc.setGeometry(g);
    Wiring &wiring = doc.wiring();
    wiring.assign(w.records);
    if (w.cellMap.size() == wiring.cellMap().size())
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.cols; ++x)
                wiring.setCellColour(x, y, w.cellMap[size_t(y) * size_t(g.cols) + size_t(x)]);
    doc.wiringEdited();
}

void ShapeStep::undo(Document &doc)
{
    if (m_kind == QuarterTurn) {
        std::vector<ColorValue> scratch(size_t(m_after.pointCount()));
        FrameSequence &frames = doc.frames();
        for (int f = 0; f < frames.count(); ++f) {
            std::vector<ColorValue> &px = frames[f].pixels();
            rotateAnticlockwise(px.data(), scratch.data(), m_after.rows, m_after.cols);
            px.swap(scratch);
        }
    } else {
        // A deletion gets its points back; an addition drops the added
        // ones, which are black again by now.
        reshapeFrames(doc, m_after.rows, m_after.cols, m_before.rows, m_before.cols, nullptr, &m_removed);
    }
    restore(doc, m_before, m_wiringBefore);
}

void ShapeStep::redo(Document &doc)
{
    if (m_kind == QuarterTurn) {
        std::vector<ColorValue> scratch(size_t(m_before.pointCount()));
        FrameSequence &frames = doc.frames();
        for (int f = 0; f < frames.count(); ++f) {
            std::vector<ColorValue> &px = frames[f].pixels();
            rotateClockwise(px.data(), scratch.data(), m_before.rows, m_before.cols);
            px.swap(scratch);
        }
    } else {
        const bool deletion = m_after.pointCount() < m_before.pointCount();
        reshapeFrames(doc, m_before.rows, m_before.cols, m_after.rows, m_after.cols, deletion ? &m_removed : nullptr);
    }
    restore(doc, m_after, m_wiringAfter);
}

size_t ShapeStep::bytes() const
{
    return sizeof(*this) + m_wiringBefore.bytes() + m_wiringAfter.bytes() + m_removed.capacity() * sizeof(ColorValue);
}

// --- EditRecord -----------------------------------------------------------

void EditRecord::undo(Document &doc)
{
    Document::UpdateBatch batch(doc);
    Document::KnownChange known(doc);
    for (auto it = steps.rbegin(); it != steps.rend(); ++it)
        (*it)->undo(doc);
    finish(doc, currentBefore, changesFrameList());
}

void EditRecord::redo(Document &doc)
{
    Document::UpdateBatch batch(doc);
    Document::KnownChange known(doc);
    for (auto &step : steps)
        step->redo(doc);
    finish(doc, currentAfter, changesFrameList());
}

void EditRecord::finish(Document &doc, int current, bool listChanged)
{
    doc.frames().setCurrentIndex(current);
    if (listChanged)
        doc.framesEdited();
    else
        doc.currentPositionRestored();
    doc.frameContentEdited();
}

size_t EditRecord::bytes() const
{
    size_t n = sizeof(*this) + steps.capacity() * sizeof(void *);
    for (const auto &step : steps)
        n += step->bytes();
    return n;
}

bool EditRecord::changesFrameList() const
{
    for (const auto &step : steps)
        if (step->changesFrameList())
            return true;
    return false;
}

bool EditRecord::merge(EditRecord &later)
{
    if (mergeKey == 0 || later.mergeKey != mergeKey || steps.size() != 1 || later.steps.size() != 1)
        return false;
    auto *mine = dynamic_cast<CellsStep *>(steps.front().get());
    auto *theirs = dynamic_cast<CellsStep *>(later.steps.front().get());
    if (!mine || !theirs || mine->frame() != theirs->frame())
        return false;
    mine->mergeFrom(*theirs);
    currentAfter = later.currentAfter;
    return true;
}

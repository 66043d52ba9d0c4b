#include "document/frame_edit.h"

#include "document/document.h"
#include "document/edit_history.h"
#include "document/edit_record.h"

#include <exception>
#include <unordered_set>

// The record of the outermost open edit, and what it needs to keep it
// small: the frames already kept since the list last changed, and the
// points being watched.
class EditRecorder
{
public:
    EditRecorder(Document &doc, const EditName &name, int mergeKey) : m_doc(doc), m_record(new EditRecord)
    {
        m_record->name = name;
        m_record->mergeKey = mergeKey;
        m_record->currentBefore = doc.currentIndex();
    }

    bool abandoned() const { return m_abandoned; }

    void keepOld(int index, Frame old)
    {
        if (m_abandoned)
            return;
        m_bytes += old.size() * sizeof(ColorValue);
        auto *last = m_record->steps.empty() ? nullptr : dynamic_cast<FramesSwapStep *>(m_record->steps.back().get());
        if (last && last->end() == index) {
            last->append(std::move(old));
        } else {
            auto step = std::make_unique<FramesSwapStep>(index);
            step->append(std::move(old));
            m_record->steps.push_back(std::move(step));
        }
        m_kept.insert(index);
        checkLimit();
    }

    // True when the old colours of frame `index` need keeping: not kept
    // yet, and not a frame this edit inserted (its undo takes it out).
    bool needsKeeping(int index) const
    {
        if (m_abandoned || m_kept.count(index))
            return false;
        auto *last = m_record->steps.empty() ? nullptr : dynamic_cast<FrameListStep *>(m_record->steps.back().get());
        return !(last && last->isInsertion() && index >= last->first() && index < last->first() + last->count());
    }

    void keepBlock(int index, int x0, int y0, int x1, int y1)
    {
        const Frame &frame = m_doc.frames().at(index);
        auto *last = m_record->steps.empty() ? nullptr : dynamic_cast<BlockSwapStep *>(m_record->steps.back().get());
        if (last && last->end() == index && last->sameBlock(x0, y0, x1, y1)) {
            last->append(frame);
        } else {
            auto step = std::make_unique<BlockSwapStep>(index, x0, y0, x1, y1, m_doc.cols());
            step->append(frame);
            m_record->steps.push_back(std::move(step));
        }
        m_bytes += size_t(x1 - x0 + 1) * size_t(y1 - y0 + 1) * sizeof(ColorValue);
        checkLimit();
    }

    void inserted(int first, int n)
    {
        if (m_abandoned || n <= 0)
            return;
        listChanges();
        auto *last = m_record->steps.empty() ? nullptr : dynamic_cast<FrameListStep *>(m_record->steps.back().get());
        // A run inserting frame after frame makes one range.
        if (last && last->isInsertion() && first == last->first() + last->count())
            last->grow(n);
        else
            m_record->steps.push_back(FrameListStep::insertion(first, n));
    }

    void removed(int first, std::vector<Frame> frames)
    {
        if (m_abandoned || frames.empty())
            return;
        listChanges();
        for (const Frame &f : frames)
            m_bytes += f.size() * sizeof(ColorValue);
        m_record->steps.push_back(FrameListStep::removal(first, std::move(frames)));
        checkLimit();
    }

    void watch(int index, int x0, int y0, int x1, int y1)
    {
        if (m_abandoned)
            return;
        const Frame &frame = m_doc.frames().at(index);
        Watch w{index, x0, y0, x1, y1, {}};
        w.before.reserve(size_t(x1 - x0 + 1) * size_t(y1 - y0 + 1));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                w.before.push_back(frame.at(x, y, m_doc.cols()));
        m_watches.push_back(std::move(w));
    }

    ShapeStep *reshape(bool quarterTurn)
    {
        if (m_abandoned)
            return nullptr;
        listChanges();
        auto step = std::make_unique<ShapeStep>(quarterTurn ? ShapeStep::QuarterTurn : ShapeStep::Resize, m_doc);
        m_shape = step.get();
        m_record->steps.push_back(std::move(step));
        return m_shape;
    }

    // The record, or null when nothing was recorded (or it grew too large).
    std::unique_ptr<EditRecord> finish()
    {
        flushWatches();
        if (m_shape && !m_abandoned) {
            m_shape->finish(m_doc);
            m_bytes += m_shape->bytes();
            checkLimit();
        }
        if (m_abandoned || m_record->steps.empty())
            return nullptr;
        for (auto &step : m_record->steps)
            step->settle();
        m_record->currentAfter = m_doc.currentIndex();
        return std::move(m_record);
    }

private:
    struct Watch
    {
        int index, x0, y0, x1, y1;
        std::vector<ColorValue> before;
    };

    // Indices move: what was kept by index no longer says which frame.
    void listChanges()
    {
        flushWatches();
        m_kept.clear();
    }

    void flushWatches()
    {
        const int cols = m_doc.cols();
        for (const Watch &w : m_watches) {
            if (m_abandoned)
                break;
            const Frame &frame = m_doc.frames().at(w.index);
            std::unique_ptr<CellsStep> step = std::make_unique<CellsStep>(w.index);
            size_t k = 0;
            for (int y = w.y0; y <= w.y1; ++y)
                for (int x = w.x0; x <= w.x1; ++x, ++k) {
                    const ColorValue now = frame.at(x, y, cols);
                    if (now != w.before[k])
                        step->add(uint32_t(y * cols + x), w.before[k], now);
                }
            if (step->cellCount() == 0)
                continue;
            m_bytes += step->bytes();
            m_record->steps.push_back(std::move(step));
            checkLimit();
        }
        m_watches.clear();
    }

    void checkLimit()
    {
        if (m_abandoned || int64_t(m_bytes) <= m_doc.history().limitBytes())
            return;
        // Too large for the history: let go of what was kept at once.
        m_abandoned = true;
        m_record->steps.clear();
        m_watches.clear();
        m_kept.clear();
        m_shape = nullptr;
    }

    Document &m_doc;
    std::unique_ptr<EditRecord> m_record;
    std::unordered_set<int> m_kept;
    std::vector<Watch> m_watches;
    ShapeStep *m_shape = nullptr;
    size_t m_bytes = 0;
    bool m_abandoned = false;
};

FrameEdit::FrameEdit(Document &doc, const EditName &name, int mergeKey)
    : m_doc(doc), m_uncaught(std::uncaught_exceptions())
{
    if (!doc.m_recorder) {
        m_own = std::make_unique<EditRecorder>(doc, name, mergeKey);
        doc.m_recorder = m_own.get();
    }
    m_rec = doc.m_recorder;
}

FrameEdit::~FrameEdit()
{
    if (!m_own)
        return;
    EditHistory &history = m_doc.history();
    if (std::uncaught_exceptions() > m_uncaught) {
        // The edit broke off half way (memory ran out): what it did so far
        // is taken back, so that the document and its history are as they
        // were before it. When even that fails, nothing can be undone.
        bool restored = false;
        try {
            std::unique_ptr<EditRecord> record = m_own->finish();
            m_doc.m_recorder = nullptr;
            if (!m_own->abandoned()) {
                if (record)
                    record->undo(m_doc);
                restored = true;
            }
        } catch (...) {
        }
        m_doc.m_recorder = nullptr;
        if (!restored)
            history.forget();
        return;
    }
    std::unique_ptr<EditRecord> record = m_own->finish();
    const bool abandoned = m_own->abandoned();
    m_doc.m_recorder = nullptr;
    m_own.reset();
    if (abandoned)
        history.editTooLarge();
    else if (record)
        history.push(std::move(record));
}

Frame &FrameEdit::change(int index)
{
    Frame &frame = m_doc.frames()[index];
    if (m_rec->needsKeeping(index)) {
        // The old buffer goes into the record; the sequence gets a copy to
        // change.
        Frame copy = frame;
        std::swap(frame, copy);
        m_rec->keepOld(index, std::move(copy));
    }
    return frame;
}

Frame &FrameEdit::changeBlock(int index, int x0, int y0, int x1, int y1)
{
    const bool whole = x0 <= 0 && y0 <= 0 && x1 >= m_doc.cols() - 1 && y1 >= m_doc.rows() - 1;
    if (whole || m_doc.frames()[index].size() != size_t(m_doc.pointCount()))
        return change(index);
    if (m_rec->needsKeeping(index))
        m_rec->keepBlock(index, x0, y0, x1, y1);
    return m_doc.frames()[index];
}

void FrameEdit::changeRange(int first, int end)
{
    for (int i = first; i < end; ++i)
        change(i);
}

void FrameEdit::replace(int index, Frame frame)
{
    Frame &slot = m_doc.frames()[index];
    std::swap(slot, frame);
    if (m_rec->needsKeeping(index))
        m_rec->keepOld(index, std::move(frame));
}

void FrameEdit::insert(int index, Frame frame)
{
    m_doc.frames().insert(index, std::move(frame));
    m_rec->inserted(index, 1);
}

void FrameEdit::inserted(int first, int n) { m_rec->inserted(first, n); }

void FrameEdit::remove(int first, int n, std::vector<Frame> *copies)
{
    FrameSequence &frames = m_doc.frames();
    std::vector<Frame> taken;
    taken.reserve(size_t(n));
    for (int i = first; i < first + n; ++i) {
        if (copies)
            copies->push_back(frames.at(i));
        taken.push_back(std::move(frames.at(i)));
    }
    frames.remove(first, n);
    if (m_rec->abandoned())
        return;
    m_rec->removed(first, std::move(taken));
}

void FrameEdit::watchPoints(int index, int x0, int y0, int x1, int y1)
{
    m_rec->watch(index, x0, y0, x1, y1);
}

ShapeStep *FrameEdit::reshape(bool quarterTurn) { return m_rec->reshape(quarterTurn); }

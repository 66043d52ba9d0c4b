#include "document/document.h"

#include "document/edit_history.h"
#include "document/frame_edit.h"

#include <cstring>

Document::Document(const GridGeometry &geometry, QObject *parent)
    : QObject(parent), m_geometry(geometry), m_history(std::make_unique<EditHistory>(*this))
{
    if (gridSizeAllowed(m_geometry.rows, m_geometry.cols))
        m_wiring.resetCellMap(m_geometry.rows, m_geometry.cols);
    connect(m_history.get(), &EditHistory::cleanChanged, this, [this](bool clean) {
        if (m_modified == !clean)
            return;
        m_modified = !clean;
        emit modifiedChanged(m_modified);
    });
}

Document::~Document() = default;

Document::UpdateBatch::~UpdateBatch()
{
    if (--m_doc.m_batchDepth == 0)
        m_doc.flush();
}

void Document::notify(unsigned what)
{
    m_pending |= what;
    // A wiring change alone leaves the project file as it is. A change of
    // frames that no FrameEdit saw cannot be undone, and the entries before
    // it would no longer fit the frames: the history ends there.
    const bool known = m_recorder || m_known > 0;
    if (!known && (what & (FramesPending | ContentPending)))
        m_history->forget();
    else if (!known && (what & GeometryPending))
        m_history->markChanged();
    if (m_batchDepth == 0)
        flush();
}

void Document::flush()
{
    const unsigned p = m_pending;
    m_pending = 0;
    if (p & GeometryPending)
        emit geometryChanged();
    if (p & ReplacedPending)
        emit contentsReplaced();
    if (p & FramesPending)
        emit framesChanged();
    if (p & CurrentPending)
        emit currentFrameChanged(m_frames.currentIndex());
    if (p & ContentPending)
        emit frameContentChanged();
    if (p & WiringPending)
        emit wiringChanged();
}

void Document::setModified(bool m)
{
    if (m)
        m_history->markChanged();
    else
        m_history->markClean();
}

void Document::setWiringModified(bool m)
{
    if (m_wiringModified == m)
        return;
    m_wiringModified = m;
    emit wiringModifiedChanged(m);
}

void Document::setGeometry(const GridGeometry &g)
{
    const bool resized = !g.sameSize(m_geometry);
    // Frames of another size than the entries recorded: they cannot be
    // undone any more.
    if (resized && !m_recorder && m_known == 0)
        m_history->forget();
    m_geometry = g;
    if (resized || m_wiring.rows() != g.rows || m_wiring.cols() != g.cols) {
        m_wiring.clear();
        m_wiring.resetCellMap(g.rows, g.cols);
        notify(WiringPending);
    }
    notify(GeometryPending);
}

Frame Document::backgroundFrame() const
{
    // The low byte of the background colour repeated into red, green and
    // blue; the top byte stays 0 so that white equals the background colour
    // in the transparency tests of paste and the palette fills.
    const unsigned level = m_background & 0xFFu;
    return Frame(size_t(pointCount()), makeColor(level, level, level));
}

Frame Document::makeFrame() const
{
    const Frame *cur = m_frames.current();
    if (m_copiesCurrent && cur && cur->size() == size_t(pointCount()))
        return *cur;
    return backgroundFrame();
}

void Document::insertFrameAfterCurrent(Frame frame)
{
    const int at = m_frames.currentIndex() < 0 ? m_frames.count() : m_frames.currentIndex() + 1;
    m_frames.insert(at, std::move(frame));
    if (m_recorder)
        FrameEdit(*this, EditNames::AutoPattern).inserted(at, 1);
    m_frames.setCurrentIndex(at);
    notify(FramesPending | CurrentPending);
}

void Document::storeFrame(Frame frame)
{
    if (Frame *cur = m_frames.current()) {
        if (m_recorder)
            FrameEdit(*this, EditNames::StoreFrame).replace(m_frames.currentIndex(), std::move(frame));
        else if (frame.size() == cur->size())
            std::memcpy(cur->data(), frame.data(), frame.size() * sizeof(ColorValue));
        else
            *cur = std::move(frame);
        notify(ContentPending);
        return;
    }
    m_frames.append(std::move(frame));
    if (m_recorder)
        FrameEdit(*this, EditNames::StoreFrame).inserted(m_frames.count() - 1, 1);
    m_frames.setCurrentIndex(m_frames.count() - 1);
    notify(FramesPending | CurrentPending);
}

void Document::storeFrameAndAdvance(Frame frame)
{
    storeFrame(std::move(frame));
    const int next = m_frames.currentIndex() + 1;
    if (next < m_frames.count()) {
        m_frames.setCurrentIndex(next);
        notify(CurrentPending);
        return;
    }
    Frame fresh = makeFrame();
    m_frames.append(std::move(fresh));
    if (m_recorder)
        FrameEdit(*this, EditNames::StoreFrame).inserted(m_frames.count() - 1, 1);
    m_frames.setCurrentIndex(m_frames.count() - 1);
    notify(FramesPending | CurrentPending);
}

void Document::goToFrame(int index)
{
    if (m_frames.empty())
        return;
    if (index > m_frames.count() - 1)
        index = m_frames.count() - 1;
    if (index < 0 || index == m_frames.currentIndex())
        return;
    m_frames.setCurrentIndex(index);
    notify(CurrentPending);
}

void Document::frameContentEdited() { notify(ContentPending); }

void Document::framesEdited() { notify(FramesPending | CurrentPending); }

void Document::currentPositionRestored() { notify(CurrentPending); }

void Document::wiringEdited()
{
    setWiringModified(true);
    notify(WiringPending);
}

void Document::startNew(const GridGeometry &previous)
{
    // Copy the old current frame before the old frames are freed, and only
    // when it still fits the grid.
    Frame first = previous.sameSize(m_geometry) ? makeFrame() : backgroundFrame();
    m_frames.clear();
    m_frames.append(std::move(first));
    m_frames.setCurrentIndex(0);
    m_startup = false;
    m_filePath.clear();
    // A new grid starts a new history.
    KnownChange fresh(*this);
    m_history->clear();
    m_history->markChanged();
    notify(ReplacedPending | FramesPending | CurrentPending | ContentPending);
}

void Document::replaceContents(const GridGeometry &g, std::vector<Frame> frames)
{
    m_geometry = g;
    m_frames.assign(std::move(frames), 0);
    m_wiring.resetCellMap(g.rows, g.cols);
    m_wiring.rebuildCellMap();
    m_startup = false;
    // Opened frames start a new history; whoever opened them says whether
    // they are modified (a file just read is not).
    KnownChange fresh(*this);
    m_history->clear();
    m_history->markChanged();
    notify(GeometryPending | ReplacedPending | FramesPending | CurrentPending | WiringPending);
}

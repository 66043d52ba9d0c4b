#pragma once
// The open project: the grid geometry, the frames with the current frame,
// and the wiring. Views follow it through its signals; a run of changes
// inside an UpdateBatch is announced once at its end, so a generator that
// adds ten thousand frames causes one repaint.

#include "document/frame_sequence.h"
#include "document/wiring.h"
#include "settings/grid_geometry.h"

#include <QObject>
#include <QString>

#include <memory>

class EditHistory;
class EditRecorder;

class Document : public QObject
{
    Q_OBJECT
public:
    explicit Document(const GridGeometry &geometry = GridGeometry(), QObject *parent = nullptr);
    ~Document() override;

    // --- undo --------------------------------------------------------------
    // Every edit of the frames goes through a FrameEdit (frame_edit.h) and
    // becomes one entry here.
    EditHistory &history() { return *m_history; }
    const EditHistory &history() const { return *m_history; }
    // Changes made while one is alive are the history's own (undo, redo):
    // they do not end it.
    class KnownChange
    {
    public:
        explicit KnownChange(Document &d) : m_doc(d) { ++m_doc.m_known; }
        ~KnownChange() { --m_doc.m_known; }
        KnownChange(const KnownChange &) = delete;
        KnownChange &operator=(const KnownChange &) = delete;

    private:
        Document &m_doc;
    };

    // --- geometry -------------------------------------------------------
    const GridGeometry &geometry() const { return m_geometry; }
    int rows() const { return m_geometry.rows; }
    int cols() const { return m_geometry.cols; }
    int pointCount() const { return m_geometry.pointCount(); }
    // Takes a new geometry. A change of Rows or Cols rebuilds the cell map
    // empty and empties the wiring (the old wiring no longer fits); frames
    // are the caller's business (they must already have the new size).
    void setGeometry(const GridGeometry &g);

    // --- frames ----------------------------------------------------------
    FrameSequence &frames() { return m_frames; }
    const FrameSequence &frames() const { return m_frames; }
    int frameCount() const { return m_frames.count(); }
    int currentIndex() const { return m_frames.currentIndex(); }
    Frame *currentFrame() { return m_frames.current(); }
    const Frame *currentFrame() const { return m_frames.current(); }

    // The frame constructor: a copy of the current frame when
    // NewFrameCopiesCurrent is on and there is one, else every colour is the
    // low byte of BackgroundColor repeated into red, green and blue.
    Frame makeFrame() const;
    Frame backgroundFrame() const;

    // Inserts right after the current frame (appends when there is none);
    // the new frame becomes current. These three frame steps report to the
    // open FrameEdit, so a run made of them is undone as one.
    void insertFrameAfterCurrent(Frame frame);
    // Copies the frame into the current one; with no current frame it is
    // appended and becomes current.
    void storeFrame(Frame frame);
    // As storeFrame, then moves on to the next frame, appending a new one
    // made by the frame constructor when the current frame was the last.
    void storeFrameAndAdvance(Frame frame);
    // Clamps to the last frame; does nothing on an empty sequence or when
    // the frame is already current.
    void goToFrame(int index);

    // Painting and other edits of frame contents call this afterwards.
    void frameContentEdited();
    // Edits that insert, remove or reorder frames directly on frames() call
    // this afterwards.
    void framesEdited();
    // Undo and redo put the current position back without other change.
    void currentPositionRestored();

    // --- frame constructor switches ---------------------------------------
    bool newFrameCopiesCurrent() const { return m_copiesCurrent; }
    void setNewFrameCopiesCurrent(bool on) { m_copiesCurrent = on; }
    ColorValue backgroundColor() const { return m_background; }
    void setBackgroundColor(ColorValue c) { m_background = c; }

    // --- wiring ------------------------------------------------------------
    Wiring &wiring() { return m_wiring; }
    const Wiring &wiring() const { return m_wiring; }
    // Records were added, removed, moved, renumbered or replaced: the views
    // redraw and the wiring's own modified mark is set. The project's mark
    // is not: the wiring is kept in ".line" files, not in the project file.
    void wiringEdited();
    // The wiring has changes that no ".line" file holds yet. Set only by
    // wiringEdited(); saving or loading a wiring file clears it.
    bool isWiringModified() const { return m_wiringModified; }
    void setWiringModified(bool m);

    // --- whole-document steps -------------------------------------------------
    // A fresh document of the current geometry with one frame (File > New
    // after the new-grid dialog was confirmed). With the frame-copy switch
    // on and an unchanged size, the new frame copies the old current frame.
    void startNew(const GridGeometry &previous);
    // Replaces geometry and frames with those read from a project file. The
    // wiring list is kept; its cell map is rebuilt at the new size from the
    // records that lie inside the grid. The first frame becomes current.
    void replaceContents(const GridGeometry &g, std::vector<Frame> frames);

    bool isStartup() const { return m_startup; }
    void setStartup(bool s) { m_startup = s; }

    // The modified mark follows the history's clean state: false marks the
    // present state clean (saved), true makes it modified until saved.
    bool isModified() const { return m_modified; }
    void setModified(bool m);

    // Setting a path (Save, Save As, New) also ends a recovered copy.
    const QString &filePath() const { return m_filePath; }
    void setFilePath(const QString &p)
    {
        m_filePath = p;
        m_recoveredFrom.clear();
    }
    // The damaged file a recovered copy was read from (a project that ended
    // before all its frames); empty for any other document. The title says
    // "recovered" and Save acts as Save As, suggesting
    // recoveredProjectName(recoveredFrom()).
    const QString &recoveredFrom() const { return m_recoveredFrom; }
    void setRecoveredFrom(const QString &p) { m_recoveredFrom = p; }

    // Defers every signal until the outermost batch ends, then sends each
    // kind of change once.
    class UpdateBatch
    {
    public:
        explicit UpdateBatch(Document &d) : m_doc(d) { ++m_doc.m_batchDepth; }
        ~UpdateBatch();
        UpdateBatch(const UpdateBatch &) = delete;
        UpdateBatch &operator=(const UpdateBatch &) = delete;

    private:
        Document &m_doc;
    };

signals:
    // Frames were added, removed or replaced (the count may have changed).
    void framesChanged();
    // The current frame is another one (index -1: none).
    void currentFrameChanged(int index);
    // Colours of frames changed in place.
    void frameContentChanged();
    // Rows, Cols, cell size, base colour count or program mode changed.
    void geometryChanged();
    // The new-grid dialog's values were confirmed (sent also when they
    // equal the old ones): the controller values rebuild their order list.
    void gridSettingsApplied();
    void wiringChanged();
    void modifiedChanged(bool modified);
    void wiringModifiedChanged(bool modified);
    // New or Open replaced the whole document: selections that refer to the
    // old one (the operation panel's area) are discarded.
    void contentsReplaced();

private:
    friend class FrameEdit;
    enum Pending : unsigned {
        FramesPending = 1,
        CurrentPending = 2,
        ContentPending = 4,
        GeometryPending = 8,
        WiringPending = 16,
        ReplacedPending = 32,
    };
    void notify(unsigned what);
    void flush();

    GridGeometry m_geometry;
    FrameSequence m_frames;
    Wiring m_wiring;
    bool m_copiesCurrent = false;
    ColorValue m_background = 0;
    bool m_startup = true;
    bool m_modified = false;
    bool m_wiringModified = false;
    QString m_filePath;
    QString m_recoveredFrom;
    int m_batchDepth = 0;
    unsigned m_pending = 0;
    std::unique_ptr<EditHistory> m_history;
    EditRecorder *m_recorder = nullptr; // the open FrameEdit's record
    int m_known = 0;
};

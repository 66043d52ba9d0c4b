#pragma once
// The one way into the undo history: every edit of the frames opens a
// FrameEdit for its whole run and changes the frames through it (or through
// the document's own frame steps, which report to the open edit). When the
// outermost FrameEdit ends, what it recorded becomes one entry of the
// history, however many frames it touched. An edit opened inside another
// joins the outer one.
//
//   FrameEdit edit(doc, EditNames::Paste);
//   Frame &f = edit.change(i);        // old colours kept, then change f
//   edit.insert(at, std::move(frame)); // kept as an index range
//   edit.remove(first, n);            // removed frames kept
//
// Frames are changed in place only after change(); inserts and removals go
// through the edit (or Document::insertFrameAfterCurrent / storeFrame...).
// Anything that changes frames without an open edit cannot be undone, and
// it ends the history (the steps before it would no longer fit).
//
// An edit whose record grows past the history's memory limit goes on
// without undo: what it had kept is let go at once and the user is told
// (once) when it ends. An edit broken off by an exception (memory ran out)
// is taken back as far as it went.

#include "document/edit_name.h"
#include "document/frame.h"

#include <memory>
#include <vector>

class Document;
class EditRecorder;
class ShapeStep;

class FrameEdit
{
public:
    // mergeKey: parts of one paint stroke share a key and become one entry.
    FrameEdit(Document &doc, const EditName &name, int mergeKey = 0);
    ~FrameEdit();
    FrameEdit(const FrameEdit &) = delete;
    FrameEdit &operator=(const FrameEdit &) = delete;

    // Frame `index` is about to change in place; returns it. Its old
    // colours are kept (once per edit).
    Frame &change(int index);
    void changeRange(int first, int end);
    // As change(), when only the points x0..x1, y0..y1 will change: only
    // their old colours are kept.
    Frame &changeBlock(int index, int x0, int y0, int x1, int y1);
    // Puts `frame` in the place of frame `index`; the old buffer is kept.
    void replace(int index, Frame frame);
    // Inserts before position `index`, or notes frames already inserted.
    void insert(int index, Frame frame);
    void inserted(int first, int n);
    // Removes frames [first, first + n); they are kept for undo. With
    // `copies`, copies of them are appended there first (cut).
    void remove(int first, int n, std::vector<Frame> *copies = nullptr);
    // Points x0..x1, y0..y1 of frame `index` are about to change: the
    // points that did change are kept when the edit ends (painting).
    void watchPoints(int index, int x0, int y0, int x1, int y1);
    // The grid is about to be turned or resized (turn: true); the returned
    // step takes the points a deletion removes. Null without undo.
    ShapeStep *reshape(bool quarterTurn);

private:
    Document &m_doc;
    std::unique_ptr<EditRecorder> m_own; // the outermost edit's recorder
    EditRecorder *m_rec;
    int m_uncaught;
};

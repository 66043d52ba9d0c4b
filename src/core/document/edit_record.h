#pragma once
// What one edit of the frames did, kept so that it can be taken back and
// done again: a list of steps in the order they happened, and the current
// frame before and after. Each kind of step keeps only what it needs:
//
//   FramesSwapStep  frames whose colours changed: the old buffers, moved
//                   out of the sequence (undo and redo exchange them again)
//   BlockSwapStep   frames whose colours changed inside one rectangle only:
//                   the old colours of the rectangle
//   FrameListStep   frames inserted (only their index range while done;
//                   the frames themselves while undone) or removed (the
//                   removed frames while done)
//   CellsStep       the changed points of one frame (a paint stroke)
//   ShapeStep       a quarter turn (turned back, nothing kept) or a row or
//                   column added or deleted (a deletion keeps the removed
//                   points), with the wiring as it was on either side
//
// Undo runs the steps backwards, redo forwards; each step's indices are
// those of the moment it happened, so the order makes them right.

#include "document/edit_name.h"
#include "document/frame.h"
#include "document/wiring.h"
#include "settings/grid_geometry.h"

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

class Document;

class EditStep
{
public:
    virtual ~EditStep() = default;
    virtual void undo(Document &doc) = 0;
    virtual void redo(Document &doc) = 0;
    // The bytes of colours the step holds now.
    virtual size_t bytes() const = 0;
    // Frames are added or removed, or the grid changes shape.
    virtual bool changesFrameList() const { return false; }
    // The edit is over: room kept for growing is given back.
    virtual void settle() {}
};

class FramesSwapStep : public EditStep
{
public:
    explicit FramesSwapStep(int first) : m_first(first) {}
    int first() const { return m_first; }
    int end() const { return m_first + int(m_frames.size()); }
    void append(Frame old) { m_frames.push_back(std::move(old)); }
    void undo(Document &doc) override { exchange(doc); }
    void redo(Document &doc) override { exchange(doc); }
    size_t bytes() const override;

private:
    void exchange(Document &doc);
    int m_first;
    std::vector<Frame> m_frames;
};

class FrameListStep : public EditStep
{
public:
    // An insertion of n frames at `first` (already in place), or a removal
    // whose frames are handed over.
    static std::unique_ptr<FrameListStep> insertion(int first, int n);
    static std::unique_ptr<FrameListStep> removal(int first, std::vector<Frame> removed);

    bool isInsertion() const { return m_insertion; }
    int first() const { return m_first; }
    int count() const { return m_count; }
    // A later insertion right behind this one joins it.
    void grow(int n) { m_count += n; }

    void undo(Document &doc) override { m_insertion ? takeOut(doc) : putBack(doc); }
    void redo(Document &doc) override { m_insertion ? putBack(doc) : takeOut(doc); }
    size_t bytes() const override;
    bool changesFrameList() const override { return true; }

private:
    FrameListStep(bool insertion, int first, int count) : m_insertion(insertion), m_first(first), m_count(count) {}
    void takeOut(Document &doc);
    void putBack(Document &doc);

    bool m_insertion;
    int m_first;
    int m_count;
    std::vector<Frame> m_frames; // the frames while they are out of the sequence
};

class BlockSwapStep : public EditStep
{
public:
    // The rectangle x0..x1, y0..y1 of frames `first` on, in a grid `cols`
    // points wide.
    BlockSwapStep(int first, int x0, int y0, int x1, int y1, int cols);
    bool sameBlock(int x0, int y0, int x1, int y1) const
    {
        return x0 == m_x0 && y0 == m_y0 && x1 == m_x1 && y1 == m_y1;
    }
    int end() const { return m_first + m_frames; }
    // Keeps the rectangle's colours of the next frame.
    void append(const Frame &frame);
    void undo(Document &doc) override { exchange(doc); }
    void redo(Document &doc) override { exchange(doc); }
    size_t bytes() const override { return sizeof(*this) + m_colours.capacity() * sizeof(ColorValue); }
    void settle() override { m_colours.shrink_to_fit(); }

private:
    void exchange(Document &doc);
    int m_first, m_x0, m_y0, m_x1, m_y1, m_cols;
    int m_frames = 0;
    std::vector<ColorValue> m_colours; // frame by frame, row by row
};

class CellsStep : public EditStep
{
public:
    explicit CellsStep(int frame) : m_frame(frame) {}
    int frame() const { return m_frame; }
    int cellCount() const { return int(m_at.size()); }
    // A point changed from `before` to `after`; a point already held keeps
    // its first old colour and takes the new one.
    void add(uint32_t at, ColorValue before, ColorValue after);
    void mergeFrom(const CellsStep &later);

    void undo(Document &doc) override { write(doc, m_before); }
    void redo(Document &doc) override { write(doc, m_after); }
    size_t bytes() const override;

private:
    void write(Document &doc, const std::vector<ColorValue> &colours);
    int m_frame;
    std::vector<uint32_t> m_at;
    std::vector<ColorValue> m_before;
    std::vector<ColorValue> m_after;
    std::unordered_map<uint32_t, size_t> m_slot; // point -> its place in the lists
};

// The wiring as it stands: its records and its cell map.
struct WiringState
{
    std::vector<WiringPixel> records;
    std::vector<ColorValue> cellMap;
    static WiringState of(const Wiring &w) { return {w.pixels(), w.cellMap()}; }
    size_t bytes() const { return records.size() * sizeof(WiringPixel) + cellMap.size() * sizeof(ColorValue); }
};

class ShapeStep : public EditStep
{
public:
    enum Kind { QuarterTurn, Resize };
    // Made before the change: the geometry and wiring before it.
    ShapeStep(Kind kind, const Document &doc);
    // Made after the change: the geometry and wiring after it.
    void finish(const Document &doc);
    // The points a deletion of rows or columns removed (filled in by
    // resizeFrames), in frame order, row by row.
    std::vector<ColorValue> &removedPoints() { return m_removed; }

    void undo(Document &doc) override;
    void redo(Document &doc) override;
    size_t bytes() const override;
    bool changesFrameList() const override { return true; }

private:
    void restore(Document &doc, const GridGeometry &g, const WiringState &w);
    Kind m_kind;
    GridGeometry m_before, m_after;
    WiringState m_wiringBefore, m_wiringAfter;
    std::vector<ColorValue> m_removed;
};

struct EditRecord
{
    EditName name;
    int mergeKey = 0; // strokes: equal keys join into one
    int currentBefore = -1;
    int currentAfter = -1;
    std::vector<std::unique_ptr<EditStep>> steps;

    void undo(Document &doc);
    void redo(Document &doc);
    size_t bytes() const;
    bool changesFrameList() const;
    // Joins a later part of the same stroke; false when it is not one.
    bool merge(EditRecord &later);

private:
    void finish(Document &doc, int current, bool listChanged);
};

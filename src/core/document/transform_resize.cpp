#include "document/transform_resize.h"

#include "document/document.h"
#include "document/edit_record.h"
#include "document/frame_edit.h"
#include "document/transform_support.h"

#include <algorithm>
#include <cstring>
#include <vector>

void reshapeFrames(Document &doc, int oldRows, int oldCols, int newRows, int newCols,
                   std::vector<ColorValue> *removed, std::vector<ColorValue> *refill)
{
    const int keepRows = std::min(oldRows, newRows);
    const int keepCols = std::min(oldCols, newCols);
    const size_t keepBytes = size_t(keepCols) * sizeof(ColorValue);
    const bool fromRefill = refill && !refill->empty();
    size_t next = 0;
    FrameSequence &frames = doc.frames();
    for (int f = 0; f < frames.count(); ++f) {
        const Frame &old = frames[f];
        Frame resized(size_t(newRows) * size_t(newCols), 0);
        for (int y = 0; y < keepRows; ++y)
            std::memcpy(resized.data() + size_t(y) * size_t(newCols), old.data() + size_t(y) * size_t(oldCols),
                        keepBytes);
        // The points outside the part kept, row by row: the ones that go,
        // or the ones that come back.
        if (removed)
            for (int y = 0; y < oldRows; ++y)
                for (int x = y < keepRows ? keepCols : 0; x < oldCols; ++x)
                    removed->push_back(old.at(x, y, oldCols));
        if (fromRefill)
            for (int y = 0; y < newRows; ++y)
                for (int x = y < keepRows ? keepCols : 0; x < newCols && next < refill->size(); ++x)
                    resized.set(x, y, newCols, (*refill)[next++]);
        frames[f] = std::move(resized);
    }
    if (fromRefill)
        std::vector<ColorValue>().swap(*refill);
}

namespace {

bool resize(Document &doc, int newRows, int newCols, const EditName &name)
{
    if (!framesFitGeometry(doc) || newRows < 1 || newCols < 1 || !gridSizeAllowed(newRows, newCols))
        return false;
    const bool grows = newRows >= doc.rows() && newCols >= doc.cols();
    const int oldRows = doc.rows();
    const int oldCols = doc.cols();
    const std::vector<WiringPixel> records = doc.wiring().pixels();
    const std::vector<ColorValue> oldMap = doc.wiring().cellMap();
    const bool mapFits = oldMap.size() == size_t(oldRows) * size_t(oldCols);

    Document::UpdateBatch batch(doc);
    // A deletion keeps the points it removes for undo; an addition keeps
    // nothing (its undo drops the new points again).
    FrameEdit edit(doc, name);
    ShapeStep *step = edit.reshape(false);
    const bool shrinks = newRows * newCols < oldRows * oldCols;
    reshapeFrames(doc, oldRows, oldCols, newRows, newCols, step && shrinks ? &step->removedPoints() : nullptr);
    GridGeometry g = doc.geometry();
    g.rows = int16_t(newRows);
    g.cols = int16_t(newCols);
    // A new size makes the cell map anew, empty, and empties the list: what
    // deleting a row or a column wants.
    doc.setGeometry(g);
    if (grows) {
        Wiring &w = doc.wiring();
        w.assign(records);
        // The map grows like the frames: every old entry stays at its cell.
        if (mapFits)
            for (int y = 0; y < oldRows; ++y)
                for (int x = 0; x < oldCols; ++x)
                    w.setCellColour(x, y, oldMap[size_t(y) * size_t(oldCols) + size_t(x)]);
        doc.wiringEdited();
    }
    // The sequence keeps its current index (frames were replaced in place).
    doc.frameContentEdited();
    doc.framesEdited();
    return true;
}

} // namespace

bool addRow(Document &doc) { return resize(doc, doc.rows() + 1, doc.cols(), EditNames::AddRow); }

bool deleteRow(Document &doc)
{
    if (doc.rows() < 2)
        return false;
    return resize(doc, doc.rows() - 1, doc.cols(), EditNames::DeleteRow);
}

bool addColumn(Document &doc) { return resize(doc, doc.rows(), doc.cols() + 1, EditNames::AddColumn); }

bool deleteColumn(Document &doc)
{
    if (doc.cols() < 2)
        return false;
    return resize(doc, doc.rows(), doc.cols() - 1, EditNames::DeleteColumn);
}

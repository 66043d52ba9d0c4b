#include "document/transform_resize.h"

#include "document/document.h"
#include "document/transform_support.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Copies the top-left min(rows) x min(cols) of every frame into a frame of
// the new size whose other points are black.
void resizeFrames(Document &doc, int newRows, int newCols)
{
    const int oldCols = doc.cols();
    const int keepRows = std::min(doc.rows(), newRows);
    const size_t keepBytes = size_t(std::min(oldCols, newCols)) * sizeof(ColorValue);
    FrameSequence &frames = doc.frames();
    for (int f = 0; f < frames.count(); ++f) {
        const Frame &old = frames[f];
        Frame resized(size_t(newRows) * size_t(newCols), 0);
        for (int y = 0; y < keepRows; ++y)
            std::memcpy(resized.data() + size_t(y) * size_t(newCols), old.data() + size_t(y) * size_t(oldCols),
                        keepBytes);
        frames[f] = std::move(resized);
    }
}

bool resize(Document &doc, int newRows, int newCols)
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
    resizeFrames(doc, newRows, newCols);
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

bool addRow(Document &doc) { return resize(doc, doc.rows() + 1, doc.cols()); }

bool deleteRow(Document &doc)
{
    if (doc.rows() < 2)
        return false;
    return resize(doc, doc.rows() - 1, doc.cols());
}

bool addColumn(Document &doc) { return resize(doc, doc.rows(), doc.cols() + 1); }

bool deleteColumn(Document &doc)
{
    if (doc.cols() < 2)
        return false;
    return resize(doc, doc.rows(), doc.cols() - 1);
}

#include "document/transform_rotate.h"

#include "document/document.h"
#include "document/edit_record.h"
#include "document/frame_edit.h"
#include "document/transform_support.h"

#include <algorithm>
#include <utility>
#include <vector>

void rotateAnticlockwise(const ColorValue *src, ColorValue *dst, int rows, int cols)
{
    // The new top row is the old right column read from top to bottom:
    // new[i][k] = old[k][cols - 1 - i], in the same tiles as the clockwise
    // turn.
    constexpr int kTile = 32;
    const size_t R = size_t(rows);
    const size_t C = size_t(cols);
    for (int i0 = 0; i0 < cols; i0 += kTile) {
        const int i1 = std::min(cols, i0 + kTile);
        for (int k0 = 0; k0 < rows; k0 += kTile) {
            const int k1 = std::min(rows, k0 + kTile);
            for (int i = i0; i < i1; ++i) {
                ColorValue *out = dst + size_t(i) * R;
                for (int k = k0; k < k1; ++k)
                    out[k] = src[size_t(k) * C + (C - 1 - size_t(i))];
            }
        }
    }
}

void rotateClockwise(const ColorValue *src, ColorValue *dst, int rows, int cols)
{
    // The source is read down its columns; in tiles of 32 x 32 both the
    // rows read and the rows written stay in the cache for large grids.
    constexpr int kTile = 32;
    const size_t R = size_t(rows);
    const size_t C = size_t(cols);
    for (int i0 = 0; i0 < cols; i0 += kTile) {
        const int i1 = std::min(cols, i0 + kTile);
        for (int k0 = 0; k0 < rows; k0 += kTile) {
            const int k1 = std::min(rows, k0 + kTile);
            for (int i = i0; i < i1; ++i) {
                ColorValue *out = dst + size_t(i) * R;
                for (int k = k0; k < k1; ++k)
                    out[k] = src[(R - 1 - size_t(k)) * C + size_t(i)];
            }
        }
    }
}

bool rotateQuarterTurn(Document &doc)
{
    if (!framesFitGeometry(doc))
        return false;
    const GridGeometry old = doc.geometry();
    FrameSequence &frames = doc.frames();
    // Undone by the opposite turn: nothing of the frames is kept.
    FrameEdit edit(doc, EditNames::Rotate);
    edit.reshape(true);

    // One scratch buffer of the same size is turned into and swapped with
    // each frame in turn, so the run allocates once.
    std::vector<ColorValue> scratch(size_t(old.pointCount()));
    for (int f = 0; f < frames.count(); ++f) {
        std::vector<ColorValue> &px = frames[f].pixels();
        rotateClockwise(px.data(), scratch.data(), old.rows, old.cols);
        px.swap(scratch);
    }

    GridGeometry turned = old;
    std::swap(turned.rows, turned.cols);
    std::swap(turned.celWidth, turned.celHeight);

    Document::UpdateBatch batch(doc);
    // A new size empties the wiring; the turn keeps the list of records, so
    // it is put back and the cell map is made from the records that still
    // fall inside the grid.
    std::vector<WiringPixel> kept = doc.wiring().pixels();
    doc.setGeometry(turned);
    doc.wiring().assign(std::move(kept));
    doc.wiringEdited();
    doc.frameContentEdited();
    doc.framesEdited();
    return true;
}

#include "editing/invert.h"

#include "document/document.h"
#include "document/frame_edit.h"

void invertColours(ColorValue *pixels, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        pixels[i] = ~pixels[i] & 0x00FFFFFFu;
}

void invertRect(ColorValue *pixels, int cols, const GridRect &rect)
{
    for (int y = rect.top; y <= rect.bottom; ++y)
        invertColours(pixels + size_t(y) * size_t(cols) + size_t(rect.left), size_t(rect.width()));
}

bool invertFrames(Document &doc, FrameRange range, const BlockArea &area)
{
    if (range.first < 0 || range.first >= range.end || range.end > doc.frameCount())
        return false;
    const size_t points = size_t(doc.pointCount());
    const bool block = area.usable(doc.rows(), doc.cols());
    FrameSequence &frames = doc.frames();
    FrameEdit edit(doc, EditNames::Invert);
    for (int f = range.first; f < range.end; ++f) {
        if (frames[f].size() != points)
            continue; // never index a frame of another size with this grid
        Frame &frame = block ? edit.changeBlock(f, area.x0, area.y0, area.x1, area.y1) : edit.change(f);
        if (block)
            invertRect(frame.data(), doc.cols(), area.rect());
        else
            invertColours(frame.data(), points);
    }
    doc.frameContentEdited();
    return true;
}

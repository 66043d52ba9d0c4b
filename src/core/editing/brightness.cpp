#include "editing/brightness.h"

#include "document/document.h"
#include "document/frame_edit.h"

#include <algorithm>
#include <cmath>
#include <utility>

BrightnessCurve BrightnessCurve::normalised() const
{
    BrightnessCurve c{std::clamp(x1, 0, 255), std::clamp(y1, 0, 255), std::clamp(x2, 0, 255), std::clamp(y2, 0, 255)};
    if (c.x1 > c.x2) {
        std::swap(c.x1, c.x2);
        std::swap(c.y1, c.y2);
    }
    return c;
}

namespace {

int lerp(int v, int xa, int ya, int xb, int yb)
{
    const double t = double(v - xa) / double(xb - xa);
    return int(std::lround(ya + t * (yb - ya)));
}

} // namespace

BrightnessTable brightnessTable(const BrightnessCurve &curve)
{
    const BrightnessCurve c = curve.normalised();
    BrightnessTable t{};
    for (int v = 0; v < 256; ++v) {
        int level;
        if (v <= c.x1)
            level = c.x1 == 0 ? c.y1 : lerp(v, 0, 0, c.x1, c.y1);
        else if (v <= c.x2)
            level = lerp(v, c.x1, c.y1, c.x2, c.y2); // here x2 > x1
        else
            level = lerp(v, c.x2, c.y2, 255, 255); // here x2 < 255
        t[size_t(v)] = uint8_t(std::clamp(level, 0, 255));
    }
    return t;
}

void applyBrightness(ColorValue *pixels, size_t n, const BrightnessTable &table)
{
    for (size_t i = 0; i < n; ++i) {
        const ColorValue c = pixels[i];
        pixels[i] = ColorValue(table[c & 0xFFu]) | ColorValue(table[(c >> 8) & 0xFFu]) << 8 |
                    ColorValue(table[(c >> 16) & 0xFFu]) << 16;
    }
}

bool adjustBrightness(Document &doc, FrameRange range, const BlockArea &area, const BrightnessCurve &curve)
{
    if (range.first < 0 || range.first >= range.end || range.end > doc.frameCount())
        return false;
    const BrightnessTable table = brightnessTable(curve);
    const size_t points = size_t(doc.pointCount());
    const GridRect rect = area.areaOrGrid(doc.rows(), doc.cols());
    const bool whole = !area.usable(doc.rows(), doc.cols());
    FrameSequence &frames = doc.frames();
    FrameEdit edit(doc, EditNames::Brightness);
    for (int f = range.first; f < range.end; ++f) {
        if (frames[f].size() != points)
            continue; // never index a frame of another size with this grid
        Frame &frame = whole ? edit.change(f) : edit.changeBlock(f, rect.left, rect.top, rect.right, rect.bottom);
        if (whole) {
            applyBrightness(frame.data(), points, table);
            continue;
        }
        for (int y = rect.top; y <= rect.bottom; ++y)
            applyBrightness(frame.data() + size_t(y) * size_t(doc.cols()) + size_t(rect.left), size_t(rect.width()),
                            table);
    }
    doc.frameContentEdited();
    return true;
}

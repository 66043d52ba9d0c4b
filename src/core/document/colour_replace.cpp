#include "document/colour_replace.h"

#include "document/document.h"
#include "document/frame_edit.h"

namespace {

// Each basic colour with 1 in the components it lights, so that the colour
// at level L is L times this unit (black lights none).
constexpr ColorValue kUnit[kBasicColourCount] = {
    makeColor(1, 0, 0), makeColor(1, 1, 0), makeColor(0, 1, 0), makeColor(0, 1, 1),
    makeColor(0, 0, 1), makeColor(1, 0, 1), makeColor(1, 1, 1), 0,
};

bool validBasic(int i) { return i >= 0 && i < kBasicColourCount; }

// Level of a point for the old basic colour, or -1 when it does not match.
template <int Old> inline int levelOf(ColorValue c)
{
    const unsigned r = redOf(c), g = greenOf(c), b = blueOf(c);
    switch (Old) {
    case BasicRed: return r != 0 && g == 0 && b == 0 ? int(r) : -1;
    case BasicYellow: return r == g && r != 0 && b == 0 ? int(r) : -1;
    case BasicGreen: return r == 0 && g != 0 && b == 0 ? int(g) : -1;
    case BasicCyan: return r == 0 && g == b && g != 0 ? int(g) : -1;
    case BasicBlue: return r == 0 && g == 0 && b != 0 ? int(b) : -1;
    case BasicMagenta: return r == b && r != 0 && g == 0 ? int(b) : -1;
    case BasicWhite: return r == g && g == b && r != 0 ? int(r) : -1;
    default: return r == 0 && g == 0 && b == 0 ? 255 : -1; // black
    }
}

template <int Old> void replaceFrom(ColorValue *pixels, size_t n, ColorValue unit)
{
    for (size_t i = 0; i < n; ++i) {
        const int level = levelOf<Old>(pixels[i]);
        if (level >= 0)
            pixels[i] = unit * ColorValue(level);
    }
}

template <ComponentOrder O> void reorderAll(ColorValue *pixels, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const unsigned r = redOf(pixels[i]), g = greenOf(pixels[i]), b = blueOf(pixels[i]);
        switch (O) {
        case ComponentOrder::RBG: pixels[i] = makeColor(r, b, g); break;
        case ComponentOrder::GRB: pixels[i] = makeColor(g, r, b); break;
        case ComponentOrder::GBR: pixels[i] = makeColor(g, b, r); break;
        case ComponentOrder::BRG: pixels[i] = makeColor(b, r, g); break;
        case ComponentOrder::BGR: pixels[i] = makeColor(b, g, r); break;
        }
    }
}

} // namespace

ColorValue basicColour(int index) { return validBasic(index) ? kUnit[index] * 255u : 0; }

ColorValue ColourReplacement::oldColour() const
{
    return validBasic(oldIndex) ? basicColour(oldIndex) : oldCustom;
}

ColorValue ColourReplacement::newColour() const
{
    return validBasic(newIndex) ? basicColour(newIndex) : newCustom;
}

bool ColourReplacement::sidesAreSame() const { return oldColour() == newColour(); }

void reorderComponents(ColorValue *pixels, size_t n, ComponentOrder order)
{
    switch (order) {
    case ComponentOrder::RBG: reorderAll<ComponentOrder::RBG>(pixels, n); break;
    case ComponentOrder::GRB: reorderAll<ComponentOrder::GRB>(pixels, n); break;
    case ComponentOrder::GBR: reorderAll<ComponentOrder::GBR>(pixels, n); break;
    case ComponentOrder::BRG: reorderAll<ComponentOrder::BRG>(pixels, n); break;
    case ComponentOrder::BGR: reorderAll<ComponentOrder::BGR>(pixels, n); break;
    }
}

void replaceExact(ColorValue *pixels, size_t n, ColorValue from, ColorValue to)
{
    for (size_t i = 0; i < n; ++i)
        if (pixels[i] == from)
            pixels[i] = to;
}

void replaceBasic(ColorValue *pixels, size_t n, int oldBasic, int newBasic)
{
    if (!validBasic(oldBasic) || !validBasic(newBasic))
        return;
    const ColorValue unit = kUnit[newBasic];
    switch (oldBasic) {
    case BasicRed: replaceFrom<BasicRed>(pixels, n, unit); break;
    case BasicYellow: replaceFrom<BasicYellow>(pixels, n, unit); break;
    case BasicGreen: replaceFrom<BasicGreen>(pixels, n, unit); break;
    case BasicCyan: replaceFrom<BasicCyan>(pixels, n, unit); break;
    case BasicBlue: replaceFrom<BasicBlue>(pixels, n, unit); break;
    case BasicMagenta: replaceFrom<BasicMagenta>(pixels, n, unit); break;
    case BasicWhite: replaceFrom<BasicWhite>(pixels, n, unit); break;
    default: replaceFrom<BasicBlack>(pixels, n, unit); break;
    }
}

bool replaceColours(Document &doc, FrameRange range, const ColourReplacement &r)
{
    if (range.first < 0 || range.first >= range.end || range.end > doc.frameCount())
        return false;
    const bool oldOk = validBasic(r.oldIndex) || r.oldIndex == kOldCustomIndex;
    const bool newOk = validBasic(r.newIndex) || r.newIndex == kNewCustomIndex;
    const int order = int(r.order);
    if (!oldOk || !newOk || order < 0 || order >= kComponentOrderCount || r.sidesAreSame())
        return false;

    FrameEdit edit(doc, EditNames::ColourReplace);
    for (int f = range.first; f < range.end; ++f) {
        Frame &frame = edit.change(f);
        if (r.reorder)
            reorderComponents(frame.data(), frame.size(), r.order);
        else if (!validBasic(r.oldIndex) || !validBasic(r.newIndex))
            replaceExact(frame.data(), frame.size(), r.oldColour(), r.newColour());
        else
            replaceBasic(frame.data(), frame.size(), r.oldIndex, r.newIndex);
    }
    doc.frameContentEdited();
    return true;
}

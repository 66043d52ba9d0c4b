#pragma once
// "颜色替换": replace one colour by another over a range of frames, or
// reorder the colour components of every point.

#include "document/frame_range.h"
#include "settings/color_value.h"

#include <cstddef>

class Document;

// The eight basic colours of the dialog, by cell index.
enum BasicColour : int { BasicRed = 0, BasicYellow, BasicGreen, BasicCyan, BasicBlue, BasicMagenta, BasicWhite, BasicBlack };
constexpr int kBasicColourCount = 8;
// Index of each side's "其它..." custom colour.
constexpr int kOldCustomIndex = 8;
constexpr int kNewCustomIndex = 9;

// A basic colour at full level (black is 0).
ColorValue basicColour(int index);

// The five component orders of "RGB分量替换": the new (R, G, B) of a point is
// its old (R, B, G), (G, R, B), (G, B, R), (B, R, G) or (B, G, R).
enum class ComponentOrder : int { RBG = 0, GRB = 1, GBR = 2, BRG = 3, BGR = 4 };
constexpr int kComponentOrderCount = 5;

// Everything the dialog collects besides the range.
struct ColourReplacement
{
    int oldIndex = kOldCustomIndex; // 0..7 basic, 8 custom
    int newIndex = kNewCustomIndex; // 0..7 basic, 9 custom
    ColorValue oldCustom = 0x0064FF;
    ColorValue newCustom = 0x64FF00;
    bool reorder = false;
    ComponentOrder order = ComponentOrder::RBG;

    // The colour a side stands for: its basic colour, or its custom colour
    // when the custom cell is chosen.
    ColorValue oldColour() const;
    ColorValue newColour() const;
    // True when both sides stand for the same colour: "替换颜色相同!".
    bool sidesAreSame() const;
};

// "替换颜色相同!" (section "Message", key "SameColor").
QString sameColourText();

// Buffer kernels over n colours; each result has a top byte of 0.
void reorderComponents(ColorValue *pixels, size_t n, ComponentOrder order);
void replaceExact(ColorValue *pixels, size_t n, ColorValue from, ColorValue to);
// A point matches a basic colour with a level L (red: R != 0, G = B = 0,
// L = R; black: all 0, L = 255 ...) and becomes the new basic colour at
// level L, so each lamp keeps its brightness while its hue changes.
void replaceBasic(ColorValue *pixels, size_t n, int oldBasic, int newBasic);

// Applies the replacement to every frame of the range (whole frames).
// Returns false and changes nothing when the range does not fit the
// document, the sides are the same colour, or an index is out of bounds.
bool replaceColours(Document &doc, FrameRange range, const ColourReplacement &r);

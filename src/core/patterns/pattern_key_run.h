#pragma once
// One press of a pattern key on the document: the moved picture of the
// current frame inside the defined area (the whole grid when none),
// combined with the old colours by the colour action, added by the
// AddMode. Each press is one entry of the undo history.

#include "editing/colour_action.h"
#include "patterns/pattern_keys.h"

class Document;
class Prompt;
struct EditingState;

// The frame a key press makes from `current` (rows x cols): outside the
// rectangle a copy, inside colourAction(old, moved).
Frame patternKeyFrame(const Frame &current, int rows, int cols, const GridRect &rect, PatternAction action,
                      PatternKey key, int count, ColourAction colourAction, ColorValue blank);

// Presses the key: nothing happens without a current frame, and a frame
// that would not fit in memory is refused with "TooManyFrames" through the
// prompt. Returns whether a frame was added.
bool pressPatternKey(Document &doc, const EditingState &editing, PatternAction action, PatternKey key,
                     int count, Prompt &prompt);

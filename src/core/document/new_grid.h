#pragma once
// The confirm rules of the new-grid dialog, apart from the dialog itself.

#include "document/document.h"

#include <QString>

struct NewGridValues
{
    int rows = 0;
    int cols = 0;
    int celWidth = 0;
    int celHeight = 0;
    int scanModeIndex = 0;   // program mode list: 0 normal, 1 gradient
    int baseColourIndex = 0; // base colour list: 0 single, 1 two, 2 three
};

// The values the dialog opens with: the current geometry.
NewGridValues newGridValuesFrom(const GridGeometry &g);

// The parameter error text in the active language.
QString parameterErrorText();

// Checks the values; on success takes them over into the document's
// geometry (a changed size rebuilds the cell map empty and empties the
// wiring) and returns an empty text. Otherwise returns the parameter error
// text with a second line naming the wrong field and its range, and
// changes nothing. Sizes must be positive, each side at most 32767
// and the grid at most 16 M points.
QString applyNewGridValues(Document &doc, const NewGridValues &v);

// The whole File > New after a confirmed dialog: applies the values and
// starts a fresh document with one frame. Returns the error text, if any.
QString createNewDocument(Document &doc, const NewGridValues &v);

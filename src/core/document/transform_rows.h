#pragma once
// "提取奇数行" and "提取偶数行": keep every other row of every frame.

#include "settings/color_value.h"

class Document;

// Odd rows counts from 1 as the user does: rows 1, 3, 5 ... are the 0-based
// rows 0, 2, 4 ...; even rows are 1, 3, 5 ... (0-based).
enum class RowParity { Odd, Even };

// Copies the kept rows of a rows x cols picture in their order to its top
// and sets every row below them to black, in place.
void extractRowsInPlace(ColorValue *pixels, int rows, int cols, RowParity parity);

// Applies extractRowsInPlace to every frame; the grid size stays. Returns
// false when the document has no frames.
bool extractRows(Document &doc, RowParity parity);

#pragma once
// "增加一行", "删除一行", "增加一列", "删除一列": the grid grows or shrinks by
// one row at the bottom or one column at the right, in every frame.
//
// Growing keeps the wiring: its cell map is extended like the frames, the
// new row or column unwired. Shrinking empties the wiring (records of the
// dropped cells would point outside the grid, and the chain numbering of
// their ports would have gaps). In every case the frame that was current
// stays current (the last one when it no longer exists), so play, saving
// and painting keep working without the user picking a frame first.

class Document;

// Each returns false and changes nothing when the document has no frames,
// when a deletion would leave fewer than one row or column, or when an
// addition would exceed the largest grid allowed.
bool addRow(Document &doc);
bool deleteRow(Document &doc);
bool addColumn(Document &doc);
bool deleteColumn(Document &doc);

#include "settings/color_value.h"

#include <vector>

// Every frame from oldRows x oldCols to newRows x newCols, the top-left
// part kept. The points that fall away are appended to `removed` when it is
// given (frame by frame, row by row); new points are taken in the same
// order from `refill` when it holds them (it is emptied then), else black.
void reshapeFrames(Document &doc, int oldRows, int oldCols, int newRows, int newCols,
                   std::vector<ColorValue> *removed, std::vector<ColorValue> *refill = nullptr);

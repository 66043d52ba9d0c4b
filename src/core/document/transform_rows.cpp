#include "document/transform_rows.h"

#include "document/document.h"
#include "document/frame_edit.h"
#include "document/transform_support.h"

#include <cstring>

void extractRowsInPlace(ColorValue *pixels, int rows, int cols, RowParity parity)
{
    const size_t rowBytes = size_t(cols) * sizeof(ColorValue);
    int kept = 0;
    // The source row is never above the target row, so copying top-down
    // never overwrites a row still to be read.
    for (int src = parity == RowParity::Odd ? 0 : 1; src < rows; src += 2, ++kept)
        if (src != kept)
            std::memcpy(pixels + size_t(kept) * size_t(cols), pixels + size_t(src) * size_t(cols), rowBytes);
    std::memset(pixels + size_t(kept) * size_t(cols), 0, size_t(rows - kept) * rowBytes);
}

bool extractRows(Document &doc, RowParity parity)
{
    if (!framesFitGeometry(doc))
        return false;
    FrameEdit edit(doc, parity == RowParity::Odd ? EditNames::OddRows : EditNames::EvenRows);
    for (int f = 0; f < doc.frameCount(); ++f)
        extractRowsInPlace(edit.change(f).data(), doc.rows(), doc.cols(), parity);
    doc.frameContentEdited();
    return true;
}

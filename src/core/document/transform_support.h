#pragma once
// Checks the whole-document transforms make before they touch any buffer.

#include "document/document.h"

// True when the document has frames and every one of them holds exactly
// Rows x Cols colours, so a transform may index them with the geometry.
inline bool framesFitGeometry(const Document &doc)
{
    const size_t points = size_t(doc.pointCount());
    if (doc.frameCount() == 0 || points == 0)
        return false;
    const FrameSequence &frames = doc.frames();
    for (int i = 0; i < frames.count(); ++i)
        if (frames[i].size() != points)
            return false;
    return true;
}

#include "document/frame_range.h"

std::optional<FrameRange> FrameRange::fromDialog(int start, int last, int frameCount)
{
    // With s = start - 1 and e = last the range is valid when
    // 0 <= s < e <= frameCount. Computed in 64 bits so that field values near
    // the int limits cannot wrap into a valid-looking range.
    const long long s = static_cast<long long>(start) - 1;
    const long long e = last;
    if (s < 0 || s >= e || e > frameCount)
        return std::nullopt;
    return FrameRange{int(s), int(e)};
}

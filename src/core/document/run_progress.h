#pragma once
// How a long run (a pattern, frame repetition, a repeated paste) tells how
// far it has come and learns that the user wants it to stop. The run calls
// it after each frame it made; a false answer ends the run right there,
// keeping the frames made so far, as a run that had ended at that frame
// would have left the document. The editor shows it as a progress dialog
// with a Cancel button; no widget is involved here.

#include <cstdint>
#include <functional>

// `made` frames so far of the `expected` the run will make (0 when not
// known in advance). True: go on.
using RunProgress = std::function<bool(int64_t made, int64_t expected)>;

// The answer of `progress`, or "go on" when nobody listens.
inline bool runGoesOn(const RunProgress &progress, int64_t made, int64_t expected)
{
    return !progress || progress(made, expected);
}

// Project reader: a ".wst" file may hold any bytes. Reading must never crash
// or allocate beyond what the file holds, and whatever it accepts must be a
// consistent project that the writer turns back into the same frames.
#include "document/project_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int lastProgress = -1;
    int calls = 0;
    const ProjectReadResult r = readProjectData(data, size, [&](int p) {
        check(p >= 0 && p < 50);
        lastProgress = p;
        ++calls;
    });
    if (!r.ok()) {
        check(!r.error.key.isEmpty());
        check(calls == 0);
        return 0;
    }
    const ProjectData &d = *r.data;
    check(lastProgress == 0);
    check(calls == int(d.frames.size()) + 1);
    check(gridSizeAllowed(d.geometry.rows, d.geometry.cols));
    check(d.geometry.celWidth >= 1 && d.geometry.celHeight >= 1);
    check(d.geometry.baseColorNum >= 1 && d.geometry.baseColorNum <= 3);
    check(d.geometry.scanMode <= 1);
    check(d.declaredFrames >= 0);
    check(d.truncated == (int(d.frames.size()) < d.declaredFrames));
    check(int(d.frames.size()) <= d.declaredFrames);
    for (const Frame &f : d.frames)
        check(f.size() == size_t(d.geometry.pointCount()));
    // Memory follows the file's size: the frames' points together are at
    // most one per byte of the file, or one frame of a file whose frames
    // hold no bytes.
    const size_t framePoints = size_t(d.geometry.pointCount());
    check(d.frames.size() * framePoints <= std::max(size, framePoints));

    // Small accepted files go through the writer and back: the colours
    // survive (without the top byte, which the current layout does not hold).
    if (d.frames.size() * size_t(d.geometry.pointCount()) <= 4096) {
        FrameSequence frames;
        frames.assign(d.frames, 0);
        const ProjectReadResult again = readProjectBytes(projectBytes(d.geometry, frames));
        check(again.ok() && !again.data->truncated);
        check(again.data->geometry == d.geometry);
        check(again.data->frames.size() == d.frames.size());
        for (size_t i = 0; i < d.frames.size(); ++i)
            for (size_t p = 0; p < d.frames[i].size(); ++p)
                check(again.data->frames[i][p] == (d.frames[i][p] & 0xFFFFFFu));
    }
    return 0;
}

#include "document/frame_budget.h"

#include "document/document.h"
#include "document/frame_repeat.h"
#include "settings/prompt.h"

#include <algorithm>
#include <climits>
#include <unistd.h>

namespace {

// A frame's vector header and the allocator's own bytes around its data.
constexpr int64_t kFrameOverhead = 64;

int64_t physicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return kMaxProjectFrameBytes * 2; // unknown: the fixed bound applies
    return int64_t(pages) * int64_t(pageSize);
}

} // namespace

int64_t frameMemoryBudget()
{
    static const int64_t budget = std::min(physicalMemory() / 2, kMaxProjectFrameBytes);
    return budget;
}

int64_t frameBytes(int64_t points)
{
    return std::max<int64_t>(points, 0) * int64_t(sizeof(ColorValue)) + kFrameOverhead;
}

bool framesFit(int64_t frames, int64_t points, int64_t budget)
{
    if (frames < 0)
        return false;
    // The frame numbers stay well inside an int, as frame repetition always
    // kept them.
    if (frames > INT_MAX / 2)
        return false;
    const int64_t each = frameBytes(points);
    return frames <= budget / each;
}

bool checkFramesToAdd(const Document &doc, int64_t added, Prompt &prompt)
{
    if (added <= 0)
        return true;
    if (added <= INT_MAX && framesFit(int64_t(doc.frameCount()) + added, doc.pointCount()))
        return true;
    prompt.inform(tooManyFramesText(), PromptIcon::Error);
    return false;
}

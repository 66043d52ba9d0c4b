#include "document/frame_repeat.h"

#include "document/document.h"
#include "document/frame_budget.h"

#include <vector>

RepeatResult repeatFrames(Document &doc, FrameRange range, int n)
{
    const int count = doc.frameCount();
    if (range.first < 0 || range.first >= range.end || range.end > count)
        return RepeatResult::BadRange;
    if (n <= 0)
        return RepeatResult::NothingToDo;
    const long long added = static_cast<long long>(range.count()) * n;
    const long long total = count + added;
    if (!framesFit(total, doc.pointCount()))
        return RepeatResult::TooManyFrames;

    // One pass that moves every frame once into a new order; inserting copy
    // by copy would shift the frames behind the range again for each copy.
    std::vector<Frame> old = doc.frames().takeAll();
    std::vector<Frame> out;
    out.reserve(size_t(total));
    for (int i = 0; i < count; ++i) {
        out.push_back(std::move(old[size_t(i)]));
        if (range.contains(i)) {
            const size_t original = out.size() - 1;
            for (int c = 0; c < n; ++c)
                out.push_back(out[original]);
        }
    }
    const int current = range.first + int(static_cast<long long>(range.count()) * (n + 1)) - 1;

    Document::UpdateBatch batch(doc);
    doc.frames().assign(std::move(out), current);
    doc.framesEdited();
    return RepeatResult::Done;
}

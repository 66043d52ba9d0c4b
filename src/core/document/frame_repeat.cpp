#include "document/frame_repeat.h"

#include "document/document.h"
#include "document/frame_budget.h"
#include "document/frame_edit.h"

#include <vector>

RepeatResult repeatFrames(Document &doc, FrameRange range, int n, const RunProgress &progress)
{
    const int count = doc.frameCount();
    if (range.first < 0 || range.first >= range.end || range.end > count)
        return RepeatResult::BadRange;
    if (n <= 0)
        return RepeatResult::NothingToDo;
    const int64_t added = int64_t(range.count()) * n;
    const int64_t total = count + added;
    if (!framesFit(total, doc.pointCount()))
        return RepeatResult::TooManyFrames;

    // The slow part, the copies, comes first, with the document untouched.
    std::vector<Frame> copies;
    copies.reserve(size_t(added));
    const FrameSequence &frames = doc.frames();
    bool goOn = true;
    for (int i = range.first; i < range.end && goOn; ++i)
        for (int c = 0; c < n && goOn; ++c) {
            copies.push_back(frames.at(i));
            goOn = runGoesOn(progress, int64_t(copies.size()), added);
        }

    // Then one pass that moves every frame once into its new place;
    // inserting copy by copy would shift the frames behind the range again
    // for each copy. The copies of range frame k are copies[k * n ...].
    FrameEdit edit(doc, EditNames::FrameRepeat);
    std::vector<Frame> old = doc.frames().takeAll();
    std::vector<Frame> out;
    out.reserve(size_t(count) + copies.size());
    size_t next = 0;
    int current = range.first;
    // Where the copies of each frame went: undo takes exactly these out.
    std::vector<std::pair<int, int>> placed;
    for (int i = 0; i < count; ++i) {
        out.push_back(std::move(old[size_t(i)]));
        if (!range.contains(i))
            continue;
        const int at = int(out.size());
        for (int c = 0; c < n && next < copies.size(); ++c) {
            out.push_back(std::move(copies[next++]));
            current = int(out.size()) - 1;
        }
        if (int(out.size()) > at)
            placed.emplace_back(at, int(out.size()) - at);
    }

    Document::UpdateBatch batch(doc);
    doc.frames().assign(std::move(out), current);
    for (const auto &[at, added] : placed)
        edit.inserted(at, added);
    doc.framesEdited();
    return RepeatResult::Done;
}

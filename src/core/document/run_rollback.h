#pragma once
// Taking back the frames a run added when it could not finish (memory ran
// out half way). The frames are told apart by their buffers: a frame the
// document held before the run keeps its buffer however the sequence moves
// it, a frame the run made has another one.

#include <vector>

class Document;

class RunRollback
{
public:
    // Remembers the frames `doc` holds now and its current frame.
    explicit RunRollback(const Document &doc);

    // Removes the frames added since, when that is certain: every frame held
    // before is still there in its order and the others are exactly as many
    // as the sequence grew by (a run that also replaced or reordered frames
    // is left as it is). The current frame goes back to where it was.
    // Returns the number of frames removed.
    int removeAddedFrames(Document &doc) const;

private:
    std::vector<const void *> m_buffers; // in frame order
    int m_count = 0;
    int m_current = -1;
};

// What a run reports afterwards: the frames it wrote, how many of them were
// there before, and the status-bar line that says so.
#include "patterns/add_mode.h"
#include "patterns/pattern_run_summary.h"
#include "pattern_test_support.h"

namespace {

using RunRecord = PatternTest;

// Hands `n` frames over by `mode` and returns the target's record.
PatternTarget handOver(Document &doc, AddMode mode, int n)
{
    PatternTarget target{doc, int(mode)};
    {
        FrameSink sink(target, AddRule::FollowAddMode, n);
        for (int i = 0; i < n; ++i)
            sink.hand(Frame(size_t(doc.pointCount()), kRed));
    }
    return target;
}

TEST_F(RunRecord, TheFramesWrittenAndThoseChangedByEachMode)
{
    struct Case
    {
        AddMode mode;
        int current, handed;     // in a sequence of three frames
        int first, last, changed;
        int framesAfter;
    };
    const Case cases[] = {
        // New frames after the current one; nothing there before changes.
        {AddMode::Insert, 1, 4, 2, 5, 0, 7},
        // Frames 1 and 2 overwritten, 3 and 4 written past the old end
        // (the last step leaves a fresh frame 5 current).
        {AddMode::Overwrite, 1, 4, 1, 4, 2, 6},
        // Written over one frame again and again: one changed.
        {AddMode::CurrentFrame, 2, 5, 2, 2, 1, 3},
        // Nothing handed over: no record.
        {AddMode::Overwrite, 0, 0, -1, -1, 0, 3},
    };
    for (const Case &c : cases) {
        auto doc = documentOf(1, 2, 3);
        doc->goToFrame(c.current);
        const PatternTarget t = handOver(*doc, c.mode, c.handed);
        EXPECT_EQ(t.firstWritten, c.first) << int(c.mode);
        EXPECT_EQ(t.lastWritten, c.last) << int(c.mode);
        EXPECT_EQ(t.changed, c.changed) << int(c.mode);
        EXPECT_EQ(doc->frameCount(), c.framesAfter) << int(c.mode);
    }
}

TEST_F(RunRecord, TheSummaryInTheThreeLanguages)
{
    struct Case
    {
        int language, added, changed;
        const char *text;
    };
    const Case cases[] = {
        {Language::English, 780, 0, "Added 780 frames"},
        {Language::English, 1, 0, "Added 1 frame"},
        {Language::English, 0, 12, "Changed 12 frames"},
        {Language::English, 0, 1, "Changed 1 frame"},
        {Language::English, 9, 1, "Added 9 frames and changed 1"},
        {Language::English, 0, 0, ""},
        {Language::Chinese, 780, 0, "已添加780帧"},
        {Language::Chinese, 0, 1, "已修改1帧"},
        {Language::Chinese, 9, 1, "已添加9帧,修改1帧"},
        {Language::Traditional, 780, 0, "已添加780幀"},
        {Language::Traditional, 9, 1, "已添加9幀,修改1幀"},
    };
    for (const Case &c : cases) {
        Language::setCode(c.language);
        EXPECT_EQ(patternRunSummary(c.added, c.changed), QString::fromUtf8(c.text)) << c.language << " " << c.text;
    }
    Language::setCode(Language::English);
}

} // namespace

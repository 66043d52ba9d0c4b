// Progress while frames load: the frame's index modulo 50 after each frame,
// then a final 0.
#include "document/project_file.h"
#include "project_test_files.h"

#include <gtest/gtest.h>

using namespace testfiles;

namespace {

std::vector<int> progressOf(const QByteArray &bytes, bool *ok = nullptr)
{
    std::vector<int> seen;
    const ProjectReadResult r = readProjectBytes(bytes, [&](int p) { seen.push_back(p); });
    if (ok)
        *ok = r.ok();
    return seen;
}

std::vector<int> expectedFor(int frames)
{
    std::vector<int> v;
    for (int i = 0; i < frames; ++i)
        v.push_back(i % 50);
    v.push_back(0);
    return v;
}

} // namespace

TEST(ProjectProgress, RunsZeroToFortyNineRepeatedlyThenEndsWithZero)
{
    RawHeader h;
    h.rows = 1;
    h.cols = 2;
    for (int frames : {0, 1, 49, 50, 51, 123}) {
        h.frameCount = frames;
        const std::vector<int> seen = progressOf(currentLayout(h, seededFrames(frames, 2, 1)));
        EXPECT_EQ(seen, expectedFor(frames)) << frames << " frames";
    }
}

TEST(ProjectProgress, TruncatedFileReportsOnlyTheFramesRead)
{
    RawHeader h;
    h.rows = 1;
    h.cols = 2;
    h.frameCount = 1000;
    bool ok = false;
    const std::vector<int> seen = progressOf(oldLayout(h, seededFrames(60, 2, 1)), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(seen, expectedFor(60));
}

TEST(ProjectProgress, FormatErrorReportsNothing)
{
    bool ok = true;
    const std::vector<int> seen = progressOf(QByteArray("NOTAPROJECT-----------------------"), &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(seen.empty());
}

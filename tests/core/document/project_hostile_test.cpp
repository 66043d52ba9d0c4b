// Damaged and hostile project files: every one ends in a format error or in
// the frames the file really holds, never in a crash or a huge allocation.
#include "document/project_file.h"
#include "project_test_files.h"

#include <gtest/gtest.h>

using namespace testfiles;

namespace {

const ScrambleKey &key()
{
    static const ScrambleKey k = makeScrambleKey(65521, 65519);
    return k;
}

void expectFormatError(const QByteArray &bytes, const char *what)
{
    const ProjectReadResult r = readProjectBytes(bytes);
    EXPECT_FALSE(r.ok()) << what;
    EXPECT_EQ(r.error.key, QStringLiteral("FileFormatError")) << what;
    EXPECT_FALSE(r.error.detail.isEmpty()) << what;
}

} // namespace

TEST(HostileProjects, HugeFrameCountGivesTheCompleteFramesInEveryLayout)
{
    const std::vector<Frame> frames = seededFrames(3, 6, 11);
    RawHeader h;
    h.rows = 2;
    h.cols = 3;
    h.frameCount = 0x7FFFFFFF;
    ScrambledHeader s;
    s.rows = 2;
    s.cols = 3;
    s.frameCount = 0x7FFFFFFF;

    // Cut into the middle of the fourth frame: three complete frames remain.
    const QByteArray files[] = {
        currentLayout(h, seededFrames(4, 6, 11)).chopped(5),
        oldLayout(h, seededFrames(4, 6, 11)).chopped(5),
        scrambledLayout(key(), s, seededFrames(4, 6, 11)).chopped(5),
    };
    for (const QByteArray &bytes : files) {
        const ProjectReadResult r = readProjectBytes(bytes);
        ASSERT_TRUE(r.ok());
        EXPECT_TRUE(r.data->truncated);
        EXPECT_EQ(r.data->declaredFrames, 0x7FFFFFFF);
        EXPECT_EQ(r.data->frames, frames);
        EXPECT_LE(r.data->frames.capacity(), 4u); // reserved by what the file holds
    }
}

TEST(HostileProjects, MessageOfATruncatedFileGivesBothCounts)
{
    RawHeader h;
    h.rows = 2;
    h.cols = 2;
    h.frameCount = 9;
    const ProjectReadResult r = readProjectBytes(currentLayout(h, seededFrames(2, 4, 1)));
    ASSERT_TRUE(r.ok());
    ASSERT_TRUE(r.data->truncated);
    const QString text = truncatedMessage(*r.data);
    EXPECT_TRUE(text.contains(QLatin1String("2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("9"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QLatin1String("%d"))) << text.toStdString();
}

TEST(HostileProjects, NegativeFrameCountIsAFormatError)
{
    RawHeader h;
    h.rows = 2;
    h.cols = 2;
    for (int32_t count : {-1, INT32_MIN}) {
        h.frameCount = count;
        expectFormatError(currentLayout(h, seededFrames(1, 4, 1)), "current");
        expectFormatError(oldLayout(h, seededFrames(1, 4, 1)), "old");
    }
    ScrambledHeader s;
    s.rows = 2;
    s.cols = 2;
    s.frameCount = 0x80000000u; // a signed count of -2^31 once decoded
    expectFormatError(scrambledLayout(key(), s, {}), "scrambled");
}

TEST(HostileProjects, GridsBeyondTheBoundsAreFormatErrors)
{
    // Each side fits 16 bits, but together they pass 16 M points.
    RawHeader h;
    h.rows = 32767;
    h.cols = 32767;
    h.frameCount = 1;
    expectFormatError(currentLayout(h, {}), "current 32767 x 32767");
    expectFormatError(oldLayout(h, {}), "old 32767 x 32767");

    // At the bound exactly it reads (no frames, so nothing is allocated).
    h.rows = 4096;
    h.cols = 4096;
    h.frameCount = 0;
    EXPECT_TRUE(readProjectBytes(currentLayout(h, {})).ok());
    h.cols = 4097;
    expectFormatError(currentLayout(h, {}), "one column over");

    // The scrambled size word gives Cols 20 bits: a side above 32767.
    const auto enc = [](uint32_t w) { return referencePower(w, key().encodeExponent, key().n); };
    expectFormatError(scrambledLayoutRaw(key().n, key().key, enc(1), enc(1 | 40000u << 12), enc(20 | 20 << 16), {}),
                      "scrambled side over 32767");
}

TEST(HostileProjects, ScrambledModulusBelowTwoIsAFormatError)
{
    for (uint32_t n : {0u, 1u})
        expectFormatError(scrambledLayoutRaw(n, 5, 1, 1, 1, {}), "small modulus");
    // 2 is the smallest modulus that works: every word decodes to 0 or 1.
    const ProjectReadResult r = readProjectBytes(scrambledLayoutRaw(2, 1, 1, 1 | 1 << 12, 1, {Frame(1)}));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.data->geometry.rows, 1);
    EXPECT_EQ(r.data->geometry.cols, 1);
    EXPECT_EQ(r.data->frames.size(), 1u);
}

TEST(HostileProjects, EveryCutInsideAHeaderIsAFormatError)
{
    RawHeader h;
    h.rows = 1;
    h.cols = 1;
    ScrambledHeader s;
    s.rows = 1;
    s.cols = 1;
    const QByteArray files[] = {currentLayout(h, {}), oldLayout(h, {}), scrambledLayout(key(), s, {})};
    for (const QByteArray &full : files) {
        ASSERT_TRUE(readProjectBytes(full).ok());
        for (qsizetype len = 0; len < full.size(); ++len)
            expectFormatError(full.left(len), "cut header");
    }
}

TEST(HostileProjects, FramesWithoutBytesAreBoundedByTheFileSize)
{
    // Rows 0: every frame takes no bytes in the file, so the header alone
    // cannot bound their number. A 32-byte file of 32,767-point frames opens
    // with one of them, not hundreds (64 MB); the rest are missing.
    RawHeader h;
    h.rows = 0;
    h.cols = 32767;
    h.frameCount = 0x7FFFFFFF;
    const QByteArray header = currentLayout(h, {});
    const ProjectReadResult wide = readProjectBytes(header);
    ASSERT_TRUE(wide.ok());
    EXPECT_TRUE(wide.data->truncated);
    EXPECT_EQ(wide.data->frames.size(), 1u);

    // Narrow frames: together at most one point per byte of the file, so
    // bytes after the header let more of them open.
    h.cols = 8;
    const ProjectReadResult small = readProjectBytes(currentLayout(h, {}));
    ASSERT_TRUE(small.ok());
    EXPECT_EQ(small.data->frames.size(), size_t(kCurrentHeaderSize / 8));
    const ProjectReadResult padded = readProjectBytes(currentLayout(h, {}) + QByteArray(800, '\x7f'));
    ASSERT_TRUE(padded.ok());
    EXPECT_EQ(padded.data->frames.size(), size_t((kCurrentHeaderSize + 800) / 8));

    // However large the file, frames of one point stop at a fixed number.
    h.cols = 1;
    const ProjectReadResult many = readProjectBytes(currentLayout(h, {}) + QByteArray(1 << 20, '\0'));
    ASSERT_TRUE(many.ok());
    EXPECT_TRUE(many.data->truncated);
    EXPECT_EQ(many.data->frames.size(), 10000u);
}

TEST(HostileProjects, MissingAndUnreadablePathsAreOpenErrors)
{
    for (const QString &path : {QStringLiteral("/nonexistent/brightloom/none.wst"), QStringLiteral("/")}) {
        const ProjectReadResult r = readProjectFile(path);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.error.key, QStringLiteral("OpenFileError"));
        EXPECT_EQ(r.error.defaultText, QStringLiteral("OpenFileError"));
        EXPECT_FALSE(r.error.detail.isEmpty());
    }
}

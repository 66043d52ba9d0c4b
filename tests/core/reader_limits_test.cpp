// Every reader of an outside file, given an input near the largest it
// accepts, reads it in well under a second: work that grows with the square
// of the input (a list inserted at its front, a search per record) shows up
// here as seconds. Instrumented builds run several times slower, so there
// the inputs are still read and checked but the time is not judged.
#include "document/project_file.h"
#include "document/project_test_files.h"
#include "output/fseq_fixture.h"
#include "palette/colour_pad_file.h"
#include "palette/palette_file.h"
#include "patterns/picture_pattern.h"
#include "scripted_prompt.h"
#include "settings/profile_file.h"
#include "wiring/wiring_files.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <ctime>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLimitsTimed = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kLimitsTimed = false;
#else
constexpr bool kLimitsTimed = true;
#endif
#else
constexpr bool kLimitsTimed = true;
#endif

// Runs `read` once and fails the test when it took a second or more of
// processor time (not of the clock: other builds share the machine).
template <class Read> void expectReadInUnderASecond(const char *what, Read read)
{
    const std::clock_t start = std::clock();
    read();
    const long ms = long((std::clock() - start) * 1000 / CLOCKS_PER_SEC);
    if (kLimitsTimed) {
        EXPECT_LT(ms, 1000) << what << " took " << ms << " ms";
    }
}

// One record per point of a rows x cols grid, on chains of 4096 pixels.
std::vector<WiringPixel> limitsWiring(int rows, int cols)
{
    std::vector<WiringPixel> records;
    records.reserve(size_t(rows) * size_t(cols));
    for (int i = 0; i < rows * cols; ++i) {
        WiringPixel p;
        p.port = i / 4096;
        p.pixel = i % 4096;
        p.column = i % cols;
        p.row = i / cols;
        records.push_back(p);
    }
    return records;
}

TEST(ReaderLimits, ProjectOfTheLargestGridAndOfManyFrames)
{
    // One frame of 4096 x 4096 points, the most a grid may have.
    testfiles::RawHeader h;
    h.rows = 4096;
    h.cols = 4096;
    h.frameCount = 1;
    const std::vector<Frame> big = testfiles::seededFrames(1, size_t(kMaxGridPoints), 7u);
    const QByteArray largest = testfiles::currentLayout(h, big);
    ProjectReadResult r;
    expectReadInUnderASecond("a 4096 x 4096 project", [&] { r = readProjectBytes(largest); });
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.data->frames.size(), 1u);
    EXPECT_EQ(r.data->frames[0], big[0]);

    // 200,000 frames of one point each: every frame is its own allocation.
    h.rows = 1;
    h.cols = 1;
    h.frameCount = 200000;
    const std::vector<Frame> many = testfiles::seededFrames(200000, 1, 11u);
    const QByteArray manyFrames = testfiles::currentLayout(h, many);
    expectReadInUnderASecond("a project of 200,000 frames", [&] { r = readProjectBytes(manyFrames); });
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.data->frames.size(), 200000u);
    EXPECT_EQ(r.data->frames[199999], many[199999]);
}

TEST(ReaderLimits, WiringAndUndoFilesOfAMillionRecords)
{
    // Every point of a 1024 x 1024 grid wired.
    const std::vector<WiringPixel> records = limitsWiring(1024, 1024);
    const QByteArray line = lineFileBytes(1024, 1024, 2, records);
    LineReadResult lr;
    int dropped = -1;
    expectReadInUnderASecond("a .line of 1 M records", [&] {
        lr = readLineBytes(line);
        if (lr.file)
            dropped = dropImplausibleRecords(lr.file->content.records, 1024, 1024);
    });
    ASSERT_TRUE(lr.file.has_value());
    EXPECT_EQ(dropped, 0);
    EXPECT_EQ(lr.file->content.records, records);

    const QByteArray undo = undoFileBytes(records);
    UndoReadResult ur;
    expectReadInUnderASecond("an undo file of 1 M records", [&] { ur = readUndoBytes(undo); });
    ASSERT_TRUE(ur.content.has_value());
    EXPECT_FALSE(ur.content->incomplete());
    EXPECT_EQ(ur.content->records.size(), records.size());
    EXPECT_EQ(ur.content->records.back(), records.back());
}

TEST(ReaderLimits, PalettesBeyondTheirFiveHundredTwelveColours)
{
    // The readers stop at 512 colours; a file far longer is still read at
    // once and only its first 512 count.
    std::vector<ColorValue> colours;
    for (int i = 0; i < 512; ++i)
        colours.push_back(ColorValue(i * 0x010203) & 0xFFFFFFu);
    const QByteArray col = paletteFileBytes(colours, 1) + QByteArray(4 << 20, '\x5a');
    PaletteFileRead pr;
    expectReadInUnderASecond("a 4 MB .col", [&] { pr = parsePaletteFile(col, 1); });
    EXPECT_EQ(pr.error, PaletteFileRead::None);
    EXPECT_EQ(pr.colours, colours);

    QByteArray pad;
    for (ColorValue c : colours)
        pad.append(reinterpret_cast<const char *>(&c), 4);
    pad += QByteArray(4 << 20, '\x11');
    std::vector<ColorValue> padColours;
    expectReadInUnderASecond("a 4 MB CurColorPad.dat", [&] { padColours = parseColourPad(pad); });
    EXPECT_EQ(padColours, colours);
}

TEST(ReaderLimits, SettingsFilesJustBelowTheirSizeLimit)
{
    // Lines of keys in sections of a hundred, up to just below the largest
    // file a profile is read from; once in UTF-8 and once in GBK (a Chinese
    // language file), where every line goes through the GBK decoder.
    for (const QByteArray &first : {QByteArray("Title=\xe4\xb8\xad\xe6\x96\x87\r\n"),
                                    QByteArray("Title=\xd6\xd0\xce\xc4\r\n")}) {
        QByteArray ini = "[main]\r\n" + first;
        ini.reserve(ProfileFile::kMaxFileBytes);
        int keys = 0;
        while (ini.size() < ProfileFile::kMaxFileBytes - 64) {
            if (keys % 100 == 0)
                ini += "[section" + QByteArray::number(keys / 100) + "]\r\n";
            ini += "key" + QByteArray::number(keys % 100) + "=" + QByteArray::number(keys) + "\r\n";
            ++keys;
        }
        ProfileFile profile;
        expectReadInUnderASecond("a 1 MB profile", [&] { profile = ProfileFile::fromBytes(ini); });
        EXPECT_EQ(profile.readText(QStringLiteral("main"), QStringLiteral("Title"), QString()),
                  QStringLiteral("中文"));
        const int last = keys - 1;
        EXPECT_EQ(profile.readInt(QStringLiteral("section%1").arg(last / 100), QStringLiteral("key%1").arg(last % 100), -1),
                  last);
        EXPECT_EQ(profile.readInt(QStringLiteral("section0"), QStringLiteral("key0"), -1), 0);
    }
}

TEST(ReaderLimits, FseqOfManyFramesInManyBlocks)
{
    // 100,000 frames of 48 channels in the most compressed blocks a file
    // may have, imported through a 4 x 4 grid.
    FseqWriteSpec spec;
    spec.channelsPerFrame = 48;
    spec.frameCount = 100000;
    spec.uniqueId = 1;
    const QByteArray file = sequenceBytes(spec);
    FseqImportResult r;
    expectReadInUnderASecond("an FSEQ of 100,000 frames", [&] {
        r = importFseqData(reinterpret_cast<const uint8_t *>(file.constData()), size_t(file.size()),
                           FseqChannelMap::fromGrid(4, 4, {}), 16);
    });
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.data->frames.size(), 100000u);
    // Frame f's channel c holds (f * 7 + c * 3) & 0xFF; the last frame's
    // first point is channels 0..2.
    const uint32_t f = 99999;
    EXPECT_EQ(r.data->frames[f][0] & 0xFFu, (f * 7) & 0xFFu);
}

TEST(ReaderLimits, PictureOfTheWidestSideAccepted)
{
    QImage wide(kMaxPictureSide, 4, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    wide.setPixel(kMaxPictureSide - 1, 3, qRgb(255, 0, 0));
    QByteArray bytes;
    {
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        ASSERT_TRUE(wide.save(&out, "PNG"));
    }
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ScriptedPrompt prompt;
    QImage read;
    expectReadInUnderASecond("a 16384-wide picture", [&] { read = readPatternPicture(in, prompt); });
    ASSERT_FALSE(read.isNull()) << prompt.lastText().toStdString();
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(read.size(), wide.size());
    EXPECT_EQ(read.pixel(kMaxPictureSide - 1, 3) & 0xFFFFFFu, 0xFF0000u);
}

} // namespace

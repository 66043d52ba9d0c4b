// Memory stays bounded by what a file holds and by the frame budget, under
// a real limit: each case runs in a forked child whose address space is
// limited (RLIMIT_AS) to what it has mapped plus kBoundsHeadroom, so a
// reader that believes a header and allocates what it claims, or a run
// that makes frames before checking the budget, fails there with
// std::bad_alloc or is killed, instead of passing on a 24 GB machine.
// Every case must end normally with the reader's own message.
//
// AddressSanitizer and ThreadSanitizer reserve terabytes of address space
// for their shadow memory, so a limit on the address space cannot work in
// those builds; there these tests are skipped.
#include "child_process.h"
#include "document/document.h"
#include "document/frame_budget.h"
#include "document/frame_repeat.h"
#include "document/project_file.h"
#include "document/project_test_files.h"
#include "editing/paste.h"
#include "editing/range_operations.h"
#include "output/fseq/fseq_file.h"
#include "output/fseq/fseq_sequence.h"
#include "capture/video_file.h"
#include "links/parameter_file.h"
#include "palette/colour_pad_file.h"
#include "palette/palette_file.h"
#include "patterns/blinds.h"
#include "patterns/picture_pattern.h"
#include "scripted_prompt.h"
#include "settings/language.h"
#include "settings/profile_file.h"
#include "wiring/wiring_document_files.h"
#include "wiring/wiring_files.h"
#include "wiring/wiring_texts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kBoundsLimitWorks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
constexpr bool kBoundsLimitWorks = false;
#else
constexpr bool kBoundsLimitWorks = true;
#endif
#else
constexpr bool kBoundsLimitWorks = true;
#endif

#define SKIP_WITHOUT_ADDRESS_LIMIT()                                                                                   \
    do {                                                                                                               \
        if (!kBoundsLimitWorks)                                                                                        \
            GTEST_SKIP() << "the sanitizer reserves terabytes of address space: RLIMIT_AS cannot bound this build";   \
    } while (0)

// Room for the reader's own work (buffers, the decoders' tables, a loaded
// picture plugin): far below what any hostile header here claims.
constexpr int64_t kBoundsHeadroom = int64_t(64) << 20;

std::string boundsUtf8(const QString &s) { return s.toStdString(); }

std::string boundsTexts(const ScriptedPrompt &prompt)
{
    return boundsUtf8(prompt.texts().join(QStringLiteral(" | ")));
}

// Runs `body` under the limit and expects it to end normally.
std::string boundedRun(const char *what, const std::function<std::string()> &body,
                       int64_t headroom = kBoundsHeadroom)
{
    const ChildOutcome out = runInChild(body, headroom);
    EXPECT_TRUE(out.normal()) << what << ": " << out.describe();
    return out.output;
}

class MemoryBounds : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_ADDRESS_LIMIT();
        ASSERT_TRUE(dir.isValid());
        // Built-in English texts: no language files are read.
        Language::setFolder(dir.path());
        Language::setCode(Language::English);
    }
    void TearDown() override { Language::setFolder(QString()); }

    QString write(const char *name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << name;
        return path;
    }
    // A file of `size` bytes starting with `head`, the rest a hole that
    // takes no disk space but reads as zeros.
    QString writeSparse(const char *name, const QByteArray &head, qint64 size)
    {
        const QString path = write(name, head);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadWrite) && f.resize(size)) << name;
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(MemoryBounds, TheLimitCatchesAnAllocationPastTheHeadroom)
{
    // What the limit is for: a reader that allocated twice the headroom
    // would be reported, not passed.
    const ChildOutcome over = runInChild(
        [] {
            std::vector<char> block(size_t(2 * kBoundsHeadroom), 'x');
            return std::string(1, block.back());
        },
        kBoundsHeadroom);
    EXPECT_FALSE(over.normal()) << over.describe();
    EXPECT_EQ(over.describe(), "ran out of memory (std::bad_alloc)");

    const ChildOutcome under = runInChild(
        [] {
            std::vector<char> block(size_t(kBoundsHeadroom / 4), 'x');
            return std::string(1, block.back());
        },
        kBoundsHeadroom);
    EXPECT_TRUE(under.normal()) << under.describe();
    EXPECT_EQ(under.output, "x");
}

TEST_F(MemoryBounds, ProjectHeadersClaimingBillionsOfFramesOpenWhatTheFileHolds)
{
    using namespace testfiles;
    // The largest grid, 2^31 - 1 frames promised, two whole frames of a
    // small grid present: a reader that reserved what the header claims
    // would ask for 2^31 frames of 64 MB.
    RawHeader big;
    big.rows = 4096;
    big.cols = 4096;
    big.frameCount = 0x7FFFFFFF;
    RawHeader small = big;
    small.rows = 2;
    small.cols = 3;
    const std::vector<Frame> two = seededFrames(2, 6, 5);
    const ScrambleKey key = makeScrambleKey(65521, 65519);
    ScrambledHeader scrambled;
    scrambled.rows = 2;
    scrambled.cols = 3;
    scrambled.frameCount = 0x7FFFFFFF;
    // Frames that hold no bytes (a stored Rows of 0) of 32,767 points.
    RawHeader empty;
    empty.rows = 0;
    empty.cols = 32767;
    empty.frameCount = 0x7FFFFFFF;

    struct Case
    {
        const char *name;
        QByteArray bytes;
        std::string expected;
    };
    const std::string cut = "2 of 2147483647";
    const Case cases[] = {
        {"cut-current.wst", currentLayout(big, {}) + QByteArray(7, '\x11'), "format error"},
        {"cut-old.wst", oldLayout(big, {}) + QByteArray(7, '\x11'), "format error"},
        {"two-current.wst", currentLayout(small, two), cut},
        {"two-old.wst", oldLayout(small, two), cut},
        {"two-scrambled.wst", scrambledLayout(key, scrambled, two), cut},
        {"no-bytes.wst", currentLayout(empty, {}), "1 of 2147483647"},
    };
    for (const Case &c : cases) {
        const QString path = write(c.name, c.bytes);
        const std::string said = boundedRun(c.name, [&] {
            Document doc;
            ScriptedPrompt prompt;
            const bool opened = openProjectInto(doc, path, prompt);
            return (opened ? std::to_string(doc.frameCount()) + " frames: " : std::string("refused: "))
                   + boundsTexts(prompt);
        });
        if (c.expected == "format error") {
            EXPECT_EQ(said.rfind("refused: ", 0), 0u) << c.name << ": " << said;
            EXPECT_NE(said.find("ends before the first one is complete"), std::string::npos) << c.name << ": " << said;
        } else {
            const std::string frames = c.expected.substr(0, c.expected.find(' '));
            EXPECT_EQ(said.rfind(frames + " frames: ", 0), 0u) << c.name << ": " << said;
            EXPECT_NE(said.find(frames), std::string::npos) << c.name << ": " << said;
            EXPECT_NE(said.find("2147483647"), std::string::npos) << c.name << ": " << said;
        }
    }
}

TEST_F(MemoryBounds, WiringAndUndoCountsOfBillionsReadTheRecordsPresent)
{
    QByteArray line = lineFileBytes(4, 4, 2, {});
    line[5] = char(0xFF), line[6] = char(0xFF), line[7] = char(0xFF), line[8] = char(0x7F);
    WiringPixel one;
    one.port = 0;
    one.pixel = 0;
    one.column = 1;
    one.row = 2;
    const QByteArray oneRecord = lineFileBytes(4, 4, 2, {one}).mid(kLineHeaderSize);
    const QString linePath = write("huge.line", line + oneRecord);
    const std::string lineSaid = boundedRun("huge .line", [&] {
        GridGeometry g;
        g.rows = 4;
        g.cols = 4;
        Document doc(g);
        doc.startNew(g);
        doc.wiring().resetCellMap(4, 4);
        ScriptedPrompt prompt;
        const bool loaded = loadWiringFile(doc, linePath, prompt, false);
        return std::string(loaded ? "loaded " : "refused ") + std::to_string(doc.wiring().count()) + ": "
               + boundsTexts(prompt);
    });
    EXPECT_EQ(lineSaid, "loaded 1: " + boundsUtf8(WiringText::lineFileIncomplete(0x7FFFFFFF, 1)));

    QByteArray undo = undoFileBytes({one});
    undo[0] = char(0xFF), undo[1] = char(0xFF), undo[2] = char(0xFF), undo[3] = char(0x7F);
    const QString undoPath = write("Design0.undo", undo);
    const std::string undoSaid = boundedRun("huge undo", [&] {
        const UndoReadResult r = readUndoFile(undoPath);
        if (!r.content)
            return std::string("refused");
        return std::to_string(r.content->records.size()) + " of " + std::to_string(r.content->declaredCount);
    });
    EXPECT_EQ(undoSaid, "1 of 2147483647");
}

TEST_F(MemoryBounds, FilesOfGigabytesWithoutACountAreReadOnlyAsFarAsTheyCount)
{
    // 8 GB each (holes: no disk is used). Palettes take 512 colours, the
    // settings and language files at most 1 MB, parameter files 16 MB.
    constexpr qint64 kHuge = qint64(8) << 30;
    const QString col = writeSparse("huge.col", QByteArray(), kHuge);
    const QString pad = writeSparse("CurColorPad.dat", QByteArray(), kHuge);
    const QString zari = writeSparse("huge.zari", "1,8,", kHuge);
    const QString ini = writeSparse("Settings.ini", "[main]\r\nRows=12\r\n", kHuge);
    writeSparse("English.ini", "[Message]\r\nFileFormatError=from the file\r\n", kHuge);

    EXPECT_EQ(boundedRun("8 GB .col",
                         [&] {
                             const PaletteFileRead r = readPaletteFile(col, 1);
                             return std::to_string(r.colours.size()) + " colours, error "
                                    + std::to_string(int(r.error));
                         }),
              "512 colours, error 0");
    EXPECT_EQ(boundedRun("8 GB colour pad", [&] { return std::to_string(loadColourPad(pad).size()) + " colours"; }),
              "512 colours");
    EXPECT_EQ(boundedRun("8 GB .zari",
                         [&] {
                             const ParameterFileResult r = readParameterFile(zari);
                             return std::to_string(int(r.kind)) + ": " + boundsUtf8(r.message);
                         }),
              std::to_string(int(ParameterFileResult::Failed))
                  + ": The parameter file is damaged: the file is far too large.");
    EXPECT_EQ(boundedRun("8 GB settings",
                         [&] {
                             ProfileFile::LoadStatus status = ProfileFile::LoadStatus::Loaded;
                             const ProfileFile p = ProfileFile::load(ini, &status);
                             return std::to_string(int(status)) + " rows "
                                    + std::to_string(p.readInt(QStringLiteral("main"), QStringLiteral("Rows"), -1));
                         }),
              std::to_string(int(ProfileFile::LoadStatus::Unreadable)) + " rows -1");
    EXPECT_EQ(boundedRun("8 GB language file",
                         [&] {
                             Language::reload();
                             return boundsUtf8(LanguageText("Message", "FileFormatError", QStringLiteral("built in")));
                         }),
              "built in");
}

TEST_F(MemoryBounds, ParameterFilesListingMoreRowsThanTheyHoldAreRefused)
{
    for (const char *head : {"1,8,24576,", "1,8,2147483647,1,r"}) {
        const QString path = write("rows.zari", head);
        const std::string said = boundedRun(head, [&] {
            const ParameterFileResult r = readParameterFile(path);
            return std::to_string(int(r.kind)) + ": " + boundsUtf8(r.message);
        });
        EXPECT_EQ(said.rfind(std::to_string(int(ParameterFileResult::Failed)) + ": ", 0), 0u) << said;
    }
}

TEST_F(MemoryBounds, FseqHeadersClaimingGigabytesAreRefusedFromTheHeader)
{
    // Uncompressed: 50 M channels x 4 billion frames in a 40-byte file.
    FseqHeader plain;
    plain.channelsPerFrame = kFseqMaxChannels;
    plain.frameCount = 0xFFFFFFFFu;
    // Compressed: 80 frames of the largest frame the reader takes (4 GB,
    // just inside the bound on what a sequence may inflate to) in one
    // block of 8 bytes that are no compressed data.
    FseqHeader zipped = plain;
    zipped.compression = FseqCompression::Zstd;
    zipped.frameCount = 80;
    zipped.blocks = {FseqBlock{0, 8}};
    // Within the bomb bound but far beyond the file.
    FseqHeader longer = plain;
    longer.frameCount = 25;
    for (const auto &[name, header] : {std::pair{"plain.fseq", plain}, std::pair{"zipped.fseq", zipped},
                                       std::pair{"longer.fseq", longer}}) {
        const QString path = write(name, fseqHeaderBytes(header) + QByteArray(8, '\x42'));
        const std::string said = boundedRun(name, [&] {
            const FseqImportResult r = importFseqFile(path, FseqChannelMap::fromGrid(16, 16, {}), 16 * 16);
            return r.ok() ? std::to_string(r.data->frames.size()) + " frames" : "refused: " + boundsUtf8(r.error);
        });
        EXPECT_EQ(said.rfind("refused: ", 0), 0u) << name << ": " << said;
        EXPECT_GT(said.size(), std::string("refused: ").size()) << name;
    }
}

TEST_F(MemoryBounds, CompressedFseqFramesCostOnlyWhatTheirBlocksHold)
{
    // A 72-byte file claiming frames of 50 M channels whose one block holds
    // no frame data: refused as damaged within a few megabytes, not after
    // taking a 50 MB frame buffer.
    for (const FseqCompression kind : {FseqCompression::Zstd, FseqCompression::Zlib}) {
        FseqHeader h;
        h.channelsPerFrame = kFseqMaxChannels;
        h.frameCount = 80;
        h.compression = kind;
        h.blocks = {FseqBlock{0, 8}};
        const QString path = write("claims.fseq", fseqHeaderBytes(h) + QByteArray(8, '\x42'));
        const std::string said = boundedRun(
            "compressed fseq",
            [&] {
                const FseqImportResult r = importFseqFile(path, FseqChannelMap::fromGrid(16, 16, {}), 16 * 16);
                return r.ok() ? std::to_string(r.data->frames.size()) + " frames" : "refused: " + boundsUtf8(r.error);
            },
            int64_t(16) << 20);
        EXPECT_EQ(said.rfind("refused: ", 0), 0u) << said;
    }
}

uint32_t boundsCrc32(const QByteArray &bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= uint8_t(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG of w x h 8-bit RGB pixels whose picture data is 40 bytes of
// nonsense; every checksum is right, so only the size can refuse it.
QByteArray boundsPngHeader(uint32_t w, uint32_t h)
{
    const auto be32 = [](QByteArray &to, uint32_t v) {
        for (int k = 3; k >= 0; --k)
            to.append(char((v >> (8 * k)) & 0xFF));
    };
    QByteArray header;
    be32(header, w);
    be32(header, h);
    header += QByteArray("\x08\x02\x00\x00\x00", 5);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&](const char *type, const QByteArray &data) {
        be32(png, uint32_t(data.size()));
        png += type + data;
        be32(png, boundsCrc32(type + data));
    };
    chunk("IHDR", header);
    chunk("IDAT", QByteArray(40, '\x33'));
    chunk("IEND", QByteArray());
    return png;
}

TEST_F(MemoryBounds, PictureHeadersClaimingHundredsOfMegapixelsAreRefused)
{
    // A cut GIF whose screen is 11268 x 13315 and PNGs of 16384 x 16384
    // (1 GB as 32-bit pixels) and 100,000 x 100,000 in about a hundred bytes.
    const QString gif =
        write("cut.gif", QByteArray::fromHex("474946383961042c03343535002c00000004000002000004841d7705003b"));
    const QString png = write("big.png", boundsPngHeader(16384, 16384));
    const QString wide = write("wide.png", boundsPngHeader(100000, 100000));
    const std::string cannotOpen = "refused: The picture file cannot be opened.";
    const std::pair<QString, std::string> cases[] = {
        {gif, cannotOpen},
        {png, cannotOpen},
        {wide, "refused: The picture is too large: at most 16384 × 16384 pixels"},
    };
    for (const auto &[path, expected] : cases) {
        EXPECT_EQ(boundedRun(path.toUtf8().constData(),
                             [&] {
                                 ScriptedPrompt prompt;
                                 const QImage image = loadPatternPicture(path, prompt);
                                 return (image.isNull() ? std::string("refused: ") : std::string("opened: "))
                                        + boundsTexts(prompt);
                             }),
                  expected);
    }
}

TEST_F(MemoryBounds, VideoHeadersClaimingHugePicturesAreRefusedBeforeDecoding)
{
    // Raw pictures in a YUV4MPEG stream: the header alone gives the size,
    // 64 bytes of a picture follow. Past the largest picture the reader
    // takes, the header is refused; a picture within it (8192 x 8192, 100
    // MB of YUV) opens, but its missing data gives no picture, with nothing
    // allocated for it.
    const std::pair<const char *, const char *> cases[] = {
        {"YUV4MPEG2 W12000 H12000 F25:1 C420jpeg\nFRAME\n",
         "refused: the video's pictures (12000 x 12000) are not a size that can be read"},
        {"YUV4MPEG2 W100000 H8 F25:1 C420jpeg\nFRAME\n",
         "refused: the video's pictures (100000 x 8) are not a size that can be read"},
        {"YUV4MPEG2 W8192 H8192 F25:1 C420jpeg\nFRAME\n", "8192 x 8192, no picture"},
    };
    for (const auto &[header, expected] : cases) {
        const QString path = write("huge.y4m", QByteArray(header) + QByteArray(64, '\x10'));
        EXPECT_EQ(boundedRun(header,
                             [&] {
                                 VideoReader video;
                                 if (!video.open(path))
                                     return "refused: " + boundsUtf8(video.error());
                                 QImage picture;
                                 double seconds = 0;
                                 const bool decoded = video.next(picture, seconds);
                                 return std::to_string(video.size().width()) + " x "
                                        + std::to_string(video.size().height())
                                        + (decoded ? ", a picture" : ", no picture");
                             }),
                  expected);
    }
}

// Runs just past the frame budget: the first frame a run made before
// checking would take the child past its limit long before the budget.
class BudgetBounds : public MemoryBounds
{
protected:
    // The smallest count of `points`-point frames that, added to a
    // document of one frame, passes the budget.
    static int64_t framesPastTheBudget(int64_t points)
    {
        return frameMemoryBudget() / frameBytes(points);
    }
};

TEST_F(BudgetBounds, GeneratorRepetitionAndPasteJustPastTheBudgetAreRefusedBeforeTheyAllocate)
{
    GridGeometry g;
    g.rows = 64;
    g.cols = 64;
    const int64_t points = 64 * 64;
    const int64_t past = framesPastTheBudget(points);
    ASSERT_FALSE(framesFit(1 + past, points));
    ASSERT_TRUE(framesFit(past, points));
    const std::string refused = boundsUtf8(tooManyFramesText());

    // Blinds over the whole grid: 2 x ceil(64 / step) frames a repetition,
    // one slat, step 1: 128 frames each.
    BlindsParams blinds;
    blinds.slats = 1;
    blinds.repeat = int((past + 127) / 128);
    EXPECT_EQ(boundedRun("blinds",
                         [&] {
                             Document doc(g);
                             doc.startNew(g);
                             PatternTarget target(doc);
                             ScriptedPrompt prompt;
                             const int made = runBlinds(target, blinds, prompt);
                             return std::to_string(made) + " " + std::to_string(doc.frameCount()) + " "
                                    + boundsTexts(prompt);
                         }),
              "0 1 " + refused);

    // Frame repetition of the one frame.
    EXPECT_EQ(boundedRun("repetition",
                         [&] {
                             Document doc(g);
                             doc.startNew(g);
                             const RepeatResult r = repeatFrames(doc, FrameRange{0, 1}, int(past));
                             return std::to_string(int(r)) + " " + std::to_string(doc.frameCount());
                         }),
              std::to_string(int(RepeatResult::TooManyFrames)) + " 1");

    // A paste of one copied frame, repeated, inserted and written over.
    for (const bool overwrite : {false, true}) {
        EXPECT_EQ(boundedRun("paste",
                             [&] {
                                 Document doc(g);
                                 doc.startNew(g);
                                 EditingState state;
                                 ScriptedPrompt prompt;
                                 if (!runFrameRange(doc, state, 4, 1, 1, prompt))
                                     return std::string("no copy");
                                 PasteOptions o;
                                 // Written over from frame 1: every frame
                                 // but the one there is added.
                                 o.count = int(past) + (overwrite ? 1 : 0);
                                 o.overwrite = overwrite;
                                 const PasteResult r = pasteClipboard(doc, state, o, prompt);
                                 return std::to_string(int(r)) + " " + std::to_string(doc.frameCount()) + " "
                                        + boundsTexts(prompt);
                             }),
                  std::to_string(int(PasteResult::TooManyFrames)) + " 1 " + refused)
            << (overwrite ? "overwrite" : "insert");
    }
}

} // namespace

// The picture page's runs: frame counts, the wait copies, the random
// effect, the area, the add rule, and loading picture files.
#include "patterns/pattern_random.h"
#include "patterns/picture_pattern.h"
#include "pattern_test_support.h"
#include "picture_test_support.h"
#include "scripted_prompt.h"

#include <QBuffer>
#include <QFile>

namespace {

class PicturePattern : public PatternTest
{
protected:
    void SetUp() override
    {
        PatternTest::SetUp();
        ensurePictureApp();
    }
};

// The colour grid point (x, y) of a rows x cols grid shows for a picture
// drawn unscaled.
ColorValue pictureCell(const QImage &image, int x, int y) { return colorFromArgb(image.pixel(x, y)); }

bool frameShowsPicture(const Frame &frame, const QImage &image, int cols)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (frame.at(x, y, cols) != pictureCell(image, x, y))
                return false;
    return true;
}

uint32_t pngCrc(const QByteArray &bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes) {
        crc ^= uint8_t(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG file of w x h pixels whose picture data is nonsense.
bool writePngHeader(const QString &path, uint32_t w, uint32_t h)
{
    const auto be32 = [](QByteArray &to, uint32_t v) {
        for (int k = 3; k >= 0; --k)
            to.append(char((v >> (8 * k)) & 0xFF));
    };
    const auto chunk = [&be32](QByteArray &to, const char *type, const QByteArray &data) {
        be32(to, uint32_t(data.size()));
        const QByteArray body = QByteArray(type) + data;
        to += body;
        be32(to, pngCrc(body));
    };
    QByteArray header;
    be32(header, w);
    be32(header, h);
    header += QByteArray("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", QByteArray(40, '\x33'));
    chunk(png, "IEND", QByteArray());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(png) == png.size();
}

TEST_F(PicturePattern, NoEntranceWaitOrExitMakesOneFinishedFrame)
{
    const QImage image = numberedPicture(12, 8);
    for (int effect : {0, 5, 8, 12, 20, 27, 31, 45, 48, 52}) {
        auto doc = documentOf(8, 12);
        PatternTarget target{*doc};
        ScriptedPrompt prompt;
        EXPECT_EQ(runPicturePattern(target, image, {effect, 0, 0, 0}, prompt), 1) << effect;
        ASSERT_EQ(doc->frameCount(), 2);
        EXPECT_TRUE(frameShowsPicture(doc->frames().at(1), image, 12)) << effect;
    }
}

TEST_F(PicturePattern, TheDefaultsMakeThirtyFramesEndingInElevenAlike)
{
    const QImage image = numberedPicture(40, 6);
    auto doc = documentOf(6, 40);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    const PicturePatternParams defaults;
    EXPECT_EQ(picturePatternFrameCount(defaults), 30);
    EXPECT_EQ(runPicturePattern(target, image, defaults, prompt), 30);
    ASSERT_EQ(doc->frameCount(), 31);
    for (int f = 21; f <= 30; ++f)
        EXPECT_EQ(doc->frames().at(f), doc->frames().at(20)) << f;
    EXPECT_NE(doc->frames().at(19), doc->frames().at(20));
    EXPECT_TRUE(frameShowsPicture(doc->frames().at(30), image, 40));
    EXPECT_EQ(doc->currentIndex(), 30);
}

TEST_F(PicturePattern, CountsBelowTheirMinimumCountAsTheMinimum)
{
    EXPECT_EQ(picturePatternFrameCount({0, -4, -1, -9}), 1);
    EXPECT_EQ(picturePatternFrameCount({0, 3, 2, 5}), 10);
    auto doc = documentOf(4, 4);
    PatternTarget target{*doc};
    EXPECT_EQ(generatePicturePattern(target, numberedPicture(4, 4), {3, -2, -5, 3}), 4);
}

TEST_F(PicturePattern, RandomDrawsOneEffectForEntranceAndExit)
{
    const QImage image = numberedPicture(20, 10);
    int checked = 0;
    for (uint32_t seed = 1; seed < 40 && checked < 5; ++seed) {
        patternRandom().reseed(seed);
        const int effect = patternRandom().below(kTransitionEffectCount);
        if (effect == kEffectSmallMosaic || effect == kEffectLargeMosaic)
            continue; // they draw more numbers for their blocks
        patternRandom().reseed(seed);
        auto doc = documentOf(10, 20);
        PatternTarget target{*doc};
        ASSERT_EQ(generatePicturePattern(target, image, {kPictureRandomItem, 3, 0, 3}), 6);
        PatternRandom unused;
        for (int k = 0; k < 6; ++k) {
            const bool in = k < 3;
            QImage canvas = transitionCanvas(20, 10);
            drawTransition(canvas, effect, in ? TransitionPhase::Entrance : TransitionPhase::Exit, in ? k + 1 : k - 2,
                           3, image, QImage(), unused);
            Frame expected(200, 0);
            copyCanvasIntoFrame(canvas, expected, 20, 10, GridRect{0, 0, 19, 9});
            EXPECT_EQ(doc->frames().at(1 + k), expected) << "seed " << seed << " effect " << effect << " frame " << k;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 5);
    patternRandom().reseed();
}

TEST_F(PicturePattern, DrawsScaledIntoTheDefinedAreaAndAlwaysInserts)
{
    // The page's picture is the grid's size; the area gets it scaled.
    const QImage image = numberedPicture(8, 6);
    auto doc = documentOf(6, 8, 2);
    PatternTarget target{*doc, 1, drawnArea(2, 1, 5, 3)};
    EXPECT_EQ(generatePicturePattern(target, image, {0, 1, 1, 0}), 2);
    EXPECT_EQ(doc->frameCount(), 4); // inserted, though the AddMode says overwrite
    EXPECT_EQ(doc->currentIndex(), 2);
    const Frame &f = doc->frames().at(1);
    const QImage scaled = image.scaled(4, 3);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x <= 5 && y >= 1 && y <= 3;
            EXPECT_EQ(f.at(x, y, 8), inside ? pictureCell(scaled, x - 2, y - 1) : kBlack) << x << "," << y;
        }
}

TEST_F(PicturePattern, WithoutAPictureNothingHappens)
{
    auto doc = documentOf(4, 4);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    EXPECT_EQ(runPicturePattern(target, QImage(), {}, prompt), 0);
    EXPECT_EQ(doc->frameCount(), 1);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(PicturePattern, LoadingRefusesWhatIsNoPictureOrTooLarge)
{
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    // A picture that reads.
    const QString good = dir.filePath(QStringLiteral("good.png"));
    ASSERT_TRUE(numberedPicture(30, 20).save(good));
    EXPECT_EQ(loadPatternPicture(good, prompt).size(), QSize(30, 20));
    EXPECT_TRUE(prompt.shown.empty());

    // Bytes that are no picture, and a missing file.
    const QString junk = dir.filePath(QStringLiteral("junk.bmp"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(300, '\x5a'));
    f.close();
    EXPECT_TRUE(loadPatternPicture(junk, prompt).isNull());
    EXPECT_TRUE(loadPatternPicture(dir.filePath(QStringLiteral("none.jpg")), prompt).isNull());
    EXPECT_EQ(prompt.texts(), QStringList(2, QStringLiteral("图片文件无法打开")));

    // A header that claims 20000 x 20000 pixels is refused from the header;
    // one of 2000 x 2000 whose pixels are broken cannot be opened.
    const QString huge = dir.filePath(QStringLiteral("huge.png"));
    const QString broken = dir.filePath(QStringLiteral("broken.png"));
    ASSERT_TRUE(writePngHeader(huge, 20000, 20000));
    ASSERT_TRUE(writePngHeader(broken, 2000, 2000));
    prompt.shown.clear();
    EXPECT_TRUE(loadPatternPicture(broken, prompt).isNull());
    EXPECT_TRUE(loadPatternPicture(huge, prompt).isNull());
    EXPECT_EQ(prompt.texts(), (QStringList{QStringLiteral("图片文件无法打开"),
                                           QStringLiteral("图片太大：最多 16384 × 16384 像素")}));
}

TEST_F(PicturePattern, ACutFileClaimingFarMorePixelsThanItsBytesIsRefused)
{
    // 30 bytes of a GIF whose screen is 11268 x 13315: decoding it filled a
    // 600 MB picture in seconds; now it cannot be opened at once. A solid picture of the same size compresses
    // to far more bytes than this, so nothing real is lost.
    const QByteArray cut = QByteArray::fromHex("474946383961042c03343535002c00000004000002000004841d7705003b");
    QBuffer in;
    in.setData(cut);
    in.open(QIODevice::ReadOnly);
    ScriptedPrompt prompt;
    EXPECT_TRUE(readPatternPicture(in, prompt).isNull());
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("图片文件无法打开")});

    // The same bound lets a solid 1000 x 1000 picture in a small file open.
    QImage solid(1000, 1000, QImage::Format_RGB32);
    solid.fill(Qt::green);
    QBuffer png;
    png.open(QIODevice::ReadWrite);
    ASSERT_TRUE(solid.save(&png, "PNG"));
    // About 200 pixels to the byte, as much as a real file packs.
    ASSERT_LT(png.size(), 10000);
    png.seek(0);
    prompt.shown.clear();
    EXPECT_EQ(readPatternPicture(png, prompt).size(), QSize(1000, 1000));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(PicturePattern, PagePictureIsTheGridSizeAndDrawnOver)
{
    QImage page;
    drawIntoPagePicture(page, numberedPicture(60, 40), 6, 4);
    ASSERT_EQ(page.size(), QSize(6, 4));
    EXPECT_EQ(qAlpha(page.pixel(5, 3)), 255);
    QImage red(1, 1, QImage::Format_RGB32);
    red.fill(Qt::red);
    drawIntoPagePicture(page, red, 6, 4);
    EXPECT_EQ(colorFromArgb(page.pixel(0, 0)), kRed);
    EXPECT_EQ(colorFromArgb(page.pixel(5, 3)), kRed);
}

} // namespace

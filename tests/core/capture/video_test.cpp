// Videos and animated pictures: AVI of samples written and read back with
// FFmpeg, videos made here (MP4, WebM) imported with each scaling mode and
// over a time range, an animated GIF imported as the animated-picture
// import does, and the refusals.
#include "capture_test_support.h"

#include "capture/gather_texts.h"
#include "capture/movie_import.h"
#include "capture/video_file.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Letters = std::vector<std::string>;

// Codecs change colours a little: a channel above 160 counts as on, below
// 90 as off; anything between gives '?'.
char roughLetter(unsigned r, unsigned g, unsigned b)
{
    auto level = [](unsigned v) { return v >= 160 ? 1 : v <= 90 ? 0 : -1; };
    const int R = level(r), G = level(g), B = level(b);
    if (R < 0 || G < 0 || B < 0)
        return '?';
    static const char names[2][2][2] = {{{'.', 'B'}, {'G', 'C'}}, {{'#', 'M'}, {'Y', 'W'}}};
    return names[R][G][B];
}

Letters roughFrame(const Frame &f, int rows, int cols)
{
    Letters out;
    for (int y = 0; y < rows; ++y) {
        std::string row;
        for (int x = 0; x < cols; ++x) {
            const ColorValue c = f.at(x, y, cols);
            row += roughLetter(redOf(c), greenOf(c), blueOf(c));
        }
        out.push_back(row);
    }
    return out;
}

char roughPixel(const QImage &image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return roughLetter(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

class MovieFiles : public CaptureTest
{
protected:
    QTemporaryDir dir;
    QString file(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // `seconds` of 40 x 20 pictures at 10 a second: the first second red,
    // then blue, each with its left ten columns green.
    QString makeVideo(const char *name, int seconds = 2)
    {
        VideoWriter writer;
        const QString path = file(name);
        EXPECT_TRUE(writer.open(path, 40, 20, 10)) << writer.error().toStdString();
        for (int i = 0; i < seconds * 10; ++i) {
            const QColor body = i < 10 ? QColor(Qt::red) : QColor(Qt::blue);
            EXPECT_TRUE(writer.write(captureSample(40, 20, body, QRect(0, 0, 10, 20), Qt::green)));
        }
        EXPECT_TRUE(writer.finish()) << writer.error().toStdString();
        return path;
    }

    int import(Document &doc, const QString &path, MovieImportOptions o, bool animated = false)
    {
        QString why;
        std::unique_ptr<MovingPicture> movie = openMovie(path, &why, animated);
        EXPECT_TRUE(movie) << why.toStdString();
        if (!movie)
            return -2;
        PatternTarget target(doc, 0);
        return importMovie(target, *movie, o, prompt);
    }
};

TEST_F(MovieFiles, SamplesSavedAsAviReadBackWithFfmpeg)
{
    SampleList samples(32, 24);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::white, Qt::black, Qt::yellow};
    for (QColor c : colours)
        ASSERT_TRUE(samples.append(captureSample(32, 24, c)));
    ASSERT_TRUE(saveSamples(file("s.AVI"), samples, gridOf(1, 1), 12, prompt));
    EXPECT_TRUE(prompt.shown.empty());

    QFile raw(file("s.AVI"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.read(4), QByteArray("RIFF"));
    raw.seek(8);
    EXPECT_EQ(raw.read(4), QByteArray("AVI "));
    raw.close();

    VideoReader reader;
    ASSERT_TRUE(reader.open(file("s.AVI"))) << reader.error().toStdString();
    EXPECT_EQ(reader.size(), QSize(32, 24));
    EXPECT_NEAR(reader.frameRate(), 12.0, 0.01);
    std::string seen;
    QImage picture;
    double at = 0;
    while (reader.next(picture, at)) {
        EXPECT_NEAR(at, double(seen.size()) / 12.0, 0.01);
        seen += roughPixel(picture, 16, 12);
    }
    EXPECT_EQ(seen, "#GBW.Y");

    // Open gives them back as samples of the video's size.
    SampleList opened(5, 5);
    ASSERT_TRUE(openSamples(file("s.AVI"), opened, prompt));
    EXPECT_EQ(opened.size(), QSize(32, 24));
    ASSERT_EQ(opened.count(), 6);
    EXPECT_EQ(roughPixel(opened.at(2), 3, 3), 'B');
}

TEST_F(MovieFiles, Mp4AndWebmImportedWithEachScalingMode)
{
    for (const char *name : {"clip.mp4", "clip.webm"}) {
        SCOPED_TRACE(name);
        const QString path = makeVideo(name);
        {
            auto doc = documentOf(8, 8);
            MovieImportOptions o;
            o.fps = 5;
            o.mode = DisplayMode::Stretch;
            EXPECT_EQ(import(*doc, path, o), 10);
            ASSERT_EQ(doc->frameCount(), 11);
            const Letters f = roughFrame(doc->frames().at(1), 8, 8);
            EXPECT_EQ(f[0][0], 'G');
            EXPECT_EQ(f[4].substr(3), "#####");
            EXPECT_EQ(roughFrame(doc->frames().at(10), 8, 8)[7].substr(3), "BBBBB");
        }
        {
            auto doc = documentOf(8, 8);
            MovieImportOptions o;
            o.fps = 5;
            o.mode = DisplayMode::Fit;
            EXPECT_EQ(import(*doc, path, o), 10);
            const Letters f = roughFrame(doc->frames().at(1), 8, 8);
            EXPECT_EQ(f[0], "........");
            EXPECT_EQ(f[7], "........");
            EXPECT_EQ(f[3][0], 'G');
            EXPECT_EQ(f[3].substr(3), "#####");
        }
        {
            auto doc = documentOf(8, 8);
            MovieImportOptions o;
            o.fps = 5;
            o.mode = DisplayMode::Centre;
            EXPECT_EQ(import(*doc, path, o), 10);
            // The middle 8 x 8 of the picture: no green, no black.
            EXPECT_EQ(roughFrame(doc->frames().at(1), 8, 8), Letters(8, "########"));
        }
    }
}

TEST_F(MovieFiles, TimeRangeAndRatePickThePictures)
{
    const QString path = makeVideo("range.mp4", 3);
    auto doc = documentOf(4, 4);
    MovieImportOptions o;
    o.fps = 4;
    o.from = 1.0;
    o.to = 2.0;
    o.mode = DisplayMode::Centre;
    std::unique_ptr<MovingPicture> movie = openMovie(path, nullptr);
    ASSERT_TRUE(movie);
    EXPECT_NEAR(movie->duration(), 3.0, 0.11);
    EXPECT_EQ(movieFrameCount(*movie, o), 4);
    EXPECT_EQ(import(*doc, path, o), 4);
    ASSERT_EQ(doc->frameCount(), 5);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(roughFrame(doc->frames().at(i), 4, 4)[1], "BBBB") << i;

    const auto [first, last] = movieRangeEnds(*movie, MovieImportOptions{10, 0.5, 1.5, DisplayMode::Fit});
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(roughPixel(first, 30, 10), '#');
    EXPECT_EQ(roughPixel(last, 30, 10), 'B');
}

TEST_F(MovieFiles, AnimatedGifImportedThroughQtsReader)
{
    VideoWriter writer;
    ASSERT_TRUE(writer.open(file("a.gif"), 6, 6, 10)) << writer.error().toStdString();
    for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue), QColor(Qt::white)})
        ASSERT_TRUE(writer.write(captureSample(6, 6, c)));
    ASSERT_TRUE(writer.finish());

    auto doc = documentOf(3, 3);
    MovieImportOptions o;
    o.fps = 10;
    o.mode = DisplayMode::Stretch;
    EXPECT_EQ(import(*doc, file("a.gif"), o, true), 4);
    ASSERT_EQ(doc->frameCount(), 5);
    std::string centres;
    for (int i = 1; i < 5; ++i)
        centres += roughFrame(doc->frames().at(i), 3, 3)[1][1];
    EXPECT_EQ(centres, "#GBW");

    // At 20 a second each picture of a tenth of a second gives two frames.
    auto twice = documentOf(3, 3);
    o.fps = 20;
    EXPECT_EQ(import(*twice, file("a.gif"), o, true), 8);
}

TEST_F(MovieFiles, RefusalsSayWhyAndLeaveTheDocument)
{
    QFile junk(file("junk.mp4"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(5000, '\x47'));
    junk.close();
    QString why;
    EXPECT_FALSE(openMovie(file("junk.mp4"), &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(openMovie(file("missing.mp4"), &why));
    EXPECT_FALSE(openMovie(file("junk.mp4"), &why, true));

    const QString path = makeVideo("ok.webm", 1);
    Document empty(gridOf(2, 2));
    std::unique_ptr<MovingPicture> movie = openMovie(path, nullptr);
    ASSERT_TRUE(movie);
    PatternTarget target(empty, 0);
    EXPECT_EQ(importMovie(target, *movie, MovieImportOptions{}, prompt), -1);
    EXPECT_EQ(prompt.texts(), QStringList{GatherText::gridFirst()});
    EXPECT_EQ(empty.frameCount(), 0);

    // 92 bytes of a cut GIF claiming a 2235 x 10778 screen: no picture is
    // filled in at that size from so few bytes.
    QByteArray cutGif = QByteArray::fromHex("474946383961bb081a2a") + QByteArray(80, ',') + QByteArray::fromHex("0a84");
    QBuffer cut(&cutGif);
    ASSERT_TRUE(cut.open(QIODevice::ReadOnly));
    AnimatedPicture animated;
    QImage picture;
    double seconds = 0;
    EXPECT_FALSE(animated.openDevice(&cut) && animated.next(picture, seconds));
    EXPECT_TRUE(picture.isNull());

    VideoWriter writer;
    EXPECT_FALSE(writer.open(file("x.txt"), 4, 4, 10));
    EXPECT_FALSE(writer.error().isEmpty());
}

} // namespace

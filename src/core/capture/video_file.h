#pragma once
// Videos through FFmpeg: a reader that decodes any video FFmpeg knows one
// picture at a time (never the whole video in memory) and a writer that
// makes a video of pictures (MJPEG in AVI, H.264 in MP4, VP8 in WebM, GIF),
// saved atomically. Readers take any bytes: a file that is no video, or a
// video of absurd size, gives a clear message and no picture.

#include <QImage>
#include <QString>
#include <memory>

// Pictures larger than this on a side, or of more points, are refused from
// the stream's header, before anything is decoded.
constexpr int kMaxVideoSide = 16384;
constexpr int64_t kMaxVideoPoints = int64_t(8192) * 8192;
// Largest picture a stream may change to after its first (4K UHD).
constexpr int64_t kMaxVideoChangedPoints = int64_t(3840) * 2160;

// Something that gives pictures in time order: a video or an animated
// picture.
class MovingPicture
{
public:
    virtual ~MovingPicture() = default;
    // The picture size (the first picture's for animated pictures).
    virtual QSize size() const = 0;
    // Length in seconds; 0 when not known.
    virtual double duration() const = 0;
    // The next picture (32-bit, Format_RGB32) and the second it is shown
    // at. False at the end or when decoding failed (error() then says why).
    virtual bool next(QImage &picture, double &seconds) = 0;
    // Back to the start, or to the last picture shown at or before
    // `seconds`; false when it cannot.
    virtual bool seek(double seconds) = 0;
    // Why opening or decoding failed; empty when nothing went wrong.
    virtual QString error() const = 0;
};

class VideoReader : public MovingPicture
{
public:
    VideoReader();
    ~VideoReader() override;
    VideoReader(const VideoReader &) = delete;
    VideoReader &operator=(const VideoReader &) = delete;

    // Opens a file (local files only: no network, no playlists pointing
    // elsewhere). False with error() set when it holds no readable video.
    bool open(const QString &path);
    // The same over bytes in memory (a fuzz input); they must outlive the
    // reader.
    bool openBytes(const QByteArray &bytes);

    QSize size() const override;
    double duration() const override;
    // Frames a second the stream declares; 0 when unknown.
    double frameRate() const;
    bool next(QImage &picture, double &seconds) override;
    bool seek(double seconds) override;
    QString error() const override;

private:
    struct State;
    bool openInput();
    std::unique_ptr<State> m;
};

class VideoWriter
{
public:
    VideoWriter();
    ~VideoWriter();
    VideoWriter(const VideoWriter &) = delete;
    VideoWriter &operator=(const VideoWriter &) = delete;

    // The codec follows the name's suffix: ".avi" MJPEG, ".mp4" and ".mov"
    // H.264 (MPEG-4 part 2 when H.264 is missing), ".mkv" MJPEG, ".webm"
    // VP8, ".gif" GIF. Sides are made even for the codecs that need it.
    bool open(const QString &path, int width, int height, int fps);
    // One picture of the size given to open (others are scaled to it).
    bool write(const QImage &picture);
    // Ends the video and puts the file in place; until then an old file of
    // the name is left as it was.
    bool finish();
    QString error() const;

private:
    struct State;
    std::unique_ptr<State> m;
};

// Whether the name ends in a suffix VideoWriter writes.
bool videoSuffixWritable(const QString &path);

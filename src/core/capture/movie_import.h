#pragma once
// Turning something that moves (a video, an animated picture) into frames
// of the document: the pictures are taken at the frame rate asked for,
// over a time range, fitted into the defined area or the whole grid by a
// display mode, and handed over one by one through the AddMode. Decoding
// streams: one picture is held at a time, whatever the video's length.

#include "capture/picture_fit.h"
#include "capture/video_file.h"
#include "document/edit_name.h"
#include "patterns/pattern_target.h"

#include <QImage>
#include <QImageReader>
#include <memory>

class Prompt;

// The imports in the undo history.
inline constexpr EditName kVideoImportEdit{"Undo", "VideoImport", "导入视频", "Import Video"};
inline constexpr EditName kAnimatedImportEdit{"Undo", "AnimatedImport", "导入动画图片", "Import Animated Picture"};

struct MovieImportOptions
{
    double fps = 20;   // frames a second made; below 1 counts as 1
    double from = 0;   // seconds
    double to = 0;     // seconds; 0 or less: to the end
    DisplayMode mode = DisplayMode::Fit;
};

// An animated picture (GIF, animated WebP, APNG as far as Qt reads it
// animated; a still picture gives one picture) as a MovingPicture.
class AnimatedPicture : public MovingPicture
{
public:
    bool open(const QString &path);
    bool openDevice(QIODevice *device); // the device must outlive the reader
    QSize size() const override { return m_size; }
    // Known once the last picture was read (the end of its display), 0
    // before.
    double duration() const override { return m_reader || m_read == 0 ? 0 : m_time; }
    bool next(QImage &picture, double &seconds) override;
    bool seek(double seconds) override;
    QString error() const override { return m_error; }

private:
    bool start();
    QString m_path;
    QIODevice *m_device = nullptr;
    std::unique_ptr<QImageReader> m_reader;
    QSize m_size;
    double m_time = 0;
    int m_read = 0;
    QString m_error;
};

// At most this many pictures are read from one animated picture.
constexpr int kMaxAnimatedPictures = 100000;

// The end of the range in seconds: `to` when set, else the movie's length
// (0 when neither is known).
double movieRangeEnd(const MovingPicture &movie, const MovieImportOptions &o);
// The frames an import will make, 0 when the end is not known beforehand.
int64_t movieFrameCount(const MovingPicture &movie, const MovieImportOptions &o);

// The first and the last picture of the range, for a preview. Rewinds.
std::pair<QImage, QImage> movieRangeEnds(MovingPicture &movie, const MovieImportOptions &o);

// Makes the frames. With no frame in the document nothing is made and the
// user is told to make a grid first; a run that would not fit in memory is
// refused with "TooManyFrames"; a movie that gives no picture says why.
// Returns the frames made, -1 when refused.
int importMovie(PatternTarget &target, MovingPicture &movie, const MovieImportOptions &o, Prompt &prompt,
                const EditName &name = kVideoImportEdit);

// Opens `path` as a video or as an animated picture (by what the file
// holds); null with the reason in `error` when it is neither.
std::unique_ptr<MovingPicture> openMovie(const QString &path, QString *error, bool animatedPicture = false);

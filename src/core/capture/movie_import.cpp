#include "capture/movie_import.h"

#include "capture/gather_texts.h"
#include "document/frame_budget.h"
#include "document/frame_repeat.h"
#include "patterns/picture_pattern.h"
#include "settings/prompt.h"

#include <QFileInfo>
#include <QPainter>

#include <climits>
#include <cmath>

namespace {

constexpr double kTimeSlack = 1e-6;

// A picture of any format as 32 bits over black.
QImage opaquePicture(const QImage &picture)
{
    if (picture.format() == QImage::Format_RGB32)
        return picture;
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage out(picture.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

} // namespace

// --- animated pictures --------------------------------------------------------

bool AnimatedPicture::open(const QString &path)
{
    m_path = path;
    m_device = nullptr;
    return start();
}

bool AnimatedPicture::openDevice(QIODevice *device)
{
    m_path.clear();
    m_device = device;
    return start();
}

bool AnimatedPicture::start()
{
    m_error.clear();
    m_time = 0;
    m_read = 0;
    if (m_device) {
        m_device->seek(0);
        m_reader = std::make_unique<QImageReader>(m_device);
    } else {
        m_reader = std::make_unique<QImageReader>(m_path);
    }
    m_reader->setAutoTransform(false);
    // A cut or damaged file may claim a picture far larger than its bytes
    // could hold (92 bytes claiming 2235 x 10778), which the decoder would
    // fill in for every picture: memory is bounded by the file's size.
    const qint64 fileBytes = m_device ? (m_device->isSequential() ? 0 : m_device->size()) : QFileInfo(m_path).size();
    m_reader->setAllocationLimit(pictureAllocationLimitMb(fileBytes, kMaxVideoSide));
    if (!m_reader->canRead()) {
        m_error = m_reader->errorString();
        m_reader.reset();
        return false;
    }
    // The size comes from the header: a picture too large is refused
    // before its pixels are read.
    const QSize s = m_reader->size();
    if (s.isValid() && (s.width() > kMaxVideoSide || s.height() > kMaxVideoSide
                        || int64_t(s.width()) * s.height() > kMaxVideoPoints)) {
        m_error = QStringLiteral("the picture (%1 x %2) is too large").arg(s.width()).arg(s.height());
        m_reader.reset();
        return false;
    }
    m_size = s.isValid() ? s : QSize();
    return true;
}

bool AnimatedPicture::next(QImage &picture, double &seconds)
{
    if (!m_reader || m_read >= kMaxAnimatedPictures)
        return false;
    QImage image;
    if (!m_reader->read(&image) || image.isNull()) {
        if (m_read == 0)
            m_error = m_reader->errorString();
        m_reader.reset();
        return false;
    }
    if (image.width() > kMaxVideoSide || image.height() > kMaxVideoSide) {
        m_error = QStringLiteral("the picture is too large");
        m_reader.reset();
        return false;
    }
    if (!m_size.isValid())
        m_size = image.size();
    picture = opaquePicture(image);
    seconds = m_time;
    ++m_read;
    // A frame without a delay shows for a tenth of a second, as browsers do.
    const int delay = m_reader->nextImageDelay();
    m_time += (delay > 0 ? delay : 100) / 1000.0;
    if (!m_reader->supportsAnimation() && m_read >= 1)
        m_reader.reset(); // a still picture is one picture
    return true;
}

bool AnimatedPicture::seek(double seconds)
{
    (void)seconds; // the import reads on from the start to the time it needs
    return start();
}

// --- import ------------------------------------------------------------------

double movieRangeEnd(const MovingPicture &movie, const MovieImportOptions &o)
{
    const double length = movie.duration();
    if (o.to > 0)
        return length > 0 ? std::min(o.to, length) : o.to;
    return length;
}

int64_t movieFrameCount(const MovingPicture &movie, const MovieImportOptions &o)
{
    const double end = movieRangeEnd(movie, o);
    if (end <= 0)
        return 0;
    const double fps = std::max(o.fps, 1.0);
    const double span = end - std::max(o.from, 0.0);
    if (span <= 0)
        return 0;
    return int64_t(std::ceil(span * fps - kTimeSlack));
}

namespace {

// Walks a movie at fixed steps: for each step time the latest picture shown
// at or before it (the first picture before the movie's first one).
class MovieStepper
{
public:
    MovieStepper(MovingPicture &movie, const MovieImportOptions &o)
        : m_movie(movie), m_from(std::max(o.from, 0.0)), m_step(1.0 / std::max(o.fps, 1.0)),
          m_end(movieRangeEnd(movie, o))
    {
        if (m_from > 0)
            m_movie.seek(m_from);
        else
            m_movie.seek(0);
    }

    // The picture of step k; false when the range or the movie has ended.
    bool step(int64_t k, QImage &out)
    {
        const double t = m_from + double(k) * m_step;
        if (m_end > 0 && t >= m_end - kTimeSlack)
            return false;
        for (;;) {
            if (!m_pendingValid) {
                if (m_ended || !m_movie.next(m_pending, m_pendingTime)) {
                    m_ended = true;
                    break;
                }
                m_pendingValid = true;
            }
            if (m_pendingTime > t + kTimeSlack && m_have)
                break;
            m_current = std::move(m_pending);
            m_currentTime = m_pendingTime;
            m_have = true;
            m_pendingValid = false;
            if (m_currentTime > t + kTimeSlack)
                break; // the first picture comes after the range's start
        }
        if (!m_have)
            return false;
        // A movie whose length was not known beforehand knows it once its
        // last picture was read; failing that its last picture ends it.
        if (m_ended && m_end <= 0) {
            const double length = m_movie.duration();
            if (length > 0 ? t >= length - kTimeSlack : t > m_currentTime + m_step - kTimeSlack)
                return false;
        }
        out = m_current;
        return true;
    }

private:
    MovingPicture &m_movie;
    double m_from;
    double m_step;
    double m_end;
    QImage m_current;
    double m_currentTime = 0;
    bool m_have = false;
    QImage m_pending;
    double m_pendingTime = 0;
    bool m_pendingValid = false;
    bool m_ended = false;
};

} // namespace

std::pair<QImage, QImage> movieRangeEnds(MovingPicture &movie, const MovieImportOptions &o)
{
    QImage first;
    QImage last;
    MovieStepper stepper(movie, o);
    if (!stepper.step(0, first))
        return {};
    last = first;
    const int64_t count = movieFrameCount(movie, o);
    if (count > 1) {
        // The last step's picture: seek close to it, then step on.
        MovieImportOptions tail = o;
        const double step = 1.0 / std::max(o.fps, 1.0);
        tail.from = std::max(o.from, 0.0) + double(count - 1) * step;
        MovieStepper end(movie, tail);
        QImage picture;
        if (end.step(0, picture))
            last = picture;
    } else if (count == 0) {
        QImage picture;
        for (int64_t k = 1; k < kMaxAnimatedPictures && stepper.step(k, picture); ++k)
            last = picture;
    }
    movie.seek(0);
    return {first, last};
}

int importMovie(PatternTarget &target, MovingPicture &movie, const MovieImportOptions &o, Prompt &prompt,
                const EditName &name)
{
    Document &doc = target.doc;
    if (doc.frameCount() == 0) {
        prompt.inform(GatherText::gridFirst(), PromptIcon::Warning);
        return -1;
    }
    const int64_t expected = movieFrameCount(movie, o);
    if (!checkFramesToAdd(doc, expected, prompt))
        return -1;
    const GridRect region = generationArea(target.area, doc.rows(), doc.cols());
    MovieStepper stepper(movie, o);
    QImage picture;
    int made = 0;
    {
        FrameSink sink(target, AddRule::FollowAddMode, int(std::min<int64_t>(expected, INT_MAX)), name);
        for (int64_t k = 0; stepper.step(k, picture); ++k) {
            // A movie whose length was not known is checked as it goes.
            if (expected == 0 && sink.mode() == AddMode::Insert
                && !framesFit(int64_t(doc.frameCount()) + 1, doc.pointCount())) {
                prompt.inform(tooManyFramesText(), PromptIcon::Error);
                break;
            }
            if (!sink.hand(frameFromPicture(picture, region, doc.rows(), doc.cols(), o.mode, true)))
                break;
        }
        made = sink.made();
    }
    if (made == 0)
        prompt.inform(GatherText::movieUnreadable(movie.error().isEmpty() ? QStringLiteral("none in the time range")
                                                                          : movie.error()),
                      PromptIcon::Error);
    return made;
}

std::unique_ptr<MovingPicture> openMovie(const QString &path, QString *error, bool animatedPicture)
{
    if (animatedPicture) {
        auto picture = std::make_unique<AnimatedPicture>();
        if (picture->open(path))
            return picture;
        if (error)
            *error = picture->error();
        return nullptr;
    }
    auto video = std::make_unique<VideoReader>();
    if (video->open(path))
        return video;
    if (error)
        *error = video->error();
    return nullptr;
}

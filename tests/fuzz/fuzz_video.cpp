// Video and animated-picture readers: any bytes either open as something
// that gives pictures no larger than the readers allow, or are refused
// with a reason; a few pictures are decoded either way.
#include "capture/movie_import.h"
#include "capture/video_file.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

void checkVideo(bool condition)
{
    if (!condition)
        std::abort();
}

// A few pictures, and after the first only as many as fit in two 1080p
// pictures' worth of pixels: a 545-byte flat-coloured VP8 stream may rightly
// be 3336 x 1536, and converting several pictures that large is work in
// proportion to what the file declares (0.1 to 0.2 s each under ASan, four
// times that on a loaded machine), not a fault of the reader.
constexpr qint64 kDrainPixels = qint64(2) * 1920 * 1080;

void drain(MovingPicture &movie)
{
    QImage picture;
    double seconds = 0;
    qint64 pixels = 0;
    for (int i = 0; i < 24 && movie.next(picture, seconds); ++i) {
        checkVideo(!picture.isNull());
        checkVideo(picture.width() <= kMaxVideoSide && picture.height() <= kMaxVideoSide);
        checkVideo(picture.format() == QImage::Format_RGB32);
        const qint64 area = qint64(picture.width()) * picture.height();
        pixels += area;
        if (pixels + area > kDrainPixels)
            break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        VideoReader video;
        if (video.openBytes(bytes)) {
            checkVideo(video.size().width() > 0 && video.size().height() > 0);
            // A stream declaring larger pictures than that is only opened
            // (which decodes its first picture already): decoding on is the
            // same code as for a small one, at a cost that follows the
            // declared size, as a real video that large would cost too.
            if (qint64(video.size().width()) * video.size().height() <= kDrainPixels)
                drain(video);
        } else {
            checkVideo(!video.error().isEmpty());
        }
    }
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    AnimatedPicture animated;
    if (animated.openDevice(&buffer))
        drain(animated);
    return 0;
}

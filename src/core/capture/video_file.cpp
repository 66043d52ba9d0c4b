#include "capture/video_file.h"
#include "settings/file_access.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

// Bytes in memory read as a file by FFmpeg.
struct FfmpegMemoryInput
{
    const QByteArray *bytes = nullptr;
    int64_t position = 0;
};

// swscale's vector code reads and writes a little past the end of lines
// whose width is no multiple of its block: pictures pass through a buffer
// with aligned lines and room to spare.
struct SwsPaddedPicture
{
    std::vector<uint8_t> bytes;
    int stride = 0;
    uint8_t *prepare(int width, int height)
    {
        stride = (width * 4 + 63) & ~63;
        bytes.resize(size_t(stride) * size_t(height) + 256);
        return bytes.data();
    }
};

namespace {

// A picture swscale writes straight into: aligned lines and room to spare at
// the end, and no zero-filling first, since every pixel gets written. A
// large video then costs one pass over each picture instead of three.
QImage paddedPicture(QSize size)
{
    const size_t stride = (size_t(size.width()) * 4 + 63) & ~size_t(63);
    const size_t bytes = (stride * size_t(size.height()) + 256 + 63) & ~size_t(63);
    auto *data = static_cast<uchar *>(std::aligned_alloc(64, bytes));
    if (!data)
        return {};
    return QImage(data, size.width(), size.height(), qsizetype(stride), QImage::Format_RGB32,
                  [](void *p) { std::free(p); }, data);
}

constexpr int kIoBufferSize = 64 * 1024;
// No single allocation of FFmpeg's may pass this: a hostile header asking
// for gigabytes fails inside FFmpeg instead of taking the memory.
constexpr size_t kMaxFfmpegAlloc = size_t(512) << 20;

void limitFfmpeg()
{
    static const bool done = [] {
        av_max_alloc(kMaxFfmpegAlloc);
        av_log_set_level(AV_LOG_QUIET);
        return true;
    }();
    (void)done;
}

QString ffmpegError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

bool sideAllowed(int w, int h)
{
    return w > 0 && h > 0 && w <= kMaxVideoSide && h <= kMaxVideoSide && int64_t(w) * h <= kMaxVideoPoints;
}

int readMemory(void *opaque, uint8_t *buffer, int size)
{
    auto *in = static_cast<FfmpegMemoryInput *>(opaque);
    const int64_t left = in->bytes->size() - in->position;
    if (left <= 0)
        return AVERROR_EOF;
    const int n = int(std::min<int64_t>(left, size));
    std::memcpy(buffer, in->bytes->constData() + in->position, size_t(n));
    in->position += n;
    return n;
}

int64_t seekMemory(void *opaque, int64_t offset, int whence)
{
    auto *in = static_cast<FfmpegMemoryInput *>(opaque);
    const int64_t size = in->bytes->size();
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += in->position;
        break;
    case SEEK_END:
        offset += size;
        break;
    default:
        return -1;
    }
    if (offset < 0 || offset > size)
        return -1;
    in->position = offset;
    return offset;
}

} // namespace

// --- reading ----------------------------------------------------------------

struct VideoReader::State
{
    AVFormatContext *format = nullptr;
    AVIOContext *io = nullptr;
    FfmpegMemoryInput memory;
    AVCodecContext *decoder = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
    SwsContext *scaler = nullptr;
    int stream = -1;
    QSize size;
    double timeBase = 0;
    int64_t startPts = 0;
    double lastSeconds = -1;
    bool draining = false;
    bool ended = false;
    QString error;

    ~State()
    {
        sws_freeContext(scaler);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&decoder);
        avformat_close_input(&format);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
    }
};

VideoReader::VideoReader() : m(std::make_unique<State>()) {}
VideoReader::~VideoReader() = default;

bool VideoReader::open(const QString &path)
{
    limitFfmpeg();
    m = std::make_unique<State>();
    if (!QFileInfo(path).isFile()) {
        m->error = QStringLiteral("the file cannot be opened");
        return false;
    }
    AVDictionary *options = nullptr;
    // A playlist or a concatenation list inside the file must not make
    // FFmpeg fetch anything but the file itself.
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const QByteArray name = QFile::encodeName(path);
    const int r = avformat_open_input(&m->format, name.constData(), nullptr, &options);
    av_dict_free(&options);
    if (r < 0) {
        m->error = QStringLiteral("no video FFmpeg can read (%1)").arg(ffmpegError(r));
        return false;
    }
    return openInput();
}

bool VideoReader::openBytes(const QByteArray &bytes)
{
    limitFfmpeg();
    m = std::make_unique<State>();
    m->memory.bytes = &bytes;
    auto *buffer = static_cast<uint8_t *>(av_malloc(kIoBufferSize));
    m->io = avio_alloc_context(buffer, kIoBufferSize, 0, &m->memory, readMemory, nullptr, seekMemory);
    m->format = avformat_alloc_context();
    if (!m->io || !m->format) {
        if (!m->io)
            av_free(buffer);
        m->error = QStringLiteral("out of memory");
        return false;
    }
    m->format->pb = m->io;
    m->format->flags |= AVFMT_FLAG_CUSTOM_IO;
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "", 0);
    const int r = avformat_open_input(&m->format, nullptr, nullptr, &options);
    av_dict_free(&options);
    if (r < 0) {
        m->error = QStringLiteral("no video FFmpeg can read (%1)").arg(ffmpegError(r));
        return false;
    }
    return openInput();
}

// The largest picture a decoder of a stream declared w x h may build:
// a stream may change its picture size on the way, and a damaged one may
// claim any size a packet can name (16383 x 16383 for VP8), which the
// decoder would build before anything could refuse it. The stream's own
// size or 4K, whichever is larger, keeps a small file from making the
// decoder fill gigabytes.
static int64_t decoderPixelLimit(int width, int height)
{
    const int64_t declared = sideAllowed(width, height) ? int64_t(width) * height : 0;
    return std::max<int64_t>(declared, kMaxVideoChangedPoints);
}

bool VideoReader::openInput()
{
    // Probing the streams decodes a few pictures with decoders of FFmpeg's
    // own: they get the same limit as ours.
    const unsigned streams = m->format->nb_streams;
    std::vector<AVDictionary *> probeOptions(streams, nullptr);
    for (unsigned i = 0; i < streams; ++i) {
        const AVCodecParameters *par = m->format->streams[i]->codecpar;
        av_dict_set_int(&probeOptions[i], "max_pixels", decoderPixelLimit(par->width, par->height), 0);
    }
    int r = avformat_find_stream_info(m->format, streams ? probeOptions.data() : nullptr);
    for (AVDictionary *&options : probeOptions)
        av_dict_free(&options);
    if (r < 0) {
        m->error = QStringLiteral("no video FFmpeg can read (%1)").arg(ffmpegError(r));
        return false;
    }
    const AVCodec *codec = nullptr;
    m->stream = av_find_best_stream(m->format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (m->stream < 0 || !codec) {
        m->error = QStringLiteral("the file holds no video that can be decoded");
        m->stream = -1;
        return false;
    }
    AVStream *st = m->format->streams[m->stream];
    const AVCodecParameters *par = st->codecpar;
    if (!sideAllowed(par->width, par->height)) {
        m->error = QStringLiteral("the video's pictures (%1 x %2) are not a size that can be read")
                       .arg(par->width)
                       .arg(par->height);
        return false;
    }
    m->decoder = avcodec_alloc_context3(codec);
    m->frame = av_frame_alloc();
    m->packet = av_packet_alloc();
    if (!m->decoder || !m->frame || !m->packet) {
        m->error = QStringLiteral("out of memory");
        return false;
    }
    r = avcodec_parameters_to_context(m->decoder, par);
    if (r >= 0)
        m->decoder->max_pixels = decoderPixelLimit(par->width, par->height);
    if (r < 0 || (r = avcodec_open2(m->decoder, codec, nullptr)) < 0) {
        m->error = QStringLiteral("the video cannot be decoded (%1)").arg(ffmpegError(r));
        return false;
    }
    m->size = QSize(par->width, par->height);
    m->timeBase = av_q2d(st->time_base);
    if (!(m->timeBase > 0) || !std::isfinite(m->timeBase))
        m->timeBase = 1.0 / 25;
    m->startPts = st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time;
    return true;
}

QSize VideoReader::size() const
{
    return m->size;
}

double VideoReader::duration() const
{
    if (!m->format || m->stream < 0)
        return 0;
    const AVStream *st = m->format->streams[m->stream];
    double seconds = 0;
    if (st->duration != AV_NOPTS_VALUE && st->duration > 0)
        seconds = double(st->duration) * m->timeBase;
    else if (m->format->duration != AV_NOPTS_VALUE && m->format->duration > 0)
        seconds = double(m->format->duration) / AV_TIME_BASE;
    return std::isfinite(seconds) && seconds > 0 && seconds < 1e7 ? seconds : 0;
}

double VideoReader::frameRate() const
{
    if (!m->format || m->stream < 0)
        return 0;
    const double rate = av_q2d(m->format->streams[m->stream]->avg_frame_rate);
    return std::isfinite(rate) && rate > 0 && rate < 10000 ? rate : 0;
}

QString VideoReader::error() const
{
    return m->error;
}

bool VideoReader::next(QImage &picture, double &seconds)
{
    if (!m->decoder || m->ended)
        return false;
    for (;;) {
        int r = avcodec_receive_frame(m->decoder, m->frame);
        if (r == 0) {
            const AVFrame *f = m->frame;
            if (!sideAllowed(f->width, f->height)) {
                av_frame_unref(m->frame);
                continue;
            }
            m->scaler = sws_getCachedContext(m->scaler, f->width, f->height, AVPixelFormat(f->format),
                                             m->size.width(), m->size.height(), AV_PIX_FMT_BGRA,
                                             SWS_BILINEAR, nullptr, nullptr, nullptr);
            if (!m->scaler) {
                av_frame_unref(m->frame);
                continue;
            }
            QImage out = paddedPicture(m->size);
            if (out.isNull()) {
                m->error = QStringLiteral("out of memory");
                av_frame_unref(m->frame);
                return false;
            }
            uint8_t *planes[4] = {out.bits(), nullptr, nullptr, nullptr};
            int strides[4] = {int(out.bytesPerLine()), 0, 0, 0};
            sws_scale(m->scaler, f->data, f->linesize, 0, f->height, planes, strides);
            const int64_t pts = f->best_effort_timestamp;
            double at = pts == AV_NOPTS_VALUE ? m->lastSeconds + (frameRate() > 0 ? 1 / frameRate() : 0.04)
                                              : double(pts - m->startPts) * m->timeBase;
            if (!std::isfinite(at))
                at = m->lastSeconds + 0.04;
            m->lastSeconds = at;
            av_frame_unref(m->frame);
            picture = std::move(out);
            seconds = at;
            return true;
        }
        if (r == AVERROR_EOF) {
            m->ended = true;
            return false;
        }
        if (r != AVERROR(EAGAIN)) {
            m->error = QStringLiteral("decoding failed (%1)").arg(ffmpegError(r));
            m->ended = true;
            return false;
        }
        if (m->draining) {
            m->ended = true;
            return false;
        }
        // Feed the decoder the next packet of the stream; a damaged packet
        // is skipped, the end of the file drains the decoder.
        for (;;) {
            r = av_read_frame(m->format, m->packet);
            if (r < 0) {
                avcodec_send_packet(m->decoder, nullptr);
                m->draining = true;
                break;
            }
            const bool ours = m->packet->stream_index == m->stream;
            if (ours)
                avcodec_send_packet(m->decoder, m->packet);
            av_packet_unref(m->packet);
            if (ours)
                break;
        }
    }
}

bool VideoReader::seek(double seconds)
{
    if (!m->decoder)
        return false;
    const int64_t target = m->startPts + int64_t(std::max(seconds, 0.0) / m->timeBase);
    if (av_seek_frame(m->format, m->stream, target, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    avcodec_flush_buffers(m->decoder);
    m->draining = false;
    m->ended = false;
    m->lastSeconds = -1;
    return true;
}

// --- writing ----------------------------------------------------------------

struct VideoWriter::State
{
    StagedSaveFile file;
    AVFormatContext *format = nullptr;
    AVIOContext *io = nullptr;
    AVCodecContext *encoder = nullptr;
    AVStream *stream = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
    SwsContext *scaler = nullptr;
    SwsPaddedPicture padded;
    int64_t nextPts = 0;
    bool headerWritten = false;
    bool mjpeg = false;
    QString error;

    ~State()
    {
        sws_freeContext(scaler);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
        if (format)
            avformat_free_context(format);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
        file.cancel();
    }

    bool fail(const QString &why)
    {
        if (error.isEmpty())
            error = why;
        return false;
    }

    bool drain()
    {
        for (;;) {
            const int r = avcodec_receive_packet(encoder, packet);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0)
                return fail(QStringLiteral("encoding failed (%1)").arg(ffmpegError(r)));
            av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            const int w = av_interleaved_write_frame(format, packet);
            av_packet_unref(packet);
            if (w < 0)
                return fail(file.device().errorString().isEmpty() ? ffmpegError(w) : file.device().errorString());
        }
    }
};

namespace {

// The FFmpeg 5 and FFmpeg 6 forms of the write callback differ in constness.
int writeToSaveFile(void *opaque, uint8_t *buffer, int size)
{
    auto *file = static_cast<QSaveFile *>(opaque);
    return file->write(reinterpret_cast<const char *>(buffer), size) == size ? size : AVERROR(EIO);
}

int64_t seekSaveFile(void *opaque, int64_t offset, int whence)
{
    auto *file = static_cast<QSaveFile *>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return file->size();
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += file->pos();
        break;
    case SEEK_END:
        offset += file->size();
        break;
    default:
        return -1;
    }
    return offset >= 0 && file->seek(offset) ? offset : -1;
}

struct OutputKind
{
    const char *muxer;
    AVCodecID codec;
    AVPixelFormat pixels;
    const char *preferred; // encoder name tried first, or null
};

bool outputKind(const QString &path, OutputKind &kind)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("avi"))
        kind = {"avi", AV_CODEC_ID_MJPEG, AV_PIX_FMT_YUVJ420P, nullptr};
    else if (suffix == QLatin1String("mkv"))
        kind = {"matroska", AV_CODEC_ID_MJPEG, AV_PIX_FMT_YUVJ420P, nullptr};
    else if (suffix == QLatin1String("mp4"))
        kind = {"mp4", AV_CODEC_ID_H264, AV_PIX_FMT_YUV420P, "libx264"};
    else if (suffix == QLatin1String("mov"))
        kind = {"mov", AV_CODEC_ID_H264, AV_PIX_FMT_YUV420P, "libx264"};
    else if (suffix == QLatin1String("webm"))
        kind = {"webm", AV_CODEC_ID_VP8, AV_PIX_FMT_YUV420P, "libvpx"};
    else if (suffix == QLatin1String("gif"))
        kind = {"gif", AV_CODEC_ID_GIF, AV_PIX_FMT_RGB8, nullptr};
    else
        return false;
    return true;
}

} // namespace

bool videoSuffixWritable(const QString &path)
{
    OutputKind kind;
    return outputKind(path, kind);
}

VideoWriter::VideoWriter() : m(std::make_unique<State>()) {}
VideoWriter::~VideoWriter() = default;

QString VideoWriter::error() const
{
    return m->error;
}

bool VideoWriter::open(const QString &path, int width, int height, int fps)
{
    limitFfmpeg();
    m = std::make_unique<State>();
    OutputKind kind;
    if (!outputKind(path, kind))
        return m->fail(QStringLiteral("videos are written as .avi, .mp4, .mov, .mkv, .webm or .gif"));
    if (!sideAllowed(width, height))
        return m->fail(QStringLiteral("%1 x %2 pixels is no size for a video").arg(width).arg(height));
    fps = std::clamp(fps, 1, 1000);
    const AVCodec *codec = kind.preferred ? avcodec_find_encoder_by_name(kind.preferred) : nullptr;
    if (!codec && kind.codec == AV_CODEC_ID_H264)
        kind.codec = AV_CODEC_ID_MPEG4;
    if (!codec)
        codec = avcodec_find_encoder(kind.codec);
    if (!codec)
        return m->fail(QStringLiteral("this FFmpeg has no encoder for %1 files").arg(kind.muxer));
    // 4:2:0 pictures have even sides.
    if (kind.pixels != AV_PIX_FMT_RGB8) {
        width += width & 1;
        height += height & 1;
    }
    m->mjpeg = kind.codec == AV_CODEC_ID_MJPEG;

    m->file.setFileName(path);
    if (!m->file.open())
        return m->fail(m->file.failureReason());
    if (avformat_alloc_output_context2(&m->format, nullptr, kind.muxer, nullptr) < 0 || !m->format)
        return m->fail(QStringLiteral("this FFmpeg cannot write %1 files").arg(kind.muxer));
    auto *buffer = static_cast<uint8_t *>(av_malloc(kIoBufferSize));
    m->io = avio_alloc_context(buffer, kIoBufferSize, 1, &m->file.device(), nullptr, writeToSaveFile, seekSaveFile);
    if (!m->io) {
        av_free(buffer);
        return m->fail(QStringLiteral("out of memory"));
    }
    m->format->pb = m->io;
    m->format->flags |= AVFMT_FLAG_CUSTOM_IO;

    m->stream = avformat_new_stream(m->format, nullptr);
    m->encoder = avcodec_alloc_context3(codec);
    m->frame = av_frame_alloc();
    m->packet = av_packet_alloc();
    if (!m->stream || !m->encoder || !m->frame || !m->packet)
        return m->fail(QStringLiteral("out of memory"));
    AVCodecContext *enc = m->encoder;
    enc->width = width;
    enc->height = height;
    enc->pix_fmt = kind.pixels;
    enc->time_base = AVRational{1, fps};
    enc->framerate = AVRational{fps, 1};
    enc->gop_size = fps;
    if (m->mjpeg) {
        enc->flags |= AV_CODEC_FLAG_QSCALE;
        enc->color_range = AVCOL_RANGE_JPEG;
    } else if (kind.codec == AV_CODEC_ID_H264) {
        av_opt_set(enc->priv_data, "preset", "veryfast", 0);
        av_opt_set(enc->priv_data, "crf", "18", 0);
    } else if (kind.codec == AV_CODEC_ID_VP8) {
        enc->bit_rate = 4'000'000;
        av_opt_set(enc->priv_data, "deadline", "realtime", 0);
        av_opt_set(enc->priv_data, "cpu-used", "8", 0);
    } else if (kind.codec == AV_CODEC_ID_MPEG4) {
        enc->flags |= AV_CODEC_FLAG_QSCALE;
        enc->global_quality = FF_QP2LAMBDA * 2;
    }
    if (m->format->oformat->flags & AVFMT_GLOBALHEADER)
        enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int r = avcodec_open2(enc, codec, nullptr);
    if (r < 0)
        return m->fail(QStringLiteral("the encoder did not start (%1)").arg(ffmpegError(r)));
    if ((r = avcodec_parameters_from_context(m->stream->codecpar, enc)) < 0)
        return m->fail(ffmpegError(r));
    m->stream->time_base = enc->time_base;
    m->stream->avg_frame_rate = enc->framerate;
    if ((r = avformat_write_header(m->format, nullptr)) < 0)
        return m->fail(QStringLiteral("writing the video's header failed (%1)").arg(ffmpegError(r)));
    m->headerWritten = true;
    m->frame->format = enc->pix_fmt;
    m->frame->width = width;
    m->frame->height = height;
    if ((r = av_frame_get_buffer(m->frame, 0)) < 0)
        return m->fail(QStringLiteral("out of memory"));
    return true;
}

bool VideoWriter::write(const QImage &picture)
{
    if (!m->headerWritten || !m->error.isEmpty())
        return m->fail(QStringLiteral("the video is not open"));
    const QImage source = picture.format() == QImage::Format_RGB32 ? picture
                                                                   : picture.convertToFormat(QImage::Format_RGB32);
    if (source.isNull())
        return m->fail(QStringLiteral("an empty picture"));
    AVCodecContext *enc = m->encoder;
    m->scaler = sws_getCachedContext(m->scaler, source.width(), source.height(), AV_PIX_FMT_BGRA, enc->width,
                                     enc->height, enc->pix_fmt, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!m->scaler)
        return m->fail(QStringLiteral("the picture cannot be converted for the encoder"));
    if (av_frame_make_writable(m->frame) < 0)
        return m->fail(QStringLiteral("out of memory"));
    uint8_t *copy = m->padded.prepare(source.width(), source.height());
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(copy + size_t(y) * size_t(m->padded.stride), source.constScanLine(y), size_t(source.width()) * 4);
    const uint8_t *planes[4] = {copy, nullptr, nullptr, nullptr};
    const int strides[4] = {m->padded.stride, 0, 0, 0};
    sws_scale(m->scaler, planes, strides, 0, source.height(), m->frame->data, m->frame->linesize);
    m->frame->pts = m->nextPts++;
    if (m->mjpeg)
        m->frame->quality = FF_QP2LAMBDA * 2;
    const int r = avcodec_send_frame(enc, m->frame);
    if (r < 0)
        return m->fail(QStringLiteral("encoding failed (%1)").arg(ffmpegError(r)));
    return m->drain();
}

bool VideoWriter::finish()
{
    if (!m->headerWritten)
        return m->fail(QStringLiteral("the video is not open"));
    if (m->error.isEmpty()) {
        avcodec_send_frame(m->encoder, nullptr);
        m->drain();
    }
    if (m->error.isEmpty()) {
        const int r = av_write_trailer(m->format);
        if (r < 0)
            m->fail(QStringLiteral("writing the end of the video failed (%1)").arg(ffmpegError(r)));
        avio_flush(m->io);
    }
    m->headerWritten = false;
    if (!m->error.isEmpty()) {
        m->file.cancel();
        return false;
    }
    if (!m->file.commit())
        return m->fail(m->file.failureReason());
    return true;
}

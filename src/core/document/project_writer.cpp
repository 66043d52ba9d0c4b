// Writing the current project layout. Every grid point's colour is stored,
// wired or not, so painting saved before the wiring exists is kept.
#include "document/byte_writer.h"
#include "document/project_file.h"

#include "settings/file_access.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// "WST1" and six zero bytes, format number 11, reserved 0, frame count,
// Rows, Cols, CelWidth, CelHeight (i16), BaseColorNum, ScanMode (u8).
void putHeader(uint8_t *out, const GridGeometry &g, int frameCount)
{
    ByteWriter w(out, kCurrentHeaderSize);
    w.bytes("WST1", 4);
    w.zeros(6);
    w.i32(kCurrentFormatNumber);
    w.i32(0);
    w.i32(frameCount);
    w.i16(g.rows);
    w.i16(g.cols);
    w.i16(g.celWidth);
    w.i16(g.celHeight);
    w.u8(g.baseColorNum);
    w.u8(g.scanMode);
    w.zeros(kCurrentHeaderSize - w.position());
}

void store32(uint8_t *p, uint32_t v)
{
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    std::memcpy(p, &v, 4);
}

// One frame as red, green, blue per point in linear-index order, four
// points to three 32-bit words at a time. A frame of another size than the
// grid (never made by the editor) is cut or padded with black so the file
// stays readable.
void packFrame(const Frame &frame, size_t points, uint8_t *out)
{
    const size_t n = std::min(points, frame.size());
    const ColorValue *in = frame.data();
    size_t i = 0;
    for (; i + 4 <= n; i += 4, out += 12) {
        const uint32_t p0 = in[i] & 0xFFFFFFu;
        const uint32_t p1 = in[i + 1] & 0xFFFFFFu;
        const uint32_t p2 = in[i + 2] & 0xFFFFFFu;
        const uint32_t p3 = in[i + 3] & 0xFFFFFFu;
        store32(out, p0 | p1 << 24);         // r0 g0 b0 r1
        store32(out + 4, p1 >> 8 | p2 << 16); // g1 b1 r2 g2
        store32(out + 8, p2 >> 16 | p3 << 8); // b2 r3 g3 b3
    }
    for (; i < n; ++i, out += 3) {
        const ColorValue c = in[i];
        out[0] = uint8_t(c);
        out[1] = uint8_t(c >> 8);
        out[2] = uint8_t(c >> 16);
    }
    if (n < points)
        std::memset(out, 0, (points - n) * 3);
}

constexpr size_t kWriteChunk = size_t(1) << 20;

size_t frameBytes(const GridGeometry &g)
{
    return size_t(g.pointCount()) * 3;
}

} // namespace

QByteArray projectBytes(const GridGeometry &g, const FrameSequence &frames)
{
    const size_t points = size_t(g.pointCount());
    const size_t perFrame = frameBytes(g);
    QByteArray out(qsizetype(kCurrentHeaderSize + perFrame * size_t(frames.count())), Qt::Uninitialized);
    auto *p = reinterpret_cast<uint8_t *>(out.data());
    putHeader(p, g, frames.count());
    p += kCurrentHeaderSize;
    for (int i = 0; i < frames.count(); ++i, p += perFrame)
        packFrame(frames.at(i), points, p);
    return out;
}

bool writeProjectFile(const QString &path, const GridGeometry &g, const FrameSequence &frames,
                      QString *errorDetail)
{
    return writeProjectFrames(path, g, frames.count(), [&](int i) -> const Frame & { return frames.at(i); },
                              errorDetail);
}

bool writeProjectFrames(const QString &path, const GridGeometry &g, int frameCount, const ProjectFrameSource &frameAt,
                        QString *errorDetail)
{
    const auto fail = [&](const QString &reason) {
        if (errorDetail)
            *errorDetail = reason;
        return false;
    };

    // The new contents go to a file of our own beside the project that
    // replaces it only when everything was written, so a failure or a kill
    // keeps the old file. A copy an earlier killed save left goes first.
    StagedSaveFile file(path);
    if (!file.open())
        return fail(file.failureReason());

    uint8_t header[kCurrentHeaderSize];
    putHeader(header, g, frameCount);
    if (!file.write(reinterpret_cast<const char *>(header), kCurrentHeaderSize)) {
        const QString reason = file.failureReason();
        file.cancel();
        return fail(reason);
    }

    // One buffer for all frames. It holds as many whole frames as fit in
    // about 1 MiB, so small frames do not cost one system call each.
    const size_t points = size_t(g.pointCount());
    const size_t perFrame = frameBytes(g);
    const size_t framesPerWrite = perFrame == 0 ? 1 : std::max<size_t>(1, kWriteChunk / perFrame);
    std::vector<uint8_t> buffer(perFrame * framesPerWrite);
    const int count = perFrame == 0 ? 0 : frameCount;
    for (int first = 0; first < count; first += int(framesPerWrite)) {
        const int last = std::min(count, first + int(framesPerWrite));
        for (int i = first; i < last; ++i)
            packFrame(frameAt(i), points, buffer.data() + size_t(i - first) * perFrame);
        const qint64 size = qint64(size_t(last - first) * perFrame);
        if (!file.write(reinterpret_cast<const char *>(buffer.data()), size)) {
            const QString reason = QStringLiteral("writing frames %1 to %2 of %3 failed: %4")
                                       .arg(first + 1)
                                       .arg(last)
                                       .arg(count)
                                       .arg(file.failureReason());
            file.cancel();
            return fail(reason);
        }
    }
    if (!file.commit())
        return fail(file.failureReason());
    return true;
}

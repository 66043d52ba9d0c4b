// Reading project files of all three layouts into new contents. The open
// document is never touched here; every size the header claims is checked
// against the bytes the file really holds before anything is allocated.
#include "document/project_file.h"

#include "document/byte_reader.h"
#include "document/scrambled_words.h"
#include "settings/file_access.h"

#include <QFile>

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Everything the header says, before any of it is trusted.
struct HeaderFields
{
    ProjectFormat format = ProjectFormat::Wst1;
    int bytesPerPoint = 3;
    int64_t frameCount = 0;
    // As stored; a side of 0 or less means the frames hold no bytes.
    int64_t rows = 0;
    int64_t cols = 0;
    int celWidth = 0;
    int celHeight = 0;
    uint8_t baseColorNum = 3;
    uint8_t scanMode = 1;
};

FileError formatError(const QString &detail)
{
    return FileError{QStringLiteral("Message"), QStringLiteral("FileFormatError"),
                     QStringLiteral("文件格式错误!"), detail};
}

FileError shortHeader(const char *layout, int size, size_t have)
{
    return formatError(QStringLiteral("The %1 header needs %2 bytes but the file has only %3.")
                           .arg(QLatin1String(layout))
                           .arg(size)
                           .arg(qulonglong(have)));
}

// The header text is compared like a zero-terminated string: only the bytes
// up to the first zero count, so "WST1" followed by anything after its zero
// is the current layout. The old layout is tried first, as its maker did.
std::optional<ProjectFormat> matchHeaderText(const uint8_t *text)
{
    const void *zero = std::memchr(text, 0, kProjectHeaderTextSize);
    if (!zero)
        return std::nullopt;
    const size_t len = size_t(static_cast<const uint8_t *>(zero) - text);
    const auto is = [&](const char *magic) {
        return std::strlen(magic) == len && std::memcmp(text, magic, len) == 0;
    };
    if (is("VISSP\x01"))
        return ProjectFormat::Vissp;
    if (is("WST1"))
        return ProjectFormat::Wst1;
    if (is("VISSP2"))
        return ProjectFormat::Vissp2;
    return std::nullopt;
}

QString printableHeader(const uint8_t *text, size_t size)
{
    QString out;
    for (size_t i = 0; i < size && text[i] != 0; ++i)
        out += text[i] >= 0x20 && text[i] < 0x7F ? QString(QLatin1Char(char(text[i])))
                                                 : QStringLiteral("\\x%1").arg(text[i], 2, 16, QLatin1Char('0'));
    return out;
}

// Geometry in the order and widths of every layout: Rows, Cols, CelWidth,
// CelHeight (i16), BaseColorNum, ScanMode (u8).
void takeGeometry(ByteReader &r, HeaderFields &h)
{
    h.rows = *r.i16();
    h.cols = *r.i16();
    h.celWidth = *r.i16();
    h.celHeight = *r.i16();
    h.baseColorNum = *r.u8();
    h.scanMode = *r.u8();
}

// Current layout after the header text: format number (i32, 11 when we
// write, ignored), reserved (i32), frame count (i32), geometry. Frames are
// 3 bytes per point: red, green, blue.
std::optional<FileError> readCurrentHeader(ByteReader &r, HeaderFields &h)
{
    if (r.remaining() < size_t(kCurrentHeaderSize - kProjectHeaderTextSize))
        return shortHeader("WST1", kCurrentHeaderSize, r.remaining() + kProjectHeaderTextSize);
    r.skip(4); // format number
    r.skip(4); // reserved
    h.frameCount = *r.i32();
    takeGeometry(r, h);
    h.bytesPerPoint = 3;
    return std::nullopt;
}

// Old layout: frame count (i32), geometry; frames are whole 4-byte colours.
std::optional<FileError> readOldHeader(ByteReader &r, HeaderFields &h)
{
    if (r.remaining() < size_t(kOldHeaderSize - kProjectHeaderTextSize))
        return shortHeader("VISSP", kOldHeaderSize, r.remaining() + kProjectHeaderTextSize);
    h.frameCount = *r.i32();
    takeGeometry(r, h);
    h.bytesPerPoint = 4;
    return std::nullopt;
}

// Scrambled layout: modulus n (u32), key word k (u32), then three words
// encoded with the exponent k^17 mod n: the frame count, the size word
// (Rows in the low 12 bits, Cols above) and the cell word (CelWidth low 16
// bits, CelHeight high 16 bits); BaseColorNum and ScanMode plain. Frames are
// one scrambled 4-byte word per point. Everything is decoded here, before
// any frame is sized.
std::optional<FileError> readScrambledHeader(ByteReader &r, HeaderFields &h)
{
    if (r.remaining() < size_t(kScrambledHeaderSize - kProjectHeaderTextSize))
        return shortHeader("VISSP2", kScrambledHeaderSize, r.remaining() + kProjectHeaderTextSize);
    const uint32_t n = *r.u32();
    const uint32_t key = *r.u32();
    const uint32_t countWord = *r.u32();
    const uint32_t sizeWord = *r.u32();
    const uint32_t cellWord = *r.u32();
    h.baseColorNum = *r.u8();
    h.scanMode = *r.u8();
    h.bytesPerPoint = 4;
    // Below 2 every power is 0 and the remainder by 0 is undefined.
    if (n < 2)
        return formatError(QStringLiteral("The scrambled header's modulus %1 is below 2.").arg(n));
    const uint32_t d = scrambledExponent(key, n);
    // The count is held in a signed field like in the other layouts.
    h.frameCount = static_cast<int32_t>(decodeScrambledWord(countWord, d, n));
    const uint32_t size = decodeScrambledWord(sizeWord, d, n);
    h.rows = size & 0xFFFu;
    h.cols = size >> 12;
    const uint32_t cell = decodeScrambledWord(cellWord, d, n);
    h.celWidth = static_cast<int16_t>(cell & 0xFFFFu);
    h.celHeight = static_cast<int16_t>(cell >> 16);
    return std::nullopt;
}

uint32_t load32(const uint8_t *p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    return v;
}

// One frame's bytes to colours, per layout. The current layout packs red,
// green and blue of four points into three 32-bit words; they are taken
// apart four points at a time, which is several times faster than going
// byte by byte.
void decodeCurrent(const uint8_t *in, ColorValue *out, size_t points)
{
    size_t i = 0;
    for (; i + 4 <= points; i += 4, in += 12) {
        const uint32_t w0 = load32(in);     // r0 g0 b0 r1
        const uint32_t w1 = load32(in + 4); // g1 b1 r2 g2
        const uint32_t w2 = load32(in + 8); // b2 r3 g3 b3
        out[i] = w0 & 0xFFFFFFu;
        out[i + 1] = (w0 >> 24) | (w1 & 0xFFFFu) << 8;
        out[i + 2] = (w1 >> 16) | (w2 & 0xFFu) << 16;
        out[i + 3] = w2 >> 8;
    }
    for (; i < points; ++i, in += 3)
        out[i] = ColorValue(in[0]) | ColorValue(in[1]) << 8 | ColorValue(in[2]) << 16;
}

void decodeOld(const uint8_t *in, ColorValue *out, size_t points)
{
    // The old layout stored the colour values unchanged (little-endian).
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, in, points * 4);
    } else {
        for (size_t i = 0; i < points; ++i, in += 4)
            out[i] = load32(in);
    }
}

void decodeScrambled(const uint8_t *in, ColorValue *out, size_t points)
{
    for (size_t i = 0; i < points; ++i, in += 4)
        out[i] = unscramblePixel(load32(in));
}

using FrameDecoder = void (*)(const uint8_t *, ColorValue *, size_t);

FrameDecoder decoderFor(ProjectFormat f)
{
    switch (f) {
    case ProjectFormat::Wst1:
        return decodeCurrent;
    case ProjectFormat::Vissp:
        return decodeOld;
    case ProjectFormat::Vissp2:
        return decodeScrambled;
    }
    return decodeCurrent;
}

ProjectReadResult failed(FileError e)
{
    ProjectReadResult r;
    r.error = std::move(e);
    return r;
}

} // namespace

ProjectReadResult readProjectData(const uint8_t *bytes, size_t size, const FrameLoadProgress &progress)
{
    ByteReader r(bytes, size);
    const uint8_t *text = r.take(kProjectHeaderTextSize);
    if (!text)
        return failed(formatError(QStringLiteral("The file has %1 bytes, fewer than a project header.").arg(qulonglong(size))));
    const std::optional<ProjectFormat> format = matchHeaderText(text);
    if (!format)
        return failed(formatError(QStringLiteral("\"%1\" is not a project file header.")
                                      .arg(printableHeader(text, kProjectHeaderTextSize))));

    HeaderFields h;
    h.format = *format;
    std::optional<FileError> headerError;
    switch (h.format) {
    case ProjectFormat::Wst1:
        headerError = readCurrentHeader(r, h);
        break;
    case ProjectFormat::Vissp:
        headerError = readOldHeader(r, h);
        break;
    case ProjectFormat::Vissp2:
        headerError = readScrambledHeader(r, h);
        break;
    }
    if (headerError)
        return failed(*headerError);

    // A negative count cannot come from any writer: the header is damaged.
    if (h.frameCount < 0)
        return failed(formatError(QStringLiteral("The frame count %1 is negative.").arg(h.frameCount)));

    // The frames in the file have the stored size; a side of 0 or less
    // means they hold no bytes at all. The grid itself is at least 1 x 1.
    const int64_t storedPoints = h.rows > 0 && h.cols > 0 ? h.rows * h.cols : 0;
    const int64_t rows = std::max<int64_t>(h.rows, 1);
    const int64_t cols = std::max<int64_t>(h.cols, 1);
    if (!gridSizeAllowed(int(std::min<int64_t>(rows, INT32_MAX)), int(std::min<int64_t>(cols, INT32_MAX))))
        return failed(formatError(QStringLiteral("A grid of %1 x %2 points is larger than supported (at most %3 a side, %4 points).")
                                      .arg(rows)
                                      .arg(cols)
                                      .arg(kMaxGridSide)
                                      .arg(kMaxGridPoints)));

    ProjectData data;
    data.format = h.format;
    data.geometry.rows = int16_t(rows);
    data.geometry.cols = int16_t(cols);
    data.geometry.celWidth = int16_t(std::max(h.celWidth, 1));
    data.geometry.celHeight = int16_t(std::max(h.celHeight, 1));
    data.geometry.baseColorNum = h.baseColorNum;
    data.geometry.scanMode = h.scanMode;
    normaliseColourModes(data.geometry);
    data.declaredFrames = int(h.frameCount);

    // Only the frames the file really holds are made. Frames stored with no
    // bytes (a stored side of 0) come out black at the raised size. The file
    // cannot bound their number through their bytes, so it does through its
    // size: they count as complete up to one point per byte of the file (a
    // stored point costs three or four) and at most kMaxEmptyFrames frames
    // (each is an allocation of its own), and at least one frame opens. A
    // 32-byte header can then no longer open as hundreds of frames of
    // 32,767 points; its count beyond that is reported as missing.
    constexpr size_t kMaxEmptyFrames = 10000;
    const size_t points = size_t(rows * cols);
    const size_t frameBytes = size_t(storedPoints) * size_t(h.bytesPerPoint);
    const int64_t fits = frameBytes > 0 ? int64_t(r.remaining() / frameBytes)
                                        : int64_t(std::clamp<size_t>(size / points, 1, kMaxEmptyFrames));
    const int64_t complete = std::min(h.frameCount, fits);
    data.truncated = complete < h.frameCount;
    // Nothing of a file cut before its first frame is worth opening: the
    // open document stays rather than being replaced by an empty one.
    if (complete == 0 && h.frameCount > 0)
        return failed(formatError(QStringLiteral("The header promises %1 frames of %2 bytes, but the file ends "
                                                 "before the first one is complete.")
                                      .arg(h.frameCount)
                                      .arg(qulonglong(frameBytes))));

    const FrameDecoder decode = decoderFor(h.format);
    data.frames.reserve(size_t(complete));
    for (int64_t i = 0; i < complete; ++i) {
        Frame frame(points);
        if (frameBytes > 0)
            decode(r.take(frameBytes), frame.data(), points);
        data.frames.push_back(std::move(frame));
        if (progress)
            progress(int(i % 50));
    }
    if (progress)
        progress(0);

    ProjectReadResult result;
    result.data = std::move(data);
    return result;
}

ProjectReadResult readProjectBytes(const QByteArray &bytes, const FrameLoadProgress &progress)
{
    return readProjectData(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), progress);
}

ProjectReadResult readProjectFile(const QString &path, const FrameLoadProgress &progress)
{
    // The same fixed text in every language, as the program always showed.
    const auto openError = [&](const QString &reason) {
        return failed(FileError{QStringLiteral("Message"), QStringLiteral("OpenFileError"),
                                QStringLiteral("OpenFileError"), reason});
    };
    QFile file;
    QString reason;
    if (!openRegularFile(file, path, &reason))
        return openError(reason);

    // A mapped file is read in place: the frames are the only copy made.
    // Either way no more is read than the file held when it was opened.
    const qint64 size = file.size();
    if (size > 0) {
        if (uchar *mapped = file.map(0, size)) {
            ProjectReadResult result = readProjectData(mapped, size_t(size), progress);
            file.unmap(mapped);
            return result;
        }
    }
    const QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError)
        return openError(file.errorString());
    return readProjectBytes(bytes, progress);
}

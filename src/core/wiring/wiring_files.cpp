#include "wiring/wiring_files.h"

#include "document/byte_writer.h"
#include "settings/file_access.h"

#include <QBuffer>
#include <QFile>
#include <algorithm>

namespace {

// Records are read in slices, so a count field that claims millions of
// records costs memory only for the records that are really there.
constexpr int kRecordsPerSlice = 4096;

void readRecords(QIODevice &in, WiringRecords &out)
{
    if (out.declaredCount <= 0)
        return;
    int64_t left = out.declaredCount;
    const qint64 available = in.size() > 0 ? (in.size() - in.pos()) / WiringPixel::kRecordSize : 0;
    out.records.reserve(size_t(std::clamp<int64_t>(std::min<int64_t>(left, available), 0, kRecordsPerSlice)));
    while (left > 0) {
        const int64_t want = std::min<int64_t>(left, kRecordsPerSlice);
        const QByteArray slice = in.read(want * WiringPixel::kRecordSize);
        const int64_t whole = slice.size() / WiringPixel::kRecordSize;
        const auto *bytes = reinterpret_cast<const uint8_t *>(slice.constData());
        for (int64_t i = 0; i < whole; ++i)
            out.records.push_back(WiringPixel::decode(bytes + i * WiringPixel::kRecordSize));
        if (whole < want)
            return; // the file ended early; a partial record is dropped
        left -= want;
    }
}

bool commit(const QString &path, const QByteArray &bytes, QString *errorDetail)
{
    StagedSaveFile f(path);
    if (!f.open() || !f.write(bytes) || !f.commit()) {
        if (errorDetail)
            *errorDetail = f.failureReason();
        f.cancel();
        return false;
    }
    return true;
}

void appendRecords(QByteArray &out, const std::vector<WiringPixel> &records)
{
    const qsizetype start = out.size();
    out.resize(start + qsizetype(records.size()) * WiringPixel::kRecordSize);
    auto *bytes = reinterpret_cast<uint8_t *>(out.data() + start);
    for (const WiringPixel &p : records) {
        p.encode(bytes);
        bytes += WiringPixel::kRecordSize;
    }
}

int32_t get32(const char *p)
{
    const auto *b = reinterpret_cast<const uint8_t *>(p);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

int16_t get16(const char *p)
{
    const auto *b = reinterpret_cast<const uint8_t *>(p);
    return int16_t(uint16_t(b[0] | b[1] << 8));
}

// The little-endian fields of a header, appended to `out`.
template <class Fill> void appendFields(QByteArray &out, qsizetype size, Fill fill)
{
    const qsizetype at = out.size();
    out.resize(at + size);
    ByteWriter w(reinterpret_cast<uint8_t *>(out.data()) + at, size_t(size));
    fill(w);
}

} // namespace

LineReadResult readLineDevice(QIODevice &in)
{
    LineReadResult result;
    const QByteArray head = in.read(kLineHeaderSize);
    if (head.size() < kLineHeaderSize) {
        result.error = WiringFileError::TooShort;
        return result;
    }
    LineFile f;
    f.rows = get16(head.constData());
    f.cols = get16(head.constData() + 2);
    f.kind = uint8_t(head[4]);
    f.content.declaredCount = get32(head.constData() + 5);
    readRecords(in, f.content);
    result.file = std::move(f);
    return result;
}

LineReadResult readLineBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readLineDevice(buffer);
}

LineReadResult readLineFile(const QString &path)
{
    QFile f;
    if (!openRegularFile(f, path)) {
        LineReadResult result;
        result.error = WiringFileError::CannotOpen;
        return result;
    }
    return readLineDevice(f);
}

QByteArray lineFileBytes(int rows, int cols, uint8_t kind, const std::vector<WiringPixel> &records)
{
    QByteArray out;
    out.reserve(kLineHeaderSize + qsizetype(records.size()) * WiringPixel::kRecordSize);
    appendFields(out, kLineHeaderSize, [&](ByteWriter &w) {
        w.i16(int16_t(rows));
        w.i16(int16_t(cols));
        w.u8(kind);
        w.i32(int32_t(records.size()));
    });
    appendRecords(out, records);
    return out;
}

bool writeLineFile(const QString &path, int rows, int cols, uint8_t kind, const std::vector<WiringPixel> &records,
                   QString *errorDetail)
{
    return commit(path, lineFileBytes(rows, cols, kind, records), errorDetail);
}

UndoReadResult readUndoDevice(QIODevice &in)
{
    UndoReadResult result;
    const QByteArray head = in.read(4);
    if (head.size() < 4) {
        result.error = WiringFileError::TooShort;
        return result;
    }
    WiringRecords content;
    content.declaredCount = get32(head.constData());
    readRecords(in, content);
    result.content = std::move(content);
    return result;
}

UndoReadResult readUndoBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readUndoDevice(buffer);
}

UndoReadResult readUndoFile(const QString &path)
{
    QFile f;
    if (!openRegularFile(f, path)) {
        UndoReadResult result;
        result.error = WiringFileError::CannotOpen;
        return result;
    }
    return readUndoDevice(f);
}

QByteArray undoFileBytes(const std::vector<WiringPixel> &records)
{
    QByteArray out;
    out.reserve(4 + qsizetype(records.size()) * WiringPixel::kRecordSize);
    appendFields(out, 4, [&](ByteWriter &w) { w.i32(int32_t(records.size())); });
    appendRecords(out, records);
    return out;
}

bool writeUndoFile(const QString &path, const std::vector<WiringPixel> &records)
{
    return commit(path, undoFileBytes(records), nullptr);
}

int dropImplausibleRecords(std::vector<WiringPixel> &records, int rows, int cols)
{
    const int64_t points = int64_t(std::max(rows, 0)) * int64_t(std::max(cols, 0));
    const auto bad = [&](const WiringPixel &p) {
        return p.port < 0 || p.port >= kMaxWiringPorts || p.pixel < 0 || int64_t(p.pixel) >= points
            || p.column < 0 || p.column >= cols || p.row < 0 || p.row >= rows;
    };
    const auto end = std::remove_if(records.begin(), records.end(), bad);
    const int dropped = int(records.end() - end);
    records.erase(end, records.end());
    return dropped;
}

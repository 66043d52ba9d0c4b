#pragma once
// ".line" files and the wiring undo files: the 48-byte WiringPixel records
// of a wiring, in list order, behind a small header. Readers take any bytes:
// they return what they could read and say what was wrong, never touching a
// wiring themselves; writers commit atomically.

#include "document/wiring.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QIODevice;

// Ports as the user counts them go from 1 to this; a record with a port or
// pixel number beyond what a grid and the port box allow comes only from a
// damaged file.
constexpr int kMaxWiringPorts = 1024;

enum class WiringFileError {
    None,
    CannotOpen,  // the file does not exist, cannot be read or is no regular file
    TooShort,    // the header itself is incomplete
};

// What the records part of a file held.
struct WiringRecords
{
    std::vector<WiringPixel> records; // the complete records, in file order
    int32_t declaredCount = 0;        // the count field as stored
    // The count was negative or promised more records than the file holds:
    // `records` has the complete ones that were there.
    bool incomplete() const { return declaredCount < 0 || int64_t(records.size()) < int64_t(declaredCount); }
};

// ".line" layout, little-endian and packed:
//   0  int16  Rows of the grid the wiring was made for
//   2  int16  Cols
//   4  uint8  CircuitryKind (2 LED, 1 neon)
//   5  int32  record count c
//   9  c x 48 bytes of records; nothing follows.
struct LineFile
{
    int rows = 0;
    int cols = 0;
    uint8_t kind = 0;
    WiringRecords content;
};
constexpr int kLineHeaderSize = 9;

struct LineReadResult
{
    std::optional<LineFile> file;
    WiringFileError error = WiringFileError::None;
};
LineReadResult readLineDevice(QIODevice &in);
LineReadResult readLineBytes(const QByteArray &bytes);
LineReadResult readLineFile(const QString &path);

QByteArray lineFileBytes(int rows, int cols, uint8_t kind, const std::vector<WiringPixel> &records);
// False (and the old file left as it was, the system's reason in
// `errorDetail`) when the file cannot be created, written or committed.
bool writeLineFile(const QString &path, int rows, int cols, uint8_t kind,
                   const std::vector<WiringPixel> &records, QString *errorDetail = nullptr);

// Undo file layout: int32 record count c, then c x 48 bytes of records.
struct UndoReadResult
{
    std::optional<WiringRecords> content;
    WiringFileError error = WiringFileError::None;
};
UndoReadResult readUndoDevice(QIODevice &in);
UndoReadResult readUndoBytes(const QByteArray &bytes);
UndoReadResult readUndoFile(const QString &path);
QByteArray undoFileBytes(const std::vector<WiringPixel> &records);
bool writeUndoFile(const QString &path, const std::vector<WiringPixel> &records);

// Drops the records a grid of rows x cols cannot hold: a negative port or
// one past kMaxWiringPorts, a negative pixel number or one past the number
// of grid points, a cell outside the grid. Returns how many went.
int dropImplausibleRecords(std::vector<WiringPixel> &records, int rows, int cols);

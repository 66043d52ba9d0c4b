// Fuzz target of the ".line" reader: any bytes give a result or an error,
// never a crash or an allocation the file's length does not back; the
// records it keeps then pass the grid check without reaching outside it.
#include "wiring/wiring_files.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    LineReadResult r = readLineBytes(bytes);
    if (!r.file)
        return 0;
    if (r.file->content.records.size() * size_t(WiringPixel::kRecordSize) > size)
        __builtin_trap();
    const int rows = r.file->rows > 0 && r.file->rows <= 256 ? r.file->rows : 8;
    const int cols = r.file->cols > 0 && r.file->cols <= 256 ? r.file->cols : 8;
    std::vector<WiringPixel> records = std::move(r.file->content.records);
    dropImplausibleRecords(records, rows, cols);
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(rows, cols);
    w.assign(std::move(records));
    for (const WiringPixel &p : w.pixels())
        if (w.cellColour(p.column, p.row) == 0 && w.kind() == CircuitryKind::Led)
            __builtin_trap();
    return 0;
}

// Fuzz target of the wiring undo file reader.
#include "wiring/wiring_files.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    UndoReadResult r = readUndoBytes(bytes);
    if (!r.content)
        return 0;
    if (r.content->records.size() * size_t(WiringPixel::kRecordSize) > size)
        __builtin_trap();
    std::vector<WiringPixel> records = std::move(r.content->records);
    dropImplausibleRecords(records, 16, 16);
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(16, 16);
    w.assign(std::move(records));
    return 0;
}

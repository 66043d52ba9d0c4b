// Palette file (".col") reader: any bytes give either a refusal with no
// colours or at most 512 colours, and what was accepted writes back to the
// same records.
#include "palette/palette_file.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (int scanMode : {0, 1}) {
        const PaletteFileRead r = parsePaletteFile(bytes, scanMode);
        check(r.colours.size() <= 512);
        if (r.error != PaletteFileRead::None) {
            check(r.colours.empty());
            continue;
        }
        check(r.colours.size() == std::min<size_t>(size / kPaletteRecordSize, 512));
        // Written back and read again, the colours are the same.
        const PaletteFileRead again = parsePaletteFile(paletteFileBytes(r.colours, scanMode), scanMode);
        check(again.error == PaletteFileRead::None && again.colours == r.colours);
    }
    return 0;
}

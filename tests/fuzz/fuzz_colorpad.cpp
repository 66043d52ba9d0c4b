// Start palette ("CurColorPad.dat") reader: any bytes give length div 4
// colours, never more than 512.
#include "palette/colour_pad_file.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::vector<ColorValue> colours = parseColourPad(bytes);
    if (colours.size() != std::min<size_t>(size / 4, 512))
        std::abort();
    return 0;
}

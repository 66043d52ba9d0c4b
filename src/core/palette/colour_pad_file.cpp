#include "palette/colour_pad_file.h"

#include "palette/palette_state.h"
#include "settings/file_access.h"
#include "settings/program_folder.h"

#include <QtEndian>

std::vector<ColorValue> parseColourPad(const QByteArray &bytes)
{
    const qsizetype n = std::min<qsizetype>(bytes.size() / 4, PaletteState::kMaxColours);
    std::vector<ColorValue> colours(static_cast<size_t>(n));
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    for (qsizetype i = 0; i < n; ++i)
        colours[size_t(i)] = qFromLittleEndian<quint32>(p + 4 * i);
    return colours;
}

std::vector<ColorValue> loadColourPad(const QString &path)
{
    // Only the first 512 colours are ever used, so a huge file is not read
    // whole.
    const FileBytes read = readRegularFile(path, qint64(PaletteState::kMaxColours) * 4);
    if (!read.ok())
        return PaletteState::fallbackColours();
    std::vector<ColorValue> colours = parseColourPad(read.bytes);
    if (colours.empty())
        return PaletteState::fallbackColours();
    return colours;
}

std::vector<ColorValue> loadStartPalette()
{
    return loadColourPad(programFilePath(QStringLiteral("CurColorPad.dat")));
}

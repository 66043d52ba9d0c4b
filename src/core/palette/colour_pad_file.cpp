#include "palette/colour_pad_file.h"

#include "palette/palette_state.h"
#include "settings/program_folder.h"

#include <QFile>
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PaletteState::fallbackColours();
    // Only the first 512 colours are ever used, so a huge file is not read
    // whole.
    const QByteArray bytes = file.read(qint64(PaletteState::kMaxColours) * 4);
    std::vector<ColorValue> colours = parseColourPad(bytes);
    if (colours.empty())
        return PaletteState::fallbackColours();
    return colours;
}

std::vector<ColorValue> loadStartPalette()
{
    return loadColourPad(programFilePath(QStringLiteral("CurColorPad.dat")));
}

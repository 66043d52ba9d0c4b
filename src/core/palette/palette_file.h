#pragma once
// Palette files (".col"): one 11-byte record per colour, in list order, no
// header.
//
//   offset 0  4 bytes  entry number, 1-based, little-endian
//   offset 4  1 byte   1
//   offset 5  1 byte   1
//   offset 6  1 byte   '1' (49) when written by a gradient program
//                      (ScanMode not 0), else 0
//   offset 7  4 bytes  colour 0x00BBGGRR, little-endian
//
// Readers of these bytes keep only the flag and the colour; the entry
// number and the two bytes after it are not checked.

#include "settings/color_value.h"

#include <QByteArray>
#include <QString>
#include <vector>

constexpr int kPaletteRecordSize = 11;

struct PaletteFileRead
{
    enum Error { None, TooShort, GradientInNormalProgram, CannotOpen };
    Error error = None;
    // Filled only when the whole file was accepted.
    std::vector<ColorValue> colours;
};

// Reads the records of a palette file (only a regular file: anything else
// is CannotOpen). At most 512 records are used; bytes
// after the last whole record are ignored. In a normal program (ScanMode
// 0) a record written by a gradient program stops the read with
// GradientInNormalProgram and no colours.
PaletteFileRead parsePaletteFile(const QByteArray &bytes, int scanMode);
PaletteFileRead readPaletteFile(const QString &path, int scanMode);

QByteArray paletteFileBytes(const std::vector<ColorValue> &colours, int scanMode);
// Writes atomically: a failed save leaves the old file as it was and puts
// the system's reason into `errorDetail`.
bool writePaletteFile(const QString &path, const std::vector<ColorValue> &colours, int scanMode,
                      QString *errorDetail = nullptr);

// The message for a failed read, in the active language.
QString paletteReadErrorText(PaletteFileRead::Error error);
// "保存文件失败！" and, on its own line, the system's reason when given.
QString paletteSaveErrorText(const QString &reason = QString());

// The file dialog's filter: "调色盘文件" and the pattern.
QString paletteFileFilter();

// The folder the palette file dialogs start in: "color box" in the program
// folder, created when missing; in the user's data folder when the program
// folder cannot hold it.
QString paletteFolder();

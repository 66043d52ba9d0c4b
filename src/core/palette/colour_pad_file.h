#pragma once
// "CurColorPad.dat": the palette the program starts with. The file is a
// bare array of 4-byte colours (0x00BBGGRR, little-endian), no header; the
// program reads it and never writes it.

#include "settings/color_value.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The colours a start file of these bytes gives: length div 4 entries,
// capped at 512; the trailing bytes of an incomplete entry are ignored. An
// empty result means the file gives no colour.
std::vector<ColorValue> parseColourPad(const QByteArray &bytes);

// The start palette read from `path`: its colours, or red, green and blue
// when the file is missing, unreadable or too short for one colour.
std::vector<ColorValue> loadColourPad(const QString &path);

// The start palette from the program folder's "CurColorPad.dat".
std::vector<ColorValue> loadStartPalette();

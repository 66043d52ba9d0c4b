#pragma once
// A small printf-style formatter over QVariant arguments, so that texts from
// language files can carry "%d" and "%s" without ever reaching printf.
// Understood: flags "-+ 0#", a width, a precision, the length letters
// h l L q j z t (ignored) and the conversions d i u x X c s f and "%%".

#include <QString>
#include <QStringView>
#include <QVariant>
#include <span>

// The conversion letters of `text` in order ("%3d,%s" gives "ds"). A
// conversion the formatter does not understand gives '?'.
QString conversionLetters(QStringView text);

// Formats `text` with `args`. Missing arguments format as 0 or an empty
// text; an argument of the wrong kind is converted where it can be (a number
// for %s, a numeric text for %d) and is 0 or empty otherwise. A conversion
// the formatter does not understand is copied as it stands.
QString formatPrintf(QStringView text, std::span<const QVariant> args);

#pragma once
// The messages of FSEQ export and import, looked up in section "Fseq" of
// the language files, with the built-in Chinese when a file has none.

#include <QString>
#include <QVariant>
#include <initializer_list>

namespace FseqText {

// The text of `key` formatted with `args` (printf-style conversions, only
// used from a language file when they match the built-in text's).
QString text(const char *key, const QString &chineseDefault, std::initializer_list<QVariant> args = {});

QString notSequence();
QString unsupportedVersion(int major, int minor);
QString headerDamaged();
QString noChannels();
QString unknownCompression(int type);
QString blockIndexDamaged(int block);
QString blockLengthsWrong();
QString sparseRangesWrong();
QString incomplete(qint64 framesThere, qint64 frames);
QString tooLarge(qint64 frames, qint64 channels);
QString blockDamaged(int block);
QString cannotOpen(const QString &path, const QString &reason);
QString cannotWrite(const QString &path, const QString &reason);
QString tooManyChannels(qint64 channels);
QString replaceQuestion(const QString &path);
QString written(const QString &path, qint64 frames, qint64 channels);

} // namespace FseqText

#pragma once
// Byte encodings of the profile files. Language files come from two worlds:
// files saved by today's editors are UTF-8, files inherited from the Windows
// program are GBK. A file that is valid UTF-8 is read as UTF-8, any other as
// GBK.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

enum class TextEncoding { Utf8, Gbk };

// Utf8 when every byte sequence of `bytes` is valid UTF-8, else Gbk.
TextEncoding detectEncoding(QByteArrayView bytes);

// Decodes `bytes`; undecodable bytes become U+FFFD, never an error.
QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// Encodes `text`; characters GBK cannot hold become '?'.
QByteArray encodeText(QStringView text, TextEncoding encoding);

// Longest prefix of `text` that takes at most `maxBytes` bytes in
// `encoding`, cut between whole characters.
QString cutToBytes(const QString &text, int maxBytes, TextEncoding encoding);

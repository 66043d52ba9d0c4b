#pragma once
// A profile (ini) file with the rules of the Windows profile functions that
// the settings and language files were written for:
//  - section and key names compare case-insensitively;
//  - whitespace around names and values is dropped, and a value enclosed in
//    matching single or double quotes loses them;
//  - the first of duplicate keys wins, also across repeated sections;
//  - a key present with an empty value reads as an empty text, not as the
//    default;
//  - texts are at most 255 bytes (the 256-byte buffer of the Windows
//    reader), cut between whole characters;
//  - a write replaces the value in its line and keeps every other line
//    (comments, other sections, keys nobody knows) byte for byte.
// Any bytes parse: the lines that are not sections or "key=value" are kept
// and ignored.

#include "settings/text_encoding.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

class ProfileFile
{
public:
    enum class LoadStatus { Loaded, Missing, Unreadable };

    // Texts longer than this many bytes are cut.
    static constexpr int kMaxTextBytes = 255;
    // A larger file is not a profile anybody wrote (the language files
    // are about 16 KB); it is not read. Reading one this large takes a
    // fraction of a second.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    ProfileFile() = default;
    static ProfileFile fromBytes(const QByteArray &bytes);
    // A missing file gives an empty profile (every read gives its default),
    // as does a file that exists but cannot be read; `status` tells them
    // apart so that a writer does not replace a file it could not read.
    static ProfileFile load(const QString &path, LoadStatus *status = nullptr);

    // The text of `key` in `section`, or nothing when either is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    QString readText(const QString &section, const QString &key, const QString &fallback) const;
    // The leading decimal number of the value (optional sign, wrapping at
    // 32 bits like the Windows reader), 0 for a text that starts with no
    // digit; `fallback` when the key is missing or its value is empty.
    int readInt(const QString &section, const QString &key, int fallback) const;

    // Sets `key` in the first `section`, creating the section and the key
    // when missing. Line breaks in the value become spaces.
    void write(const QString &section, const QString &key, const QString &value);

    TextEncoding encoding() const { return m_encoding; }
    QByteArray toBytes() const;
    // Atomic: the old file stays as it was when any write or the commit
    // fails.
    bool save(const QString &path, QString *error = nullptr) const;

private:
    enum class Kind { Other, Section, Entry };
    struct Line
    {
        QByteArray raw;      // the bytes of the line without its line break
        bool crlf = false;   // ended in "\r\n" rather than "\n"
        Kind kind = Kind::Other;
        QString name;        // section name or key, trimmed
        QString value;       // entry value, trimmed, unquoted and cut
        int section = -1;    // index of the section header line, -1 before any
    };

    void parse(const QByteArray &bytes);
    Line parseLine(const QByteArray &raw, int currentSection) const;
    void rebuildIndex();
    int findEntry(const QString &section, const QString &key) const;
    Line makeLine(const QString &text, Kind kind) const;

    std::vector<Line> m_lines;
    QByteArray m_bom;
    bool m_finalNewline = true;
    bool m_crlf = false;
    TextEncoding m_encoding = TextEncoding::Utf8;
    // Case-folded (section, key) -> line index of the first entry.
    QHash<QPair<QString, QString>, int> m_index;
};

// Profile (ini) reader: settings and language files may hold any bytes. Reads
// must never crash, every text read stays within 255 bytes, and a value
// written reads back unchanged while the rest of the file still parses.
#include "settings/profile_file.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void readAll(const ProfileFile &profile, const QString &section, const QString &key)
{
    const std::optional<QString> text = profile.value(section, key);
    if (text)
        check(encodeText(*text, profile.encoding()).size() <= ProfileFile::kMaxTextBytes);
    profile.readInt(section, key, 7);
    profile.readText(section, key, QStringLiteral("default"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ProfileFile profile = ProfileFile::fromBytes(bytes);

    static const char *const names[][2] = {
        {"main", "Rows"}, {"MAIN", "language"}, {"Message", "FileFormatError"},
        {"Status", "StatusItem1"}, {"Gather", "m_wid"}, {"", ""},
    };
    for (const auto &n : names)
        readAll(profile, QString::fromLatin1(n[0]), QString::fromLatin1(n[1]));

    // Names taken from the input itself reach sections and keys that the
    // fixed list above never would. One pass keeps the line start as it
    // goes, and only the first names are looked up: every lookup walks the
    // whole file, so looking up all of them would make the target itself
    // quadratic and slow inputs would be the harness's, not the reader's.
    const QString text = decodeText(bytes, profile.encoding());
    constexpr int kMaxNamesFromInput = 64;
    int looked = 0;
    qsizetype lineStart = 0;
    bool keyDone = false;
    for (qsizetype at = 0; at < text.size() && looked < kMaxNamesFromInput; ++at) {
        const QChar c = text.at(at);
        if (c == QLatin1Char('\n')) {
            lineStart = at + 1;
            keyDone = false;
        } else if (c == QLatin1Char('=') && !keyDone && at > lineStart) {
            readAll(profile, QStringLiteral("main"), text.mid(lineStart, at - lineStart).trimmed());
            keyDone = true;
            ++looked;
        }
    }

    profile.write(QStringLiteral("main"), QStringLiteral("Rows"), QStringLiteral("31"));
    const ProfileFile reread = ProfileFile::fromBytes(profile.toBytes());
    check(reread.readInt(QStringLiteral("main"), QStringLiteral("rows"), -1) == 31);
    return 0;
}

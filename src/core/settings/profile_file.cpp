#include "settings/profile_file.h"

#include "settings/file_access.h"

#include <QFileInfo>

namespace {

QPair<QString, QString> indexKey(const QString &section, const QString &key)
{
    return {section.toCaseFolded(), key.toCaseFolded()};
}

// A value written with line breaks would split into lines nobody reads.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString unquoted(const QString &value)
{
    if (value.size() > 1) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

ProfileFile ProfileFile::fromBytes(const QByteArray &bytes)
{
    ProfileFile profile;
    profile.parse(bytes);
    return profile;
}

ProfileFile ProfileFile::load(const QString &path, LoadStatus *status)
{
    auto report = [status](LoadStatus s) {
        if (status)
            *status = s;
    };
    if (!QFileInfo::exists(path)) {
        report(LoadStatus::Missing);
        return {};
    }
    // Read one byte past the limit so that an oversized file is noticed.
    const FileBytes read = readRegularFile(path, kMaxFileBytes + 1);
    if (!read.ok() || read.bytes.size() > kMaxFileBytes) {
        report(LoadStatus::Unreadable);
        return {};
    }
    report(LoadStatus::Loaded);
    return fromBytes(read.bytes);
}

void ProfileFile::parse(const QByteArray &input)
{
    QByteArray bytes = input;
    // Notepad starts UTF-8 files with a byte order mark; it is kept for the
    // write back but is not part of the first line.
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_bom = bytes.left(3);
        bytes.remove(0, 3);
    }
    m_encoding = detectEncoding(bytes);
    m_lines.clear();
    m_finalNewline = bytes.isEmpty() || bytes.endsWith('\n');

    qsizetype start = 0;
    int current = -1;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline;
        const bool crlf = newline >= 0 && end > start && bytes.at(end - 1) == '\r';
        Line line = parseLine(bytes.mid(start, end - start - (crlf ? 1 : 0)), current);
        line.crlf = crlf;
        if (line.kind == Kind::Section)
            current = static_cast<int>(m_lines.size());
        m_lines.push_back(std::move(line));
        start = newline < 0 ? bytes.size() : newline + 1;
    }
    m_crlf = !m_lines.empty() && m_lines.front().crlf;
    rebuildIndex();
}

ProfileFile::Line ProfileFile::parseLine(const QByteArray &raw, int currentSection) const
{
    Line line;
    line.raw = raw;
    line.section = currentSection;
    const QString text = decodeText(raw, m_encoding).trimmed();
    if (text.isEmpty() || text.front() == QLatin1Char(';'))
        return line;
    if (text.front() == QLatin1Char('[')) {
        const qsizetype close = text.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Kind::Section;
            line.name = text.mid(1, close - 1).trimmed();
            return line;
        }
        // An unclosed bracket is not a section; the line is read as a key.
    }
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0)
        return line; // a key without "=" has no value: reads give the default
    line.kind = Kind::Entry;
    line.name = text.left(eq).trimmed();
    line.value = cutToBytes(unquoted(text.mid(eq + 1).trimmed()), kMaxTextBytes, m_encoding);
    return line;
}

void ProfileFile::rebuildIndex()
{
    m_index.clear();
    int current = -1;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line &line = m_lines[i];
        if (line.kind == Kind::Section) {
            current = static_cast<int>(i);
            continue;
        }
        line.section = current;
        if (line.kind != Kind::Entry || current < 0)
            continue; // keys before the first section belong to no section
        const auto key = indexKey(m_lines[size_t(current)].name, line.name);
        if (!m_index.contains(key))
            m_index.insert(key, static_cast<int>(i));
    }
}

int ProfileFile::findEntry(const QString &section, const QString &key) const
{
    return m_index.value(indexKey(section, key), -1);
}

std::optional<QString> ProfileFile::value(const QString &section, const QString &key) const
{
    const int at = findEntry(section, key);
    if (at < 0)
        return std::nullopt;
    return m_lines[size_t(at)].value;
}

QString ProfileFile::readText(const QString &section, const QString &key, const QString &fallback) const
{
    return value(section, key).value_or(fallback);
}

int ProfileFile::readInt(const QString &section, const QString &key, int fallback) const
{
    const std::optional<QString> text = value(section, key);
    if (!text || text->isEmpty())
        return fallback;
    qsizetype i = 0;
    bool negative = false;
    if (text->at(0) == QLatin1Char('-') || text->at(0) == QLatin1Char('+')) {
        negative = text->at(0) == QLatin1Char('-');
        ++i;
    }
    // Digits accumulate in 32 unsigned bits and wrap, as the Windows reader
    // does; the caller truncates to its field width afterwards.
    uint32_t number = 0;
    for (; i < text->size(); ++i) {
        const char16_t c = text->at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        number = number * 10u + uint32_t(c - u'0');
    }
    if (negative)
        number = 0u - number;
    return static_cast<int32_t>(number);
}

ProfileFile::Line ProfileFile::makeLine(const QString &text, Kind kind) const
{
    Line line = parseLine(encodeText(text, m_encoding), -1);
    line.crlf = m_crlf;
    Q_ASSERT(line.kind == kind || kind == Kind::Other);
    return line;
}

void ProfileFile::write(const QString &sectionName, const QString &keyName, const QString &rawValue)
{
    const QString section = oneLine(sectionName).trimmed();
    const QString key = oneLine(keyName).trimmed();
    const QString value = oneLine(rawValue);
    m_finalNewline = true;

    const int existing = findEntry(section, key);
    if (existing >= 0) {
        Line &old = m_lines[size_t(existing)];
        const bool crlf = old.crlf;
        // The key keeps the spelling the file gave it.
        old = makeLine(old.name + QLatin1Char('=') + value, Kind::Entry);
        old.crlf = crlf;
        rebuildIndex();
        return;
    }

    const QString folded = section.toCaseFolded();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind != Kind::Section || m_lines[i].name.toCaseFolded() != folded)
            continue;
        // A new key goes after the last key of the section, so comments
        // that introduce the next section stay with it.
        size_t insertAt = i + 1;
        for (size_t j = i + 1; j < m_lines.size() && m_lines[j].kind != Kind::Section; ++j)
            if (m_lines[j].kind == Kind::Entry)
                insertAt = j + 1;
        m_lines.insert(m_lines.begin() + static_cast<long>(insertAt),
                       makeLine(key + QLatin1Char('=') + value, Kind::Entry));
        rebuildIndex();
        return;
    }

    if (!m_lines.empty() && !m_lines.back().raw.trimmed().isEmpty())
        m_lines.push_back(makeLine(QString(), Kind::Other));
    m_lines.push_back(makeLine(QLatin1Char('[') + section + QLatin1Char(']'), Kind::Section));
    m_lines.push_back(makeLine(key + QLatin1Char('=') + value, Kind::Entry));
    rebuildIndex();
}

QByteArray ProfileFile::toBytes() const
{
    QByteArray out = m_bom;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i].raw;
        if (i + 1 < m_lines.size() || m_finalNewline)
            out += m_lines[i].crlf ? "\r\n" : "\n";
    }
    return out;
}

bool ProfileFile::save(const QString &path, QString *error) const
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    StagedSaveFile file(path);
    if (!file.open())
        return fail(file.failureReason());
    if (!file.write(toBytes())) {
        const QString why = file.failureReason();
        file.cancel();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.failureReason());
    return true;
}

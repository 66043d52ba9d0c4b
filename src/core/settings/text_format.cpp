#include "settings/text_format.h"

#include <cmath>
#include <limits>

namespace {

// Widths and precisions come from language files; a bound keeps a hostile
// "%999999999d" from asking for a gigabyte of padding.
constexpr int kMaxField = 1024;

struct Spec
{
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = -1;
    int precision = -1;
    QChar conversion; // null when the text ends inside the conversion
    qsizetype end = 0; // index just past the conversion
    bool known = false;
};

int readNumber(QStringView text, qsizetype &i)
{
    int n = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i)
        n = std::min(kMaxField, n * 10 + (text[i].unicode() - u'0'));
    return n;
}

// `i` is the index of the '%'.
Spec parseSpec(QStringView text, qsizetype i)
{
    Spec s;
    qsizetype j = i + 1;
    for (; j < text.size(); ++j) {
        const char16_t c = text[j].unicode();
        if (c == u'-') s.left = true;
        else if (c == u'+') s.plus = true;
        else if (c == u' ') s.space = true;
        else if (c == u'0') s.zero = true;
        else if (c == u'#') s.alt = true;
        else break;
    }
    if (j < text.size() && text[j].isDigit())
        s.width = readNumber(text, j);
    if (j < text.size() && text[j] == QLatin1Char('.')) {
        ++j;
        s.precision = readNumber(text, j);
    }
    while (j < text.size() && QStringView(u"hlLqjzt").contains(text[j]))
        ++j;
    if (j < text.size()) {
        s.conversion = text[j];
        s.known = QStringView(u"diuxXcsf%").contains(s.conversion);
        ++j;
    }
    s.end = j;
    return s;
}

bool isNumberType(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Bool: case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Int: case QMetaType::UInt:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Float: case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

bool isTextType(const QVariant &v)
{
    const int id = v.metaType().id();
    return id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar;
}

double toDouble(const QVariant &v)
{
    bool ok = false;
    const double d = (isNumberType(v) || isTextType(v)) ? v.toDouble(&ok) : 0.0;
    return ok ? d : 0.0;
}

qint64 toInteger(const QVariant &v)
{
    const int id = v.metaType().id();
    if (id == QMetaType::Double || id == QMetaType::Float) {
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::fabs(d) >= 9.2e18)
            return 0;
        return static_cast<qint64>(d); // truncates like a C cast
    }
    if (id == QMetaType::QChar)
        return v.toChar().unicode();
    bool ok = false;
    const qint64 n = (isNumberType(v) || isTextType(v)) ? v.toLongLong(&ok) : 0;
    return ok ? n : 0;
}

QString pad(const Spec &s, const QString &prefix, const QString &body, bool zeroAllowed)
{
    const qsizetype fill = std::max<qsizetype>(0, s.width - prefix.size() - body.size());
    if (s.left)
        return prefix + body + QString(fill, QLatin1Char(' '));
    if (s.zero && zeroAllowed)
        return prefix + QString(fill, QLatin1Char('0')) + body;
    return QString(fill, QLatin1Char(' ')) + prefix + body;
}

QString formatInteger(const Spec &s, const QVariant &arg)
{
    const char16_t conv = s.conversion.unicode();
    const qint64 n = toInteger(arg);
    QString prefix;
    quint64 magnitude;
    if (conv == u'd' || conv == u'i') {
        magnitude = n < 0 ? 0ull - quint64(n) : quint64(n);
        if (n < 0) prefix = QStringLiteral("-");
        else if (s.plus) prefix = QStringLiteral("+");
        else if (s.space) prefix = QStringLiteral(" ");
    } else {
        // A 32-bit value prints as the unsigned 32-bit number printf gives.
        const bool fits32 = n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<uint32_t>::max();
        magnitude = fits32 ? quint64(quint32(n)) : quint64(n);
    }
    const int base = (conv == u'x' || conv == u'X') ? 16 : 10;
    QString digits = QString::number(magnitude, base);
    if (conv == u'X')
        digits = digits.toUpper();
    if (s.precision == 0 && magnitude == 0)
        digits.clear();
    else if (s.precision > digits.size())
        digits.prepend(QString(s.precision - digits.size(), QLatin1Char('0')));
    if (s.alt && base == 16 && magnitude != 0)
        prefix = conv == u'X' ? QStringLiteral("0X") : QStringLiteral("0x");
    return pad(s, prefix, digits, s.precision < 0);
}

QString formatFloat(const Spec &s, const QVariant &arg)
{
    const double d = toDouble(arg);
    QString body = QString::number(std::fabs(d), 'f', s.precision < 0 ? 6 : s.precision);
    QString prefix;
    if (std::signbit(d)) prefix = QStringLiteral("-");
    else if (s.plus) prefix = QStringLiteral("+");
    else if (s.space) prefix = QStringLiteral(" ");
    return pad(s, prefix, body, std::isfinite(d));
}

QString formatChar(const Spec &s, const QVariant &arg)
{
    QString body;
    if (arg.metaType().id() == QMetaType::QString || arg.metaType().id() == QMetaType::QByteArray) {
        body = arg.toString().left(1);
    } else {
        const qint64 code = toInteger(arg);
        if (code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
            const char32_t c = char32_t(code);
            body = QString::fromUcs4(&c, 1);
        } else if (code != 0) {
            body = QChar(QChar::ReplacementCharacter);
        }
    }
    return pad(s, QString(), body, false);
}

QString formatString(const Spec &s, const QVariant &arg)
{
    QString body = (isTextType(arg) || isNumberType(arg)) ? arg.toString() : QString();
    if (s.precision >= 0 && body.size() > s.precision)
        body.truncate(s.precision);
    return pad(s, QString(), body, false);
}

} // namespace

QString conversionLetters(QStringView text)
{
    QString letters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('%'))
            continue;
        const Spec s = parseSpec(text, i);
        if (s.conversion != QLatin1Char('%'))
            letters += s.known ? s.conversion : QLatin1Char('?');
        i = s.end - 1;
    }
    return letters;
}

QString formatPrintf(QStringView text, std::span<const QVariant> args)
{
    QString out;
    out.reserve(text.size());
    size_t next = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('%')) {
            out += text[i];
            continue;
        }
        const Spec s = parseSpec(text, i);
        const char16_t conv = s.conversion.unicode();
        if (!s.known) {
            out += text.mid(i, s.end - i);
        } else if (conv == u'%') {
            out += QLatin1Char('%');
        } else {
            const QVariant arg = next < args.size() ? args[next] : QVariant();
            ++next;
            if (conv == u's')
                out += formatString(s, arg);
            else if (conv == u'c')
                out += formatChar(s, arg);
            else if (conv == u'f')
                out += formatFloat(s, arg);
            else
                out += formatInteger(s, arg);
        }
        i = s.end - 1;
    }
    return out;
}

#include "settings/text_encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Qt reaches GBK through ICU on Debian; the shipped test of a GBK language
// file fails loudly if a build of Qt ever lacks it.
constexpr const char *kGbkName = "GBK";

int encodedLength(char32_t c, TextEncoding encoding)
{
    if (c < 0x80)
        return 1;
    if (encoding == TextEncoding::Gbk)
        return 2;
    if (c < 0x800)
        return 2;
    return c < 0x10000 ? 3 : 4;
}

} // namespace

TextEncoding detectEncoding(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString ignored = utf8.decode(bytes);
    Q_UNUSED(ignored);
    return utf8.hasError() ? TextEncoding::Gbk : TextEncoding::Utf8;
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return QString::fromUtf8(bytes);
    // Opening the converter costs far more than a short text, and a settings
    // or language file decodes one text per key: each thread keeps its own.
    thread_local QStringDecoder gbk(kGbkName, QStringConverter::Flag::Stateless);
    if (!gbk.isValid())
        return QString::fromLatin1(bytes);
    gbk.resetState();
    return gbk.decode(bytes);
}

QByteArray encodeText(QStringView text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return text.toUtf8();
    thread_local QStringEncoder gbk(kGbkName, QStringConverter::Flag::Stateless);
    if (!gbk.isValid())
        return text.toLatin1();
    gbk.resetState();
    return gbk.encode(text);
}

QString cutToBytes(const QString &text, int maxBytes, TextEncoding encoding)
{
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        char32_t c = text.at(i).unicode();
        qsizetype units = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            units = 2;
        }
        const int len = encodedLength(c, encoding);
        if (bytes + len > maxBytes)
            break;
        bytes += len;
        i += units;
    }
    return i == text.size() ? text : text.left(i);
}

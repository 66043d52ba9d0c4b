#include "settings/language.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

#include <opencc/opencc.h>

namespace {

// One converter for the whole run: opening it loads the dictionaries.
class Converter
{
public:
    Converter()
    {
        // OpenCC's installed data folder (/usr/share/opencc on Debian) is
        // found through the system data folders; the bare name lets OpenCC
        // search its own folder as a last resort.
        const QString located = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                       QStringLiteral("opencc/s2t.json"));
        const QByteArray config = located.isEmpty() ? QByteArray("s2t.json") : QFile::encodeName(located);
        m_handle = opencc_open(config.constData());
    }
    ~Converter()
    {
        if (valid())
            opencc_close(m_handle);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // The text unchanged when OpenCC is not usable: the simplified
    // characters are still readable.
    QString convert(const QString &text)
    {
        if (!valid() || text.isEmpty())
            return text;
        const QByteArray utf8 = text.toUtf8();
        QMutexLocker locker(&m_lock);
        char *converted = opencc_convert_utf8(m_handle, utf8.constData(), size_t(utf8.size()));
        if (!converted)
            return text;
        const QString result = QString::fromUtf8(converted);
        opencc_convert_utf8_free(converted);
        return result;
    }

private:
    bool valid() const { return m_handle != reinterpret_cast<opencc_t>(-1) && m_handle != nullptr; }

    opencc_t m_handle = nullptr;
    QMutex m_lock;
};

} // namespace

QString ToTraditional(const QString &simplified)
{
    static Converter converter;
    return converter.convert(simplified);
}

#include "settings/language.h"

#include "settings/profile_file.h"
#include "settings/program_folder.h"
#include "settings/text_format.h"

#include <QDir>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <atomic>
#include <memory>
#include <vector>

namespace {

std::atomic<int> g_code{Language::English};

// Texts are looked up from worker threads too (progress and link messages),
// so the folder and the parsed files are shared under one lock.
struct LanguageFiles
{
    QMutex lock;
    QString folder;
    QHash<QString, std::shared_ptr<const ProfileFile>> parsed;
};

LanguageFiles &files()
{
    static LanguageFiles instance;
    return instance;
}

std::shared_ptr<const ProfileFile> languageFile(const QString &name)
{
    LanguageFiles &f = files();
    QMutexLocker locker(&f.lock);
    const QString path = f.folder.isEmpty() ? programFilePath(name) : QDir(f.folder).filePath(name);
    auto found = f.parsed.constFind(path);
    if (found != f.parsed.constEnd())
        return found.value();
    // A missing or unreadable file is cached too: the program runs on its
    // built-in texts without one, and looking again on every text is waste.
    auto profile = std::make_shared<const ProfileFile>(ProfileFile::load(path));
    f.parsed.insert(path, profile);
    return profile;
}

} // namespace

namespace Language {

void setCode(int code) { g_code = code; }
int code() { return g_code; }

void setFolder(const QString &folder)
{
    LanguageFiles &f = files();
    QMutexLocker locker(&f.lock);
    f.folder = folder;
    f.parsed.clear();
}

void reload()
{
    LanguageFiles &f = files();
    QMutexLocker locker(&f.lock);
    f.parsed.clear();
}

} // namespace Language

QString LanguageText(const char *section, const char *key, const QString &chineseDefault)
{
    const QString name = Language::code() == Language::Chinese ? QStringLiteral("Chinese.ini")
                                                               : QStringLiteral("English.ini");
    return languageFile(name)->readText(QString::fromUtf8(section), QString::fromUtf8(key), chineseDefault);
}

QString lookedUpText(const char *section, const char *key, const QString &chineseDefault)
{
    if (Language::code() == Language::Traditional)
        return ToTraditional(chineseDefault);
    return LanguageText(section, key, chineseDefault);
}

QString lookedUpText(const char *section, const char *key, const QString &chineseDefault,
                     const QString &englishDefault)
{
    switch (Language::code()) {
    case Language::Chinese:
        return LanguageText(section, key, chineseDefault);
    case Language::Traditional:
        return ToTraditional(chineseDefault);
    default:
        return LanguageText(section, key, englishDefault);
    }
}

QString pairedText(const QString &english, const QString &chinese)
{
    return Language::code() == Language::Chinese ? chinese : english;
}

QString threeWayText(const QString &english, const QString &chinese)
{
    return threeWayText(english, chinese, Language::code());
}

QString threeWayText(const QString &english, const QString &chinese, int languageCode)
{
    switch (languageCode) {
    case Language::Chinese:
        return chinese;
    case Language::Traditional:
        return ToTraditional(chinese);
    default:
        return english;
    }
}

QString captionText(const char *section, const char *key, const QString &chineseDefault)
{
    switch (Language::code()) {
    case Language::Chinese:
        return chineseDefault;
    case Language::Traditional:
        return ToTraditional(chineseDefault);
    default:
        return LanguageText(section, key, chineseDefault);
    }
}

QString formatText(const QString &text, const QString &builtInDefault, std::initializer_list<QVariant> args)
{
    // A translator's "%s" where the program passes a number (or a missing
    // or extra conversion) would print garbage; such a text is not used.
    const QString &chosen = conversionLetters(text) == conversionLetters(builtInDefault) ? text : builtInDefault;
    const std::vector<QVariant> list(args);
    return formatPrintf(chosen, list);
}

#pragma once
// Every user-visible text is chosen here for the active language. Three forms
// of use occur:
//  - looked-up text: a key of a section of English.ini or Chinese.ini, with
//    the built-in Chinese default when the file has none;
//  - paired literals: an English and a Chinese text fixed in the code;
//  - dialog captions: the built-in Chinese for Chinese, the language file for
//    English, the traditional conversion of the Chinese for traditional.

#include <QString>
#include <QVariant>
#include <initializer_list>

namespace Language {

enum Code : uint8_t { Chinese = 0, English = 1, Traditional = 2 };

void setCode(int code);
int code();

// Folder of English.ini and Chinese.ini; by default the program folder.
void setFolder(const QString &folder);
// Drops the cached language files (after the folder or the files changed).
void reload();

} // namespace Language

// The raw lookup: English.ini when the language is not Chinese, Chinese.ini
// when it is; the default when the file, section or key is missing. A key
// present with an empty value gives an empty text. Texts are at most 255
// bytes.
QString LanguageText(const char *section, const char *key, const QString &chineseDefault);

// Simplified to traditional characters (OpenCC s2t).
QString ToTraditional(const QString &simplified);

// Looked-up text for call sites that support the traditional setting: the
// traditional conversion of the default there, LanguageText otherwise.
QString lookedUpText(const char *section, const char *key, const QString &chineseDefault);
// The same for texts that have a built-in English too: the English setting
// falls back to it when English.ini lacks the key, so an English user never
// meets a Chinese text of these.
QString lookedUpText(const char *section, const char *key, const QString &chineseDefault,
                     const QString &englishDefault);

// Paired literals: English whenever the language is not Chinese.
QString pairedText(const QString &english, const QString &chinese);
// Built-in texts of all three languages: the English, the Chinese, or the
// Chinese in traditional characters, for the active language or the one
// given.
QString threeWayText(const QString &english, const QString &chinese);
QString threeWayText(const QString &english, const QString &chinese, int languageCode);

// Dialog captions: the built-in Chinese (0), LanguageText (1), the converted
// Chinese (2).
QString captionText(const char *section, const char *key, const QString &chineseDefault);

// Formats a text that holds printf-style conversions (%d, %3d, %s, %x, %%,
// %f ...). A text from a language file is used only when its conversions
// match those of the built-in default in number, order and type; otherwise
// the default is used. Never passes file text to printf.
QString formatText(const QString &text, const QString &builtInDefault,
                   std::initializer_list<QVariant> args);

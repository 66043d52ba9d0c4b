#pragma once
// The widget tests read their texts in Chinese, the editor's first
// language: either the built-in texts, from a folder of the test's own that
// holds no language file, with the English default back after each test so
// that one test's language never reaches the next; or the texts of the
// language files the editor ships.

#include "settings/language.h"

#include <QTemporaryDir>

inline void useBuiltInChineseTexts(const QTemporaryDir &emptyFolder)
{
    Language::setCode(Language::Chinese);
    Language::setFolder(emptyFolder.path());
}

inline void restoreDefaultTexts()
{
    Language::setCode(Language::English);
    Language::setFolder(QString());
}

inline void useShippedChineseTexts()
{
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::Chinese);
    Language::reload();
}

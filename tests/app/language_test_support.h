#pragma once
// The widget tests read their texts in Chinese, the editor's first
// language, from a folder of their own that holds no language file, so the
// built-in texts are what they see; after each test the English default
// comes back, so that one test's language never reaches the next.

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

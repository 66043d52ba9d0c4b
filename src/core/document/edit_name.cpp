#include "document/edit_name.h"

#include "settings/language.h"

#include <cstring>

QString EditName::text() const
{
    return lookedUpText(section, key, QString::fromUtf8(chinese), QString::fromUtf8(english));
}

bool EditName::operator==(const EditName &o) const
{
    return std::strcmp(section, o.section) == 0 && std::strcmp(key, o.key) == 0;
}

namespace {

QString historyItemText(const QString &editName, const char *key, const char *emptyKey, const char *chinese,
                        const char *english, const char *chineseEmpty, const char *englishEmpty)
{
    if (editName.isEmpty())
        return lookedUpText("Undo", emptyKey, QString::fromUtf8(chineseEmpty), QString::fromUtf8(englishEmpty));
    const QString builtIn = Language::code() == Language::English ? QString::fromUtf8(english)
                                                                  : QString::fromUtf8(chinese);
    return formatText(lookedUpText("Undo", key, QString::fromUtf8(chinese), QString::fromUtf8(english)), builtIn,
                      {editName});
}

} // namespace

QString undoItemText(const QString &editName)
{
    return historyItemText(editName, "UndoItem", "UndoNothing", "撤销%s(&U)", "&Undo %s", "撤销(&U)", "&Undo");
}

QString redoItemText(const QString &editName)
{
    return historyItemText(editName, "RedoItem", "RedoNothing", "重做%s(&R)", "&Redo %s", "重做(&R)", "&Redo");
}

QString undoTooLargeText(int limitMegabytes)
{
    const bool english = Language::code() == Language::English;
    const QString builtIn = english ? QStringLiteral("This change needs more than the %d MB kept for undo, so it "
                                                     "was made without undo, and the earlier steps can no longer "
                                                     "be undone.")
                                    : QStringLiteral("此操作所需内存超过撤销可用的 %d MB，已直接执行，无法撤销，之前的操作也不能再撤销。");
    const QString text = lookedUpText("Undo", "TooLarge",
                                      QStringLiteral("此操作所需内存超过撤销可用的 %d MB，已直接执行，无法撤销，之前的操作也不能再撤销。"),
                                      builtIn);
    return formatText(text, builtIn, {limitMegabytes});
}

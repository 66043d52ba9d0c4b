#include "scripted_prompt.h"

void ScriptedPrompt::inform(const QString &text, PromptIcon icon, const QString &)
{
    shown.push_back({text, icon, false});
}

PromptAnswer ScriptedPrompt::ask(const QString &text, PromptButtons buttons, PromptIcon icon, const QString &)
{
    shown.push_back({text, icon, true});
    if (!answers.empty()) {
        const PromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
        return PromptAnswer::Cancel;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    }
    return PromptAnswer::Cancel;
}

QString ScriptedPrompt::chooseOpenFile(const QString &title, const QString &filter, const QString &)
{
    fileDialogTitles << title;
    fileDialogFilters << filter;
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedPrompt::chooseSaveFile(const QString &title, const QString &filter, const QString &)
{
    return chooseOpenFile(title, filter, QString());
}

QStringList ScriptedPrompt::texts() const
{
    QStringList out;
    for (const auto &s : shown)
        out << s.text;
    return out;
}

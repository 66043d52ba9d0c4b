#include "scripted_prompt.h"

#include <QFileInfo>

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

PromptAnswer ScriptedPrompt::askWithOption(const QString &text, PromptButtons buttons, const QString &option,
                                           bool &checked, PromptIcon icon)
{
    options << option;
    if (!optionAnswers.empty()) {
        checked = optionAnswers.front();
        optionAnswers.pop_front();
    }
    return ask(text, buttons, icon, QString());
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

QString ScriptedPrompt::chooseSaveFile(const QString &title, const QString &filter, const QString &suggestedName,
                                       const QString &defaultSuffix)
{
    saveDialogNames << suggestedName;
    saveDialogSuffixes << defaultSuffix;
    QString chosen = chooseOpenFile(title, filter, QString());
    if (!chosen.isEmpty() && !defaultSuffix.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QLatin1Char('.') + defaultSuffix;
    return chosen;
}

QStringList ScriptedPrompt::texts() const
{
    QStringList out;
    for (const auto &s : shown)
        out << s.text;
    return out;
}

#pragma once
// A Prompt for tests: records every message and question in order and
// answers questions and file dialogs from lists given by the test.

#include "settings/prompt.h"

#include <QString>
#include <QStringList>
#include <deque>

class ScriptedPrompt : public Prompt
{
public:
    struct Shown
    {
        QString text;
        PromptIcon icon;
        bool question;
    };

    void inform(const QString &text, PromptIcon icon, const QString &title) override;
    PromptAnswer ask(const QString &text, PromptButtons buttons, PromptIcon icon,
                     const QString &title) override;
    // Records the question and the option's text; the box is left as it
    // was unless `optionAnswers` says how the user set it.
    PromptAnswer askWithOption(const QString &text, PromptButtons buttons, const QString &option, bool &checked,
                               PromptIcon icon) override;
    QString chooseOpenFile(const QString &title, const QString &filter, const QString &folder) override;
    // Answers as the real dialog would: a name without a suffix gets the
    // default suffix.
    QString chooseSaveFile(const QString &title, const QString &filter, const QString &suggestedName,
                           const QString &defaultSuffix) override;

    // Answers handed out in order; when they run out, questions are answered
    // with the first "negative" button (Cancel, else No) and file dialogs
    // are cancelled.
    std::deque<PromptAnswer> answers;
    std::deque<QString> files;
    std::deque<bool> optionAnswers;
    QStringList options; // the check boxes' texts, in order

    std::vector<Shown> shown;
    QStringList fileDialogTitles;
    QStringList fileDialogFilters;
    QStringList saveDialogNames;    // suggested names of the save dialogs
    QStringList saveDialogSuffixes; // their default suffixes

    QStringList texts() const;
    QString lastText() const { return shown.empty() ? QString() : shown.back().text; }
};

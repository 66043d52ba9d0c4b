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
    QString chooseOpenFile(const QString &title, const QString &filter, const QString &folder) override;
    QString chooseSaveFile(const QString &title, const QString &filter, const QString &suggestedName) override;

    // Answers handed out in order; when they run out, questions are answered
    // with the first "negative" button (Cancel, else No) and file dialogs
    // are cancelled.
    std::deque<PromptAnswer> answers;
    std::deque<QString> files;

    std::vector<Shown> shown;
    QStringList fileDialogTitles;
    QStringList fileDialogFilters;

    QStringList texts() const;
    QString lastText() const { return shown.empty() ? QString() : shown.back().text; }
};

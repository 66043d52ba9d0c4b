#pragma once
// The editor's Prompt: message boxes and file dialogs over the main window.

#include "settings/prompt.h"

#include <QPointer>
#include <QWidget>

class WidgetPrompt : public Prompt
{
public:
    explicit WidgetPrompt(QWidget *parent = nullptr) : m_parent(parent) {}

    // Dialogs are centred on this window (the main window once it exists).
    void setParentWindow(QWidget *parent) { m_parent = parent; }

    void inform(const QString &text, PromptIcon icon = PromptIcon::Information,
                const QString &title = QString()) override;
    PromptAnswer ask(const QString &text, PromptButtons buttons, PromptIcon icon = PromptIcon::Question,
                     const QString &title = QString()) override;
    PromptAnswer askWithOption(const QString &text, PromptButtons buttons, const QString &option, bool &checked,
                               PromptIcon icon = PromptIcon::Question) override;
    QString chooseOpenFile(const QString &title, const QString &filter,
                           const QString &folder = QString()) override;
    QString chooseSaveFile(const QString &title, const QString &filter, const QString &suggestedName = QString(),
                           const QString &defaultSuffix = QString()) override;

private:
    QPointer<QWidget> m_parent;
};

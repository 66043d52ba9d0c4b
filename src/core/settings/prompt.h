#pragma once
// The one way an operation talks to the user in the middle of its work.
// The editor implements it with message boxes and file dialogs; tests use a
// scripted fake that records every text and answers from a list, so the
// exact words a user would see can be asserted.

#include <QString>

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompt
{
public:
    virtual ~Prompt() = default;

    // A message box with one OK button.
    virtual void inform(const QString &text, PromptIcon icon = PromptIcon::Information,
                        const QString &title = QString()) = 0;

    // A question; the answer is one of the buttons offered.
    virtual PromptAnswer ask(const QString &text, PromptButtons buttons,
                             PromptIcon icon = PromptIcon::Question,
                             const QString &title = QString()) = 0;

    // A question with a check box under it (for example "always do this").
    // `checked` gives the box's first state and takes the user's choice.
    // A prompt without check boxes asks the plain question and leaves
    // `checked` as it was.
    virtual PromptAnswer askWithOption(const QString &text, PromptButtons buttons, const QString &option,
                                       bool &checked, PromptIcon icon = PromptIcon::Question)
    {
        (void)option;
        (void)checked;
        return ask(text, buttons, icon);
    }

    // File dialogs; an empty result means the user cancelled.
    // `filter` uses Qt's form: "Led file (*.led);;Bin file (*.bin)".
    virtual QString chooseOpenFile(const QString &title, const QString &filter,
                                   const QString &folder = QString()) = 0;
    // `defaultSuffix` (without the dot) is added by the dialog itself to a
    // name typed without one, so its "replace the existing file?" question
    // is asked for the name that will really be written.
    virtual QString chooseSaveFile(const QString &title, const QString &filter,
                                   const QString &suggestedName = QString(),
                                   const QString &defaultSuffix = QString()) = 0;
};


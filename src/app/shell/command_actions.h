#pragma once
// One QAction per command id, shared by the menus and the tool bar, with
// the texts and keys the registry holds for it. An action only forwards to
// the CommandRegistry; its enabled and checked state is read back from the
// registry by refresh().

#include <QHash>
#include <QObject>

class QAction;
class QWidget;
class CommandRegistry;

class CommandActions : public QObject
{
    Q_OBJECT
public:
    // Made once the subsystems have declared their commands: one action for
    // each. Shortcuts live on `window`, so they work wherever the focus is
    // in it.
    CommandActions(CommandRegistry &registry, QWidget *window);

    // The action of a command id (made on first use for an id declared
    // later).
    QAction *action(int id);
    const QHash<int, QAction *> &all() const { return m_actions; }

    // Enabled and checked state of every action from the registry.
    void refresh();
    // Item texts and tool tips for the language.
    void applyTexts(int languageCode);

private:
    CommandRegistry &m_registry;
    QWidget *m_window;
    QHash<int, QAction *> m_actions;
};

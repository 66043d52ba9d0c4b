#include "shell/command_actions.h"

#include "common/command_registry.h"
#include "settings/language.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

CommandActions::CommandActions(CommandRegistry &registry, QWidget *window)
    : QObject(window), m_registry(registry), m_window(window)
{
    for (int id : m_registry.ids())
        action(id);
    connect(&m_registry, &CommandRegistry::textChanged, this, [this](int id) {
        if (QAction *a = m_actions.value(id)) {
            a->setText(m_registry.text(id, Language::code()));
            a->setToolTip(m_registry.plainText(id, Language::code()));
        }
    });
}

QAction *CommandActions::action(int id)
{
    auto found = m_actions.constFind(id);
    if (found != m_actions.constEnd())
        return found.value();
    auto *a = new QAction(m_window);
    a->setData(id);
    if (const Command *c = m_registry.command(id))
        a->setShortcuts(c->shortcuts);
    // The item text already names the accelerator after its tab.
    a->setShortcutVisibleInContextMenu(false);
    a->setShortcutContext(Qt::WindowShortcut);
    a->setEnabled(m_registry.isEnabled(id));
    if (!a->shortcuts().isEmpty())
        m_window->addAction(a);
    connect(a, &QAction::triggered, this, [this, id] {
        m_registry.trigger(id);
        // A command without effect (disabled meanwhile) must still show
        // its real check state again.
        refresh();
    });
    m_actions.insert(id, a);
    return a;
}

void CommandActions::refresh()
{
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        QAction *a = it.value();
        const int id = it.key();
        a->setEnabled(m_registry.isEnabled(id));
        const bool checkable = m_registry.isCheckable(id);
        a->setCheckable(checkable);
        if (checkable)
            a->setChecked(m_registry.isChecked(id));
    }
}

void CommandActions::applyTexts(int languageCode)
{
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        it.value()->setText(m_registry.text(it.key(), languageCode));
        it.value()->setToolTip(m_registry.plainText(it.key(), languageCode));
    }
}

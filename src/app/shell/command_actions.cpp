#include "shell/command_actions.h"

#include "common/command_ids.h"
#include "common/command_registry.h"
#include "shell/command_texts.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace {

// The main window's accelerators. The canvas handles its own keys (Del,
// Shift+C and the view keys) while it has the focus.
QList<QKeySequence> shortcutsOf(int id)
{
    switch (id) {
    case Cmd::FileNew:
        return {QKeySequence(Qt::CTRL | Qt::Key_N)};
    case Cmd::FileOpen:
        return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case Cmd::FileSave:
        return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case Cmd::FilePrint:
        return {QKeySequence(Qt::CTRL | Qt::Key_P)};
    case Cmd::EditUndo:
        return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    case Cmd::EditCut:
        return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    case Cmd::EditCopy:
        return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case Cmd::EditPaste:
        return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    case Cmd::ColourReplace:
        return {QKeySequence(Qt::CTRL | Qt::Key_R)};
    case Cmd::Play:
        return {QKeySequence(Qt::Key_F5)};
    case Cmd::Stop:
        return {QKeySequence(Qt::Key_F7), QKeySequence(Qt::Key_Escape)};
    default:
        return {};
    }
}

} // namespace

CommandActions::CommandActions(CommandRegistry &registry, QWidget *window)
    : QObject(window), m_registry(registry), m_window(window)
{
    for (int id : commandTextIds())
        action(id);
}

QAction *CommandActions::action(int id)
{
    auto found = m_actions.constFind(id);
    if (found != m_actions.constEnd())
        return found.value();
    auto *a = new QAction(m_window);
    a->setData(id);
    a->setShortcuts(shortcutsOf(id));
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
        it.value()->setText(commandText(it.key(), languageCode));
        it.value()->setToolTip(plainCommandText(it.key(), languageCode));
    }
}

#include "common/command_registry.h"

#include "settings/language.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <algorithm>
#include <new>

void CommandRegistry::add(std::vector<Command> table)
{
    for (Command &c : table) {
        if (Command *known = find(c.id)) {
            *known = std::move(c);
            continue;
        }
        m_index[c.id] = m_commands.size();
        m_commands.push_back(std::move(c));
    }
}

void CommandRegistry::add(int id, std::function<void()> run, std::function<bool()> enabled,
                          std::function<bool()> checked)
{
    Command *c = find(id);
    if (!c) {
        add(std::vector<Command>{Command(id)});
        c = find(id);
    }
    c->run = std::move(run);
    c->enabled = std::move(enabled);
    c->checked = std::move(checked);
}

Command *CommandRegistry::find(int id)
{
    auto it = m_index.find(id);
    return it == m_index.end() ? nullptr : &m_commands[it->second];
}

const Command *CommandRegistry::command(int id) const
{
    auto it = m_index.find(id);
    return it == m_index.end() ? nullptr : &m_commands[it->second];
}

bool CommandRegistry::has(int id) const
{
    const Command *c = command(id);
    return c && c->run;
}

bool CommandRegistry::isEnabled(int id) const
{
    const Command *c = command(id);
    if (!c || !c->run)
        return false;
    return !c->enabled || c->enabled();
}

bool CommandRegistry::isCheckable(int id) const
{
    const Command *c = command(id);
    return c && c->checked;
}

bool CommandRegistry::isChecked(int id) const
{
    const Command *c = command(id);
    return c && c->checked && c->checked();
}

bool CommandRegistry::trigger(int id)
{
    if (!isEnabled(id))
        return false;
    // Copy: a handler may replace its own entry.
    auto run = command(id)->run;
    if (m_running) {
        // A command run by another: the outer one answers for both.
        run();
        emit commandRan(id);
        return true;
    }
    emit aboutToRun(id);
    bool finished = true;
    {
        m_running = true;
        const auto done = qScopeGuard([this] { m_running = false; });
        try {
            run();
        } catch (const std::bad_alloc &) {
            // The memory the command asked for is given back as the stack
            // unwinds; the program and the project go on.
            finished = false;
        }
    }
    if (!finished)
        emit ranOutOfMemory(id);
    emit commandRan(id);
    return finished;
}

QList<int> CommandRegistry::ids() const
{
    QList<int> ids;
    for (const Command &c : m_commands)
        ids << c.id;
    return ids;
}

QString CommandRegistry::text(int id, int languageCode) const
{
    const Command *c = command(id);
    if (!c)
        return QString();
    if (c->currentText)
        return c->currentText();
    return threeWayText(QString::fromUtf8(c->english), QString::fromUtf8(c->chinese), languageCode);
}

QString CommandRegistry::plainText(int id, int languageCode) const
{
    QString text = this->text(id, languageCode);
    text = text.section(QLatin1Char('\t'), 0, 0);
    static const QRegularExpression mnemonicInBrackets(QStringLiteral("\\(&.\\)"));
    text.remove(mnemonicInBrackets);
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

QList<int> CommandRegistry::menuItems(MenuTitle menu, bool startupMenu) const
{
    std::vector<const Command *> items;
    for (const Command &c : m_commands)
        if (c.place && c.place->menu == menu && (!startupMenu || c.place->startup))
            items.push_back(&c);
    std::stable_sort(items.begin(), items.end(), [](const Command *a, const Command *b) {
        return std::pair(a->place->group, a->place->order) < std::pair(b->place->group, b->place->order);
    });
    QList<int> ids;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && items[i]->place->group != items[i - 1]->place->group)
            ids << kSeparator;
        ids << items[i]->id;
    }
    return ids;
}

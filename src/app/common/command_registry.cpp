#include "common/command_registry.h"

void CommandRegistry::add(int id, std::function<void()> run, std::function<bool()> enabled,
                          std::function<bool()> checked)
{
    m_entries[id] = Entry{std::move(run), std::move(enabled), std::move(checked)};
}

bool CommandRegistry::isEnabled(int id) const
{
    auto it = m_entries.find(id);
    if (it == m_entries.end() || !it->second.run)
        return false;
    return !it->second.enabled || it->second.enabled();
}

bool CommandRegistry::isCheckable(int id) const
{
    auto it = m_entries.find(id);
    return it != m_entries.end() && bool(it->second.checked);
}

bool CommandRegistry::isChecked(int id) const
{
    auto it = m_entries.find(id);
    return it != m_entries.end() && it->second.checked && it->second.checked();
}

bool CommandRegistry::trigger(int id)
{
    if (!isEnabled(id))
        return false;
    // Copy: a handler may replace its own entry.
    auto run = m_entries[id].run;
    run();
    emit commandRan(id);
    return true;
}

#pragma once
// Routes command ids to the subsystem that handles them. Each subsystem of
// the editor registers its handlers once at start (see register_commands.cpp);
// the menus, tool bar and keys only know ids. An id without a handler shows
// disabled.

#include <QObject>
#include <functional>
#include <unordered_map>

class CommandRegistry : public QObject
{
    Q_OBJECT
public:
    struct Entry
    {
        std::function<void()> run;
        std::function<bool()> enabled; // empty: always enabled
        std::function<bool()> checked; // empty: not a check item
    };

    void add(int id, std::function<void()> run, std::function<bool()> enabled = {},
             std::function<bool()> checked = {});
    bool has(int id) const { return m_entries.count(id) != 0; }
    bool isEnabled(int id) const;
    bool isCheckable(int id) const;
    bool isChecked(int id) const;
    // Runs the command when it has a handler and is enabled; returns whether
    // it ran.
    bool trigger(int id);

signals:
    // A command ran; menus and bars refresh their enabled and checked state.
    void commandRan(int id);

private:
    std::unordered_map<int, Entry> m_entries;
};

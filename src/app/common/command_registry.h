#pragma once
// Every command of the menus, tool bar and accelerators, by id: what it
// shows (texts, menu place, shortcuts) and who handles it. Each subsystem
// declares its commands in one table of its own (its *_commands.cpp) and
// adds it once at start; the shell lists the subsystems in
// register_commands.cpp and builds its menus, actions and keys from here.
// An id without a handler shows disabled.

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <unordered_map>
#include <vector>

// The menus of the menu bar, left to right.
enum class MenuTitle { File, Edit, View, Picture, AutoPlay, Build, Language, Help };

// Where a command's item sits: its menu, its group (separators run between
// groups) and its order; items sort by group, then order.
struct MenuPlace
{
    // `startup`: also in the start-up menu, shown until the first New or
    // Open.
    MenuPlace(MenuTitle menu, int group, int order, bool startup = false)
        : menu(menu), group(group), order(order), startup(startup)
    {
    }

    MenuTitle menu;
    int group;
    int order;
    bool startup;
};

// One row of a subsystem's table, written as
//   Command(Cmd::FileSave, "Save(&S)\tCtrl+S", "保存(&S)\tCtrl+S")
//       .in({MenuTitle::File, 1, 30}).keys({QKeySequence(Qt::CTRL | Qt::Key_S)})
//       .runs([..] { .. }).enabledWhen([..] { .. })
struct Command
{
    // Item texts, with "&" marking the mnemonic and "\t" separating the
    // accelerator text. The traditional setting shows the Chinese converted.
    Command(int id, const char *english = "", const char *chinese = "") : id(id), english(english), chinese(chinese)
    {
    }

    Command &&in(MenuPlace p) &&
    {
        place = p;
        return std::move(*this);
    }
    Command &&keys(QList<QKeySequence> k) &&
    {
        shortcuts = std::move(k);
        return std::move(*this);
    }
    Command &&runs(std::function<void()> f) &&
    {
        run = std::move(f);
        return std::move(*this);
    }
    Command &&enabledWhen(std::function<bool()> f) &&
    {
        enabled = std::move(f);
        return std::move(*this);
    }
    Command &&checkedWhen(std::function<bool()> f) &&
    {
        checked = std::move(f);
        return std::move(*this);
    }
    // An item whose text changes with the state (Undo names what it would
    // take back): the function gives it in the language in use, in place of
    // the fixed texts. Whoever changes the state asks for fresh texts.
    Command &&textFrom(std::function<QString()> f) &&
    {
        currentText = std::move(f);
        return std::move(*this);
    }

    int id;
    const char *english;
    const char *chinese;
    std::optional<MenuPlace> place; // none: not in the menus
    // Keys of the main window, wherever the focus is in it.
    QList<QKeySequence> shortcuts;
    std::function<void()> run;     // empty: disabled until its subsystem comes
    std::function<bool()> enabled; // empty: always enabled
    std::function<bool()> checked; // empty: not a check item
    std::function<QString()> currentText; // empty: the fixed texts
};

class CommandRegistry : public QObject
{
    Q_OBJECT
public:
    // A subsystem's table. A command declared again replaces the earlier
    // declaration.
    void add(std::vector<Command> table);
    // Gives a command (declared or not) a handler, keeping its texts, place
    // and keys.
    void add(int id, std::function<void()> run, std::function<bool()> enabled = {},
             std::function<bool()> checked = {});

    // Whether the id has a handler.
    bool has(int id) const;
    bool isEnabled(int id) const;
    bool isCheckable(int id) const;
    bool isChecked(int id) const;
    // Runs the command when it has a handler and is enabled; returns whether
    // it ran to its end. A command that runs out of memory (std::bad_alloc)
    // is stopped there: ranOutOfMemory is sent and false returned, so no
    // command can end the program with the project unsaved.
    bool trigger(int id);

    // Every declared id, in declaration order.
    QList<int> ids() const;
    // The declaration, or null.
    const Command *command(int id) const;
    // The item text for `languageCode` (0 Chinese, 1 English, 2
    // traditional); empty for an unknown id. A text that changes with the
    // state is given in the language in use.
    QString text(int id, int languageCode) const;
    // The item text without mnemonic and accelerator, for tool tips:
    // "打开(&O)...\tCtrl+O" gives "打开...".
    QString plainText(int id, int languageCode) const;
    // The ids of a menu in order, with kSeparator between groups; the
    // start-up menu has only the items marked for it.
    static constexpr int kSeparator = 0;
    QList<int> menuItems(MenuTitle menu, bool startupMenu) const;

signals:
    // A command is about to run (not sent for a command run by another).
    void aboutToRun(int id);
    // The command started by the last aboutToRun ran out of memory.
    void ranOutOfMemory(int id);
    // A command ran; menus and bars refresh their enabled and checked state.
    void commandRan(int id);
    // The text of a command with textFrom() changed: actions show it anew.
    void textChanged(int id);

private:
    Command *find(int id);

    std::vector<Command> m_commands;
    std::unordered_map<int, size_t> m_index;
    bool m_running = false;
};

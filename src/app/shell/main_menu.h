#pragma once
// The main window's menu bar: the start-up menu until the first New or
// Open, the full menu after. Items are the shared command actions; the
// recent files are listed in the File menu.

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class CommandActions;
class CommandRegistry;
class RecentFiles;

class MainMenu : public QObject
{
    Q_OBJECT
public:
    // The menus hold the commands declared with a menu place.
    MainMenu(QMenuBar &bar, const CommandRegistry &commands, CommandActions &actions, RecentFiles &recent);

    void showStartupMenu();
    void showFullMenu();
    bool isFullMenu() const { return m_full; }

    // Titles, items and recent entries for the language.
    void applyTexts(int languageCode);
    // Rebuilds the recent-file entries of the File menu.
    void refreshRecentFiles();

    // The menus in place, left to right.
    const QList<QMenu *> &menus() const { return m_menus; }

    // Called with the recent file chosen.
    std::function<void(const QString &path)> onRecentFile;

signals:
    // A menu is about to open: its items' state must be current.
    void aboutToShowMenu();

private:
    void build(bool full);

    QMenuBar &m_bar;
    const CommandRegistry &m_commands;
    CommandActions &m_actions;
    RecentFiles &m_recent;
    bool m_full = false;
    int m_languageCode = 1;
    QList<QMenu *> m_menus;
    QMenu *m_fileMenu = nullptr;
    QAction *m_recentEnd = nullptr; // the recent entries are inserted before it
    QList<QAction *> m_recentActions;
};

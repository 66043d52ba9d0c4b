#include "shell/main_menu.h"

#include "common/command_ids.h"
#include "common/command_registry.h"
#include "settings/language.h"
#include "shell/command_actions.h"
#include "shell/recent_files.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

struct TitleRow
{
    MenuTitle title;
    const char *english;
    const char *chinese;
};

// The menus left to right; the commands say which one they sit in.
const TitleRow kTitles[] = {
    {MenuTitle::File, "&File", "文件(&F)"},
    {MenuTitle::Edit, "&Edit", "编辑(&E)"},
    {MenuTitle::View, "&View", "视图(&V)"},
    {MenuTitle::Picture, "&Picture", "图像(&P)"},
    {MenuTitle::AutoPlay, "&AutoPlay", "演示(&A)"},
    {MenuTitle::Build, "&Build", "硬件配置(&B)"},
    {MenuTitle::Language, "&Language", "语言(&L)"},
    {MenuTitle::Help, "&Help", "帮助(&H)"},
};

QString menuTitleText(MenuTitle title, int languageCode)
{
    for (const TitleRow &row : kTitles)
        if (row.title == title)
            return threeWayText(QString::fromUtf8(row.english), QString::fromUtf8(row.chinese), languageCode);
    return QString();
}

} // namespace

MainMenu::MainMenu(QMenuBar &bar, const CommandRegistry &commands, CommandActions &actions, RecentFiles &recent)
    : QObject(&bar), m_bar(bar), m_commands(commands), m_actions(actions), m_recent(recent)
{
}

void MainMenu::showStartupMenu() { build(false); }

void MainMenu::showFullMenu()
{
    if (!m_full)
        build(true);
}

void MainMenu::build(bool full)
{
    m_bar.clear();
    // The menus go once control is back in the event loop: the first New or
    // Open runs from an item of the start-up menu, inside that menu's own
    // signal, and deleting it there would pull it from under its caller.
    for (QMenu *menu : std::as_const(m_menus))
        menu->deleteLater();
    m_menus.clear();
    m_recentActions.clear();
    m_fileMenu = nullptr;
    m_recentEnd = nullptr;
    m_full = full;

    for (const TitleRow &title : kTitles) {
        const QList<int> items = m_commands.menuItems(title.title, !full);
        if (items.isEmpty())
            continue;
        auto *menu = new QMenu(&m_bar);
        menu->setProperty("menuTitle", int(title.title));
        menu->setToolTipsVisible(false);
        connect(menu, &QMenu::aboutToShow, this, &MainMenu::aboutToShowMenu);
        for (const int id : items) {
            if (id == CommandRegistry::kSeparator) {
                menu->addSeparator();
            } else if (id == Cmd::FileMru1) {
                m_fileMenu = menu;
                // The recent entries go between the separators around this
                // place; an end marker keeps the spot.
                m_recentEnd = new QAction(menu);
                m_recentEnd->setVisible(false);
                menu->addAction(m_recentEnd);
            } else {
                menu->addAction(m_actions.action(id));
            }
        }
        m_bar.addMenu(menu);
        m_menus << menu;
    }
    applyTexts(m_languageCode);
}

void MainMenu::applyTexts(int languageCode)
{
    m_languageCode = languageCode;
    m_actions.applyTexts(languageCode);
    for (QMenu *menu : std::as_const(m_menus))
        menu->setTitle(menuTitleText(MenuTitle(menu->property("menuTitle").toInt()), languageCode));
    refreshRecentFiles();
}

void MainMenu::refreshRecentFiles()
{
    if (!m_fileMenu || !m_recentEnd)
        return;
    for (QAction *a : std::as_const(m_recentActions)) {
        m_fileMenu->removeAction(a);
        if (a != m_actions.action(Cmd::FileMru1))
            a->deleteLater();
    }
    m_recentActions.clear();
    const QStringList &files = m_recent.files();
    if (files.isEmpty()) {
        // An empty list shows its disabled placeholder item.
        QAction *placeholder = m_actions.action(Cmd::FileMru1);
        m_fileMenu->insertAction(m_recentEnd, placeholder);
        m_recentActions << placeholder;
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        auto *a = new QAction(m_recent.menuText(i), m_fileMenu);
        a->setData(files[i]);
        const QString path = files[i];
        connect(a, &QAction::triggered, this, [this, path] {
            if (onRecentFile)
                onRecentFile(path);
        });
        m_fileMenu->insertAction(m_recentEnd, a);
        m_recentActions << a;
    }
}

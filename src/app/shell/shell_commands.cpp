#include "shell/shell_commands.h"

#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "settings/language.h"
#include "shell/about_dialog.h"
#include "shell/canvas_printing.h"
#include "shell/document_commands.h"
#include "shell/main_window.h"
#include "shell/playback_controller.h"

#include <QDockWidget>
#include <QStatusBar>
#include <QToolBar>

namespace {

std::vector<Command> fileCommands(AppContext &ctx, MainWindow &w)
{
    DocumentCommands &docs = w.documents();
    Document &doc = ctx.doc;
    const auto hasDocument = [&doc] { return !doc.isStartup(); };
    const MenuTitle file = MenuTitle::File;
    return {
        {.id = Cmd::FileNew,
         .english = "New(&N)\tCtrl+N",
         .chinese = "新建(&N)\tCtrl+N",
         .place = MenuPlace{file, 1, 10, true},
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_N)},
         .run = [&docs] { docs.newDocument(); }},
        {.id = Cmd::FileOpen,
         .english = "Open(&O)...\tCtrl+O",
         .chinese = "打开(&O)...\tCtrl+O",
         .place = MenuPlace{file, 1, 20, true},
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_O)},
         .run = [&docs] { docs.openWithDialog(); }},
        {.id = Cmd::FileSave,
         .english = "Save(&S)\tCtrl+S",
         .chinese = "保存(&S)\tCtrl+S",
         .place = MenuPlace{file, 1, 30},
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_S)},
         .run = [&docs] { docs.save(); },
         .enabled = hasDocument},
        {.id = Cmd::FileSaveAs,
         .english = "SaveAs(&A)...",
         .chinese = "另存为(&A)...",
         .place = MenuPlace{file, 1, 40},
         .run = [&docs] { docs.saveAs(); },
         .enabled = hasDocument},
        // No handler: stays disabled.
        {.id = Cmd::SaveAsAvi, .english = "SaveAsAVI...", .chinese = "保存AVI", .place = MenuPlace{file, 1, 50}},
        {.id = Cmd::FilePrint,
         .english = "Print(&P)...\tCtrl+P",
         .chinese = "打印(&P)...\tCtrl+P",
         .place = MenuPlace{file, 2, 10},
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_P)},
         .run = [&w] { w.printing().print(); },
         .enabled = hasDocument},
        {.id = Cmd::FilePrintPreview,
         .english = "PrintPreview(&V)",
         .chinese = "打印预览(&V)",
         .place = MenuPlace{file, 2, 20},
         .run = [&w] { w.printing().preview(); },
         .enabled = hasDocument},
        {.id = Cmd::FilePrintSetup,
         .english = "PrintSetup(&R)...",
         .chinese = "打印设置(&R)...",
         .place = MenuPlace{file, 2, 30},
         .run = [&w] { w.printing().setup(); }},
        // The place of the recent files; the item itself is the disabled
        // entry of an empty list.
        {.id = Cmd::FileMru1, .english = "MruFile1", .chinese = "最近文件", .place = MenuPlace{file, 3, 10, true}},
        {.id = Cmd::AppExit,
         .english = "Exit",
         .chinese = "退出(&X)",
         .place = MenuPlace{file, 4, 10, true},
         .run = [&w] { w.close(); }},
    };
}

// A bar of the window shown or hidden by a check item of the View menu.
Command barToggle(int id, const char *english, const char *chinese, MenuPlace place, std::function<QWidget *()> bar)
{
    return {.id = id,
            .english = english,
            .chinese = chinese,
            .place = place,
            .run = [bar] { bar()->setVisible(bar()->isHidden()); },
            .checked = [bar] { return !bar()->isHidden(); }};
}

std::vector<Command> viewCommands(MainWindow &w)
{
    const MenuTitle view = MenuTitle::View;
    return {
        barToggle(Cmd::ViewToolbar, "toolbar", "工具栏(&T)", {view, 1, 10, true}, [&w] { return w.toolBar(); }),
        barToggle(Cmd::ViewStatusBar, "Status bar", "状态栏(&S)", {view, 1, 20, true},
                  [&w] { return w.statusBar(); }),
        barToggle(Cmd::ShortcutTool, "ShortcutTool", "快捷工具", {view, 1, 30}, [&w] { return w.toolDock(); }),
        barToggle(Cmd::PaletteBar, "Palette", "调色板", {view, 1, 40}, [&w] { return w.paletteDock(); }),
    };
}

std::vector<Command> playCommands(MainWindow &w)
{
    PlaybackController &playback = w.playback();
    return {
        {.id = Cmd::Play,
         .english = "Play\tF5",
         .chinese = "播放\tF5",
         .place = MenuPlace{MenuTitle::AutoPlay, 2, 10},
         .shortcuts = {QKeySequence(Qt::Key_F5)},
         .run = [&playback] { playback.play(); },
         .enabled = [&playback] { return playback.canPlay(); }},
        {.id = Cmd::Stop,
         .english = "Stop\tF7",
         .chinese = "停止\tF7",
         .place = MenuPlace{MenuTitle::AutoPlay, 2, 20},
         .shortcuts = {QKeySequence(Qt::Key_F7), QKeySequence(Qt::Key_Escape)},
         .run = [&playback] { playback.stop(); },
         .enabled = [&playback] { return playback.isPlaying(); }},
    };
}

Command languageCommand(MainWindow &w, int id, int code, const char *english, const char *chinese, int order)
{
    return {.id = id,
            .english = english,
            .chinese = chinese,
            .place = MenuPlace{MenuTitle::Language, 1, order, true},
            .run = [&w, code] { w.setLanguage(code); },
            .checked = [code] { return Language::code() == code; }};
}

} // namespace

void registerShellCommands(AppContext &ctx, MainWindow &w)
{
    ctx.commands.add(fileCommands(ctx, w));
    ctx.commands.add(viewCommands(w));
    ctx.commands.add(playCommands(w));
    ctx.commands.add({
        languageCommand(w, Cmd::LanguageChinese, Language::Chinese, "Chinese(&C)", "中文（大陆）(&C)", 10),
        languageCommand(w, Cmd::LanguageEnglish, Language::English, "Englist(&E)", "English(&E)", 20),
        languageCommand(w, Cmd::LanguageTraditional, Language::Traditional, "Traditional Chinese", "中文（港台）", 30),
        {.id = Cmd::AppAbout,
         .english = "About Brightloom(&A)...",
         .chinese = "关于 Brightloom(&A)...",
         .place = MenuPlace{MenuTitle::Help, 1, 10, true},
         .run =
             [&w] {
                 AboutDialog about(&w);
                 about.exec();
             }},
    });
}

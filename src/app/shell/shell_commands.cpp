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
        Command(Cmd::FileNew, "&New\tCtrl+N", "新建(&N)\tCtrl+N")
            .in({file, 1, 10, true})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_N)})
            .runs([&docs] { docs.newDocument(); }),
        Command(Cmd::FileOpen, "&Open...\tCtrl+O", "打开(&O)...\tCtrl+O")
            .in({file, 1, 20, true})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_O)})
            .runs([&docs] { docs.openWithDialog(); }),
        Command(Cmd::FileSave, "&Save\tCtrl+S", "保存(&S)\tCtrl+S")
            .in({file, 1, 30})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_S)})
            .runs([&docs] { docs.save(); })
            .enabledWhen(hasDocument),
        Command(Cmd::FileSaveAs, "Save &As...", "另存为(&A)...")
            .in({file, 1, 40})
            .runs([&docs] { docs.saveAs(); })
            .enabledWhen(hasDocument),
        // No handler: stays disabled.
        Command(Cmd::SaveAsAvi, "Save as AVI...", "保存AVI").in({file, 1, 50}),
        Command(Cmd::FilePrint, "&Print...\tCtrl+P", "打印(&P)...\tCtrl+P")
            .in({file, 2, 10})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_P)})
            .runs([&w] { w.printing().print(); })
            .enabledWhen(hasDocument),
        Command(Cmd::FilePrintPreview, "Print Pre&view", "打印预览(&V)")
            .in({file, 2, 20})
            .runs([&w] { w.printing().preview(); })
            .enabledWhen(hasDocument),
        Command(Cmd::FilePrintSetup, "P&rint Setup...", "打印设置(&R)...")
            .in({file, 2, 30})
            .runs([&w] { w.printing().setup(); }),
        // The place of the recent files; the item itself is the disabled
        // entry of an empty list.
        Command(Cmd::FileMru1, "(no recent files)", "（无最近文件）").in({file, 3, 10, true}),
        Command(Cmd::AppExit, "E&xit", "退出(&X)").in({file, 4, 10, true}).runs([&w] { w.close(); }),
    };
}

// A bar of the window shown or hidden by a check item of the View menu.
Command barToggle(int id, const char *english, const char *chinese, MenuPlace place, std::function<QWidget *()> bar)
{
    return Command(id, english, chinese)
        .in(place)
        .runs([bar] { bar()->setVisible(bar()->isHidden()); })
        .checkedWhen([bar] { return !bar()->isHidden(); });
}

std::vector<Command> viewCommands(MainWindow &w)
{
    const MenuTitle view = MenuTitle::View;
    return {
        barToggle(Cmd::ViewToolbar, "&Tool Bar", "工具栏(&T)", {view, 1, 10, true}, [&w] { return w.toolBar(); }),
        barToggle(Cmd::ViewStatusBar, "&Status Bar", "状态栏(&S)", {view, 1, 20, true},
                  [&w] { return w.statusBar(); }),
        barToggle(Cmd::ShortcutTool, "Shortcut Tools", "快捷工具", {view, 1, 30}, [&w] { return w.toolDock(); }),
        barToggle(Cmd::PaletteBar, "Palette", "调色板", {view, 1, 40}, [&w] { return w.paletteDock(); }),
        // The undo history sits in the Edit menu, under Undo and Redo.
        barToggle(Cmd::EditHistory, "&History", "历史记录(&H)", {MenuTitle::Edit, 3, 10},
                  [&w] { return w.historyDock(); }),
    };
}

std::vector<Command> playCommands(MainWindow &w)
{
    PlaybackController &playback = w.playback();
    return {
        Command(Cmd::Play, "Play\tF5", "播放\tF5")
            .in({MenuTitle::AutoPlay, 2, 10})
            .keys({QKeySequence(Qt::Key_F5)})
            .runs([&playback] { playback.play(); })
            .enabledWhen([&playback] { return playback.canPlay(); }),
        Command(Cmd::Stop, "Stop\tF7", "停止\tF7")
            .in({MenuTitle::AutoPlay, 2, 20})
            .keys({QKeySequence(Qt::Key_F7), QKeySequence(Qt::Key_Escape)})
            .runs([&playback] { playback.stop(); })
            .enabledWhen([&playback] { return playback.isPlaying(); }),
    };
}

Command languageCommand(MainWindow &w, int id, int code, const char *english, const char *chinese, int order)
{
    return Command(id, english, chinese)
        .in({MenuTitle::Language, 1, order, true})
        .runs([&w, code] { w.setLanguage(code); })
        .checkedWhen([code] { return Language::code() == code; });
}

} // namespace

void registerShellCommands(AppContext &ctx, MainWindow &w)
{
    ctx.commands.add(fileCommands(ctx, w));
    ctx.commands.add(viewCommands(w));
    ctx.commands.add(playCommands(w));
    ctx.commands.add({
        languageCommand(w, Cmd::LanguageChinese, Language::Chinese, "&Chinese (Mainland)", "中文（大陆）(&C)", 10),
        languageCommand(w, Cmd::LanguageEnglish, Language::English, "&English", "English(&E)", 20),
        languageCommand(w, Cmd::LanguageTraditional, Language::Traditional, "Chinese (Hong Kong/&Taiwan)", "中文（港台）", 30),
        Command(Cmd::AppAbout, "&About Brightloom...", "关于 Brightloom(&A)...")
            .in({MenuTitle::Help, 1, 10, true})
            .runs([&w] {
                AboutDialog about(&w);
                about.exec();
            }),
    });
}

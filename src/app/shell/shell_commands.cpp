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

void registerShellCommands(AppContext &ctx, MainWindow &w)
{
    CommandRegistry &c = ctx.commands;
    Document &doc = ctx.doc;
    DocumentCommands &docs = w.documents();
    PlaybackController &playback = w.playback();
    const auto hasDocument = [&doc] { return !doc.isStartup(); };

    c.add(Cmd::FileNew, [&docs] { docs.newDocument(); });
    c.add(Cmd::FileOpen, [&docs] { docs.openWithDialog(); });
    c.add(Cmd::FileSave, [&docs] { docs.save(); }, hasDocument);
    c.add(Cmd::FileSaveAs, [&docs] { docs.saveAs(); }, hasDocument);
    c.add(Cmd::FilePrint, [&w] { w.printing().print(); }, hasDocument);
    c.add(Cmd::FilePrintPreview, [&w] { w.printing().preview(); }, hasDocument);
    c.add(Cmd::FilePrintSetup, [&w] { w.printing().setup(); });
    c.add(Cmd::AppExit, [&w] { w.close(); });

    c.add(Cmd::ViewToolbar, [&w] { w.toggleToolBar(); }, {}, [&w] { return !w.toolBar()->isHidden(); });
    c.add(Cmd::ViewStatusBar, [&w] { w.toggleStatusBar(); }, {}, [&w] { return !w.statusBar()->isHidden(); });
    c.add(Cmd::ShortcutTool, [&w] { w.toggleShortcutTool(); }, {}, [&w] { return !w.toolDock()->isHidden(); });
    c.add(Cmd::PaletteBar, [&w] { w.togglePaletteBar(); }, {}, [&w] { return !w.paletteDock()->isHidden(); });

    c.add(Cmd::Play, [&playback] { playback.play(); }, [&playback] { return playback.canPlay(); });
    c.add(Cmd::Stop, [&playback] { playback.stop(); }, [&playback] { return playback.isPlaying(); });

    const struct
    {
        int id;
        int code;
    } languages[] = {
        {Cmd::LanguageChinese, Language::Chinese},
        {Cmd::LanguageEnglish, Language::English},
        {Cmd::LanguageTraditional, Language::Traditional},
    };
    for (const auto &l : languages) {
        const int code = l.code;
        c.add(l.id, [&w, code] { w.setLanguage(code); }, {}, [code] { return Language::code() == code; });
    }

    c.add(Cmd::AppAbout, [&w] {
        AboutDialog about(&w);
        about.exec();
    });
}

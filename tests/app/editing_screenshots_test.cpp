// Pictures of the palette bar, the operation panel and the colour panel in
// each table mode, in English and Chinese, inside the running editor. They
// are written only when BRIGHTLOOM_SCREENSHOTS names a folder (run under a
// real X server, for example xvfb-run).

#include "common/command_ids.h"
#include "document/document.h"
#include "editing/operation_panel.h"
#include "palette/colour_panel_dialog.h"
#include "palette/palette_bar.h"
#include "scripted_prompt.h"
#include "settings/language.h"
#include "shell/editor_application.h"
#include "shell/main_window.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QTemporaryDir>
#include <QTest>

class EditingScreenshotsTest : public QObject
{
    Q_OBJECT
private slots:
    void screenshotsOfThePaletteAndOperationPanels()
    {
        const QString folder = qEnvironmentVariable("BRIGHTLOOM_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("BRIGHTLOOM_SCREENSHOTS is not set");
        QVERIFY(QDir().mkpath(folder));
        Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        EditorOptions options;
        options.settingsPath = dir.filePath(QStringLiteral("Brightloom.ini"));
        options.recentFilesPath = dir.filePath(QStringLiteral("recent.conf"));
        options.prompt = &prompt;
        EditorApplication editor(options);
        editor.context().palette.colours.clear();
        for (int i = 0; i < 32; ++i)
            editor.context().palette.colours.push_back(makeColor(255 - i * 8, i * 8, (i * 53) % 256));
        editor.context().palette.selectEntry(6);
        editor.window().resize(1280, 900);
        editor.window().show();
        QVERIFY(editor.openOnStart(QStringLiteral(BRIGHTLOOM_RESOURCES "/demo/demo.wst")));
        editor.context().editing.area = BlockArea{true, 4, 3, 12, 8};
        QVERIFY(QTest::qWaitForWindowExposed(&editor.window()));

        const auto save = [&](QWidget *w, const QString &name) {
            const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
            QVERIFY(w->grab().save(path));
        };
        for (int id : {Cmd::LanguageEnglish, Cmd::LanguageChinese}) {
            editor.context().commands.trigger(id);
            const QString lang = id == Cmd::LanguageEnglish ? QStringLiteral("en") : QStringLiteral("zh");
            QTest::qWait(50);
            save(&editor.window(), QStringLiteral("editor_") + lang);
            auto *bar = editor.window().findChild<PaletteBar *>();
            auto *panel = editor.window().findChild<OperationPanel *>();
            QVERIFY(bar && panel);
            save(bar, QStringLiteral("palette_bar_") + lang);
            save(panel, QStringLiteral("operation_panel_") + lang);
            for (int mode = 0; mode < 3; ++mode) {
                ColourPanelDialog d(editor.context(), &editor.window());
                d.modeBox()->setCurrentIndex(mode);
                d.show();
                QVERIFY(QTest::qWaitForWindowExposed(&d));
                save(&d, QStringLiteral("colour_panel_mode%1_").arg(mode) + lang);
            }
        }
    }
};

QTEST_MAIN(EditingScreenshotsTest)
#include "editing_screenshots_test.moc"

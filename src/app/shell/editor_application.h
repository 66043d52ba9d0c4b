#pragma once
// The application object: the settings, the document, the shared editing
// and palette state and the main window, alive for the whole run. Settings
// are read at start and written back (with the grid of the document and the
// language chosen) when it ends.

#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "editing/editing_state.h"
#include "links/controller_params.h"
#include "palette/palette_state.h"
#include "settings/app_settings.h"

#include <QString>
#include <functional>
#include <memory>

class MainWindow;
class Prompt;
class RecentFiles;
class WidgetPrompt;

struct EditorOptions
{
    // The settings file ("Brightloom.ini"); empty: the program's own.
    QString settingsPath;
    // Where the recent files are kept; empty: the user's config folder.
    QString recentFilesPath;
    // How to talk to the user; null: message boxes and file dialogs.
    Prompt *prompt = nullptr;
    // The USB controllers; empty: the machine's bus (see AppContext).
    std::function<std::unique_ptr<UsbTransport>()> usbTransport;
};

class EditorApplication
{
public:
    explicit EditorApplication(const EditorOptions &options = EditorOptions());
    ~EditorApplication();

    EditorApplication(const EditorApplication &) = delete;
    EditorApplication &operator=(const EditorApplication &) = delete;

    MainWindow &window() { return *m_window; }
    AppContext &context() { return m_ctx; }
    Document &document() { return m_doc; }
    AppSettings &settings() { return m_settings; }

    // Shows the window maximised.
    void show();
    // A project named on the command line: opened fully, as File > Open
    // would. When it cannot be read the message is shown and the start-up
    // document stays.
    // `offerWiringBeside` false: a wiring named on the command line follows,
    // so the one beside the project is not offered.
    bool openOnStart(const QString &path, bool offerWiringBeside = true);
    // A wiring named on the command line beside the project (the demo's
    // demo.line): read into the open project as the wiring page's "打开"
    // would. The project stays unmodified: both are as on disk.
    bool openWiringOnStart(const QString &path);
    // Writes the settings file; done once by the destructor.
    bool saveSettings();

private:
    QString m_settingsPath;
    AppSettings m_settings;
    Document m_doc;
    std::unique_ptr<WidgetPrompt> m_ownPrompt;
    Prompt *m_prompt;
    CommandRegistry m_commands;
    EditingState m_editing;
    PaletteState m_palette;
    ControllerParams m_controller;
    AppEvents m_events;
    AppContext m_ctx;
    std::unique_ptr<RecentFiles> m_recent;
    std::unique_ptr<MainWindow> m_window;
    bool m_settingsSaved = false;
};

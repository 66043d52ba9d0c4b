#include "shell/editor_application.h"

#include "common/widget_prompt.h"
#include "palette/colour_pad_file.h"
#include "settings/grid_geometry.h"
#include "settings/language.h"
#include "settings/program_folder.h"
#include "shell/document_commands.h"
#include "shell/main_window.h"
#include "shell/recent_files.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_tool_page.h"

#include <QDebug>
#include <QScreen>

namespace {

AppSettings loadedSettings(const QString &path)
{
    AppSettings s = LoadSettings(path);
    // Every run starts in English, whatever the file holds.
    Language::setCode(s.languageCode);
    return s;
}

} // namespace

EditorApplication::EditorApplication(const EditorOptions &options)
    : m_settingsPath(options.settingsPath.isEmpty() ? settingsFilePath() : options.settingsPath),
      m_settings(loadedSettings(m_settingsPath)),
      m_doc(m_settings.geometry),
      m_ownPrompt(options.prompt ? nullptr : std::make_unique<WidgetPrompt>()),
      m_prompt(options.prompt ? options.prompt : m_ownPrompt.get()),
      // The panel builds the list again for the document's grid when it is
      // made; until then the rows of a three-colour grid, the default.
      m_controller(ControllerParams::initial(GridGeometry().baseColorNum)),
      m_ctx{m_settings, m_doc, *m_prompt, m_commands, m_editing, m_palette, m_controller, m_events},
      m_recent(std::make_unique<RecentFiles>(options.recentFilesPath.isEmpty() ? RecentFiles::defaultStorePath()
                                                                               : options.recentFilesPath))
{
    m_ctx.usbTransport = options.usbTransport;
    m_doc.setBackgroundColor(m_settings.backgroundColor);
    m_doc.setNewFrameCopiesCurrent(m_settings.newFrameCopiesCurrent);
    // The palette list the program starts with (red, green and blue when
    // the start file gives none).
    m_palette.colours = loadStartPalette();
    // Subsystems that keep a section of their own in the settings file.
    m_ctx.settingsPath = m_settingsPath;
    // The start-up document: no frames, named "NewFile", the start-up menu.
    m_doc.setStartup(true);
    m_window = std::make_unique<MainWindow>(m_ctx, *m_recent);
    if (m_ownPrompt)
        m_ownPrompt->setParentWindow(m_window.get());
    m_window->refreshCommandStates();
}

EditorApplication::~EditorApplication()
{
    saveSettings();
    m_window.reset();
}

void EditorApplication::show()
{
    // Without a window manager (a bare X server) maximising does nothing,
    // so the window first takes the whole screen itself.
    if (QScreen *screen = m_window->screen())
        m_window->setGeometry(screen->availableGeometry());
    m_window->showMaximized();
}

bool EditorApplication::openOnStart(const QString &path, bool offerWiringBeside)
{
    return m_window->documents().openFile(path, false, offerWiringBeside);
}

bool EditorApplication::openWiringOnStart(const QString &path)
{
    if (m_doc.frameCount() == 0)
        return false;
    const bool wasModified = m_doc.isModified();
    WiringEditor &editor = m_window->wiringPage()->editor();
    editor.bind(&m_doc);
    if (!editor.openFile(path))
        return false;
    m_doc.setModified(wasModified);
    return true;
}

bool EditorApplication::saveSettings()
{
    if (m_settingsSaved)
        return true;
    m_settingsSaved = true;
    m_settings.geometry = m_doc.geometry();
    m_settings.languageCode = uint8_t(Language::code());
    m_settings.backgroundColor = m_doc.backgroundColor();
    if (!SaveSettings(m_settings, m_settingsPath)) {
        qWarning().noquote() << "Brightloom: the settings could not be written to" << m_settingsPath;
        return false;
    }
    return true;
}

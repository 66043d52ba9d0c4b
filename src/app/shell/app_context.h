#pragma once
// What the editor's subsystems share: the settings, the open document, the
// way to ask the user, and the main window as the parent of dialogs. Each
// subsystem receives it when it registers its commands and builds its
// panels.

#include "editing/editing_state.h"
#include "links/controller_page.h"
#include "palette/palette_state.h"
#include "settings/app_settings.h"

class QWidget;
class Document;
class Prompt;
class CommandRegistry;

struct AppContext
{
    AppSettings &settings;
    Document &doc;
    Prompt &prompt;
    CommandRegistry &commands;
    EditingState &editing;
    PaletteState &palette;
    QWidget *window = nullptr; // parent of dialogs
    // The controller panel's values, one set for the running program.
    ControllerParams &controller = applicationControllerParams();
};

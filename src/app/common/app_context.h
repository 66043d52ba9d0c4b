#pragma once
// What the editor's subsystems share: the settings, the open document, the
// way to ask the user, the command registry, the shared editing, palette
// and controller state, the editor-wide signals, and the main window's
// parts that dialogs and long runs use. The application object owns all of
// it; each subsystem receives it when it registers its commands and builds
// its panels.

#include "editing/editing_state.h"
#include "links/controller_params.h"
#include "palette/palette_state.h"
#include "settings/app_settings.h"

#include <functional>
#include <memory>

class QProgressBar;
class QStatusBar;
class QWidget;
class AppEvents;
class CommandRegistry;
class Document;
class Prompt;
class UsbTransport;

struct AppContext
{
    AppSettings &settings;
    Document &doc;
    Prompt &prompt;
    CommandRegistry &commands;
    EditingState &editing;
    PaletteState &palette;
    // The controller panel's values, one set for the running program: the
    // panel shows them, data generation and the USB output read them.
    ControllerParams &controller;
    AppEvents &events;
    QWidget *window = nullptr; // parent of dialogs
    // The main window's status bar and its progress indicator, for long
    // runs inside a command; null without a main window.
    QStatusBar *statusBar = nullptr;
    QProgressBar *progress = nullptr;
    // The play panel's speed in frames per second (exports derive their
    // frame time from it); empty without a main window.
    std::function<int()> playSpeed = nullptr;
    // The USB controllers the operation panel reaches; empty: the machine's
    // bus, found by the ids of the settings file. Tests give a fake.
    std::function<std::unique_ptr<UsbTransport>()> usbTransport = nullptr;
    // The settings file the run reads and writes at exit; subsystems keep
    // their own sections in it. Empty: nothing is kept.
    QString settingsPath = QString();
};

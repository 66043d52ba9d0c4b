#pragma once
// A complete AppContext for widget tests: settings, a document of the given
// size, a scripted prompt and the shared editing and palette state.

#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "scripted_prompt.h"

struct EditorContext
{
    explicit EditorContext(int rows = 4, int cols = 6, int frames = 1)
    {
        settings.geometry.rows = int16_t(rows);
        settings.geometry.cols = int16_t(cols);
        doc.setGeometry(settings.geometry);
        for (int k = 0; k < frames; ++k)
            doc.insertFrameAfterCurrent(doc.makeFrame());
    }

    AppSettings settings;
    Document doc;
    ScriptedPrompt prompt;
    CommandRegistry commands;
    EditingState editing;
    PaletteState palette;
    ControllerParams controller = ControllerParams::initial(GridGeometry().baseColorNum);
    AppEvents events;
    AppContext ctx{settings, doc, prompt, commands, editing, palette, controller, events};
};

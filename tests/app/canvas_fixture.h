#pragma once
// A canvas on a small document with everything the editor context holds.
// Grid 3 rows x 4 columns of 20-pixel cells in a 218 x 168 client area
// (200 x 150 usable): at actual size the grid centre is (109, 84), so the
// grid spans x 69..149 and y 54..114.

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "scripted_prompt.h"
#include "settings/app_settings.h"
#include "settings/language.h"

#include <QImage>

inline GridGeometry smallGrid(int rows = 3, int cols = 4, int cel = 20)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    g.celWidth = int16_t(cel);
    g.celHeight = int16_t(cel);
    return g;
}

// A distinct colour for every cell.
inline ColorValue cellColour(int x, int y) { return makeColor(40 * x + 10, 50 * y + 20, 200 - 30 * x); }

// The colour of an image pixel as a lamp colour.
inline ColorValue pixelColour(const QImage &img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return makeColor(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

struct CanvasFixture
{
    static constexpr int kLeft = 69;
    static constexpr int kTop = 54;
    static constexpr int kCel = 20;

    explicit CanvasFixture(bool withFrame = true, GridGeometry g = smallGrid())
        : settings(), doc(g), ctx{settings, doc, prompt, commands, editing, palette, controller, events}, view(ctx)
    {
        Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
        Language::setCode(Language::English);
        view.refreshStatusTexts();
        settings.geometry = g;
        if (withFrame) {
            doc.startNew(g);
            Frame *f = doc.currentFrame();
            for (int y = 0; y < g.rows; ++y)
                for (int x = 0; x < g.cols; ++x)
                    f->set(x, y, g.cols, cellColour(x, y));
            doc.frameContentEdited();
        }
        view.resize(218, 168);
        view.actualSize();
    }

    // Centre of cell (x, y) in client pixels at actual size.
    static QPoint cellMiddle(int x, int y) { return {kLeft + kCel * x + kCel / 2, kTop + kCel * y + kCel / 2}; }

    AppSettings settings;
    Document doc;
    ScriptedPrompt prompt;
    CommandRegistry commands;
    EditingState editing;
    PaletteState palette;
    ControllerParams controller = ControllerParams::initial(GridGeometry().baseColorNum);
    AppEvents events;
    AppContext ctx;
    CanvasView view;
};

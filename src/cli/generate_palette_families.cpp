#include "generate_palette_families.h"

#include "cli_support.h"

#include "document/document.h"
#include "editing/colour_action.h"
#include "palette/palette_file.h"
#include "palette/palette_state.h"
#include "patterns/jumping_notes.h"
#include "patterns/palette_fill.h"

#include <algorithm>

QStringList notesFamilyOptions()
{
    return {"--frames", "--horizontal", "--range", "--palette"};
}

QStringList paletteFillFamilyOptions()
{
    return {"--mode", "--palette", "--palette-index", "--colour-action"};
}

bool readCliPalette(const char *command, const CliArgs &a, int scanMode, PaletteState &palette)
{
    if (!a.has("--palette"))
        return true;
    PaletteFileRead read = readPaletteFile(a.text("--palette"), scanMode);
    if (read.error != PaletteFileRead::None) {
        complain(command, QStringLiteral("%1: %2").arg(a.text("--palette"), paletteReadErrorText(read.error)));
        return false;
    }
    palette.colours = std::move(read.colours);
    palette.selected = 0;
    return true;
}

std::optional<int> runNotesFamily(const CliArgs &a, CliNumbers &opt, PatternTarget &target, Prompt &prompt)
{
    if (!a.has("--frames"))
        opt.fail(QStringLiteral("notes needs --frames N"));
    JumpingNotesParams p;
    p.frames = opt.number("--frames", 0);
    p.horizontal = a.has("--horizontal");
    p.range = opt.number("--range", 0, 0, kJumpingNotesRangeCount - 1);
    if (!opt.error().isEmpty())
        return std::nullopt;
    return runJumpingNotes(target, p, prompt);
}

std::optional<int> runPaletteFillFamily(const CliArgs &a, CliNumbers &opt, PatternTarget &target, Prompt &prompt)
{
    if (!a.has("--mode"))
        opt.fail(QStringLiteral("palette-fill needs --mode M (0 to %1)").arg(kPaletteFillModeCount - 1));
    PaletteFillParams p;
    p.mode = opt.number("--mode", 0, 0, kPaletteFillModeCount - 1);
    p.colourAction = opt.number("--colour-action", 0, 0, kColourActionCount - 1);
    const int colours = target.palette ? target.palette->count() : 0;
    const int selected = opt.number("--palette-index", 0, 0, std::max(colours - 1, 0));
    if (!opt.error().isEmpty())
        return std::nullopt;
    if (target.palette)
        target.palette->selected = selected;
    const int made = runPaletteFill(target, p, prompt);
    if (!paletteFillRecolours(p.mode))
        return made;
    // Nothing was added: say which frame changed, if any.
    if (made > 0)
        printOut(QStringLiteral("frame %1 recoloured\n").arg(target.doc.currentIndex() + 1));
    else
        printOut(QStringLiteral("frame %1 holds only the background colour: nothing recoloured\n")
                     .arg(target.doc.currentIndex() + 1));
    return 0;
}

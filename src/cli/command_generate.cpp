// brightloom-cli generate FAMILY OUT.wst [--in IN.wst | --rows R --cols C] ...
//
// One run of a pattern page, as the editor's dialog makes it, on a project
// file or on a new one-frame grid.
#include "cli_command.h"
#include "cli_support.h"
#include "generate_images.h"
#include "generate_palette_families.h"

#include "document/document.h"
#include "document/edit_history.h"
#include "document/new_grid.h"
#include "palette/palette_state.h"
#include "patterns/basic_colour_list.h"
#include "patterns/blinds.h"
#include "patterns/curtain.h"
#include "patterns/stacking_blocks.h"
#include "patterns/water_drip.h"
#include "settings/prompt.h"

#include <algorithm>
#include <functional>

namespace {

const char *const kName = "generate";

// "X0,Y0,X1,Y1", counted from 1, inclusive, inside the grid.
bool parseArea(const QString &text, int rows, int cols, BlockArea &area)
{
    const std::optional<std::vector<int>> v = parseNumberList(text, 4, 1, kMaxGridSide);
    if (!v)
        return false;
    area.defined = true;
    area.x0 = (*v)[0] - 1;
    area.y0 = (*v)[1] - 1;
    area.x1 = (*v)[2] - 1;
    area.y1 = (*v)[3] - 1;
    return area.usable(rows, cols);
}

const QStringList kOptions = {
    QStringLiteral("--in"),         QStringLiteral("--rows"),          QStringLiteral("--cols"),
    QStringLiteral("--current"),    QStringLiteral("--area"),          QStringLiteral("--add-mode"),
    QStringLiteral("--fg"),         QStringLiteral("--bg"),            QStringLiteral("--step"),
    QStringLiteral("--direction"),  QStringLiteral("--slats"),         QStringLiteral("--repeat"),
    QStringLiteral("--block-height"), QStringLiteral("--block-width"), QStringLiteral("--frequency"),
    QStringLiteral("--palette"),    QStringLiteral("--palette-index"),
    QStringLiteral("--image"),      QStringLiteral("--entrance"),      QStringLiteral("--wait"),
    QStringLiteral("--exit"),       QStringLiteral("--effect"),        QStringLiteral("--text"),
    QStringLiteral("--font"),       QStringLiteral("--size"),          QStringLiteral("--colour"),
    QStringLiteral("--mode"),
    QStringLiteral("--frames"),     QStringLiteral("--range"),         QStringLiteral("--colour-action"),
};
const QStringList kFlags = {QStringLiteral("--horizontal")};

// Options each family takes besides the common ones.
QStringList familyOptions(const QString &family)
{
    if (family == QLatin1String("curtain"))
        return {"--fg", "--bg", "--step", "--direction"};
    if (family == QLatin1String("blinds"))
        return {"--fg", "--bg", "--step", "--direction", "--slats", "--repeat"};
    if (family == QLatin1String("stacking"))
        return {"--fg", "--bg", "--block-height", "--block-width", "--frequency", "--direction", "--palette", "--palette-index"};
    if (family == QLatin1String("water-drip"))
        return {"--fg", "--bg"};
    if (family == QLatin1String("picture"))
        return pictureFamilyOptions();
    if (family == QLatin1String("text"))
        return textFamilyOptions();
    if (family == QLatin1String("notes"))
        return notesFamilyOptions();
    if (family == QLatin1String("palette-fill"))
        return paletteFillFamilyOptions();
    return {};
}

} // namespace

int runGenerate(const QStringList &args)
{
    const CliArgs a = parseCliArgs(args, {kOptions, kFlags, {}});
    if (const std::optional<int> done = endsAtParse(a, kName))
        return *done;
    if (a.positional.size() != 2)
        return usageError(kName, QStringLiteral("expected a family and an output file"));
    const QString family = a.positional.at(0);
    const QString out = a.positional.at(1);
    const QStringList own = familyOptions(family);
    if (own.isEmpty())
        return usageError(kName, QStringLiteral("unknown family '%1' (curtain, blinds, stacking, water-drip, picture, text, notes, palette-fill)").arg(family));
    const QStringList common = {"--in", "--rows", "--cols", "--current", "--area", "--add-mode"};
    for (auto it = a.options.cbegin(); it != a.options.cend(); ++it)
        if (!common.contains(it.key()) && !own.contains(it.key()))
            return usageError(kName, QStringLiteral("%1 does not apply to %2").arg(it.key(), family));

    CliNumbers opt(a);
    const bool fromFile = a.has("--in");
    if (fromFile && (a.has("--rows") || a.has("--cols")))
        return usageError(kName, QStringLiteral("give either --in or --rows and --cols"));
    if (!fromFile && !(a.has("--rows") && a.has("--cols")))
        return usageError(kName, QStringLiteral("give --in IN.wst, or --rows R and --cols C"));

    // The document to work on; nobody undoes a batch run, so the run keeps
    // no copies of the frames it overwrites.
    Document doc;
    doc.history().setLimitMegabytes(0);
    bool truncated = false;
    if (fromFile) {
        std::optional<ProjectData> data = loadProject(kName, a.text("--in"));
        if (!data)
            return ExitFailure;
        if (data->frames.empty()) {
            complain(kName, QStringLiteral("%1: the project has no frames").arg(a.text("--in")));
            return ExitFailure;
        }
        truncated = data->truncated;
        doc.replaceContents(data->geometry, std::move(data->frames));
    } else {
        const int rows = opt.number("--rows", 0, 1, kMaxGridSide);
        const int cols = opt.number("--cols", 0, 1, kMaxGridSide);
        if (!opt.error().isEmpty())
            return usageError(kName, opt.error());
        if (!gridSizeAllowed(rows, cols))
            return usageError(kName, QStringLiteral("a grid of %1 x %2 is too large").arg(rows).arg(cols));
        GridGeometry g;
        g.rows = int16_t(rows);
        g.cols = int16_t(cols);
        doc.setGeometry(g);
        doc.startNew(g);
    }

    const int current = opt.number("--current", 1, 1, doc.frameCount());
    const int addMode = opt.number("--add-mode", 0, 0, 2);
    BlockArea area;
    if (a.has("--area") && !parseArea(a.text("--area"), doc.rows(), doc.cols(), area))
        opt.fail(QStringLiteral("--area needs X0,Y0,X1,Y1 from 1 inside the %1 x %2 grid, not '%3'")
                     .arg(doc.cols())
                     .arg(doc.rows())
                     .arg(a.text("--area")));
    const bool stacking = family == QLatin1String("stacking");
    const int fg = opt.number("--fg", 0, 0, stacking ? kStackingForegroundItems - 1 : BasicColourList::kCount - 1);
    const int bg = opt.number("--bg", 7, 0, BasicColourList::kCount - 1);
    const int direction = opt.number("--direction", 0, 0, 3);
    if (!opt.error().isEmpty())
        return usageError(kName, opt.error());

    doc.goToFrame(current - 1);
    // The AddMode drop-down is also the frame constructor's copy switch.
    doc.setNewFrameCopiesCurrent(addMode != 0);
    PaletteState palette;
    PatternTarget target{doc, addMode, area, &palette};
    // Every message of a run (equal colours, too many frames) is a refusal.
    // The text's questions (black text, a line wider than the grid) are
    // answered yes: the command line asked for that text.
    CliPrompt prompt(kName, CliPrompt::Messages::ToStandardError,
                     [](PromptButtons) { return PromptAnswer::Yes; });

    int made = 0;
    if (family == QLatin1String("curtain")) {
        const CurtainParams p{fg, bg, opt.number("--step", 1), direction};
        if (!opt.error().isEmpty())
            return usageError(kName, opt.error());
        made = runCurtain(target, p, prompt);
    } else if (family == QLatin1String("blinds")) {
        const BlindsParams p{fg, bg, opt.number("--step", 1), direction, opt.number("--slats", 2), opt.number("--repeat", 1)};
        if (!opt.error().isEmpty())
            return usageError(kName, opt.error());
        made = runBlinds(target, p, prompt);
    } else if (stacking) {
        StackingParams p;
        p.foreground = fg;
        p.background = bg;
        p.blockHeight = opt.number("--block-height", 2);
        p.blockWidth = opt.number("--block-width", 2);
        p.frequency = opt.number("--frequency", 4);
        p.direction = direction;
        p.area = generationArea(area, doc.rows(), doc.cols());
        if (!readCliPalette(kName, a, doc.geometry().scanMode, palette))
            return ExitFailure;
        palette.selected = opt.number("--palette-index", 0, 0, std::max(palette.count() - 1, 0));
        if (!opt.error().isEmpty())
            return usageError(kName, opt.error());
        made = runStacking(target, p, prompt);
    } else if (family == QLatin1String("picture") || family == QLatin1String("text")) {
        QString usage;
        const std::optional<int> done = family == QLatin1String("picture")
                                            ? generatePictureFamily(a, target, prompt, usage)
                                            : generateTextFamily(a, target, prompt, usage);
        if (!done)
            return usageError(kName, usage);
        made = *done;
    } else if (family == QLatin1String("notes") || family == QLatin1String("palette-fill")) {
        if (!readCliPalette(kName, a, doc.geometry().scanMode, palette))
            return ExitFailure;
        const std::optional<int> ran = family == QLatin1String("notes")
                                           ? runNotesFamily(a, opt, target, prompt)
                                           : runPaletteFillFamily(a, opt, target, prompt);
        if (!ran)
            return usageError(kName, opt.error());
        made = *ran;
    } else {
        made = runWaterDrip(target, WaterDripParams{fg, bg, 0}, prompt);
    }
    if (prompt.complained())
        return ExitFailure;

    QString reason;
    if (!writeProjectFile(out, doc.geometry(), doc.frames(), &reason)) {
        complain(kName, QStringLiteral("%1: cannot write: %2").arg(out, reason));
        return ExitFailure;
    }
    printOut(QStringLiteral("%1 frames made; %2 holds %3 frames\n").arg(made).arg(out).arg(doc.frameCount()));
    return truncated ? ExitTruncated : ExitOk;
}

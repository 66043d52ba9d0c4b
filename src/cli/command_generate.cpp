// brightloom-cli generate FAMILY OUT.wst [--in IN.wst | --rows R --cols C] ...
//
// One run of a solid-colour pattern page, as the editor's dialog makes it,
// on a project file or on a new one-frame grid.
#include "cli_command.h"
#include "cli_support.h"

#include "document/document.h"
#include "document/new_grid.h"
#include "palette/palette_file.h"
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

// The colour message goes to standard error; nothing asks questions.
class ErrorStreamPrompt : public Prompt
{
public:
    void inform(const QString &text, PromptIcon, const QString &) override
    {
        complain(kName, text);
        shown = true;
    }
    PromptAnswer ask(const QString &text, PromptButtons, PromptIcon, const QString &) override
    {
        complain(kName, text);
        shown = true;
        return PromptAnswer::Cancel;
    }
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseSaveFile(const QString &, const QString &, const QString &) override { return {}; }

    bool shown = false;
};

// Reads integer options with their ranges; the first problem is kept.
class Options
{
public:
    explicit Options(const CliArgs &args) : m_args(args) {}

    int number(const char *name, int fallback, int low = INT_MIN, int high = INT_MAX)
    {
        const QString key = QString::fromLatin1(name);
        if (!m_args.options.contains(key))
            return fallback;
        bool ok = false;
        const int v = m_args.options.value(key).trimmed().toInt(&ok);
        if (!ok || v < low || v > high) {
            if (m_error.isEmpty())
                m_error = low == INT_MIN ? QStringLiteral("%1 needs a whole number, not '%2'").arg(key, m_args.options.value(key))
                                         : QStringLiteral("%1 needs a number from %2 to %3, not '%4'")
                                               .arg(key).arg(low).arg(high).arg(m_args.options.value(key));
            return fallback;
        }
        return v;
    }
    bool has(const char *name) const { return m_args.options.contains(QString::fromLatin1(name)); }
    QString text(const char *name) const { return m_args.options.value(QString::fromLatin1(name)); }
    void fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
    }
    const QString &error() const { return m_error; }

private:
    const CliArgs &m_args;
    QString m_error;
};

// "X0,Y0,X1,Y1", counted from 1, inclusive, inside the grid.
bool parseArea(const QString &text, int rows, int cols, BlockArea &area)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok) - 1;
        if (!ok)
            return false;
    }
    area.defined = true;
    area.x0 = v[0];
    area.y0 = v[1];
    area.x1 = v[2];
    area.y1 = v[3];
    return area.usable(rows, cols);
}

const QStringList kOptions = {
    QStringLiteral("--in"),         QStringLiteral("--rows"),          QStringLiteral("--cols"),
    QStringLiteral("--current"),    QStringLiteral("--area"),          QStringLiteral("--add-mode"),
    QStringLiteral("--fg"),         QStringLiteral("--bg"),            QStringLiteral("--step"),
    QStringLiteral("--direction"),  QStringLiteral("--slats"),         QStringLiteral("--repeat"),
    QStringLiteral("--block-height"), QStringLiteral("--block-width"), QStringLiteral("--frequency"),
    QStringLiteral("--palette"),    QStringLiteral("--palette-index"),
};

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
    return {};
}

} // namespace

int runGenerate(const QStringList &args)
{
    const CliArgs a = parseCliArgs(args, kOptions);
    if (!a.error.isEmpty())
        return usageError(kName, a.error);
    if (a.help) {
        printOut(commandHelp(kName));
        return ExitOk;
    }
    if (a.positional.size() != 2)
        return usageError(kName, QStringLiteral("expected a family and an output file"));
    const QString family = a.positional.at(0);
    const QString out = a.positional.at(1);
    const QStringList own = familyOptions(family);
    if (own.isEmpty())
        return usageError(kName, QStringLiteral("unknown family '%1' (curtain, blinds, stacking, water-drip)").arg(family));
    const QStringList common = {"--in", "--rows", "--cols", "--current", "--area", "--add-mode"};
    for (auto it = a.options.cbegin(); it != a.options.cend(); ++it)
        if (!common.contains(it.key()) && !own.contains(it.key()))
            return usageError(kName, QStringLiteral("%1 does not apply to %2").arg(it.key(), family));

    Options opt(a);
    const bool fromFile = opt.has("--in");
    if (fromFile && (opt.has("--rows") || opt.has("--cols")))
        return usageError(kName, QStringLiteral("give either --in or --rows and --cols"));
    if (!fromFile && !(opt.has("--rows") && opt.has("--cols")))
        return usageError(kName, QStringLiteral("give --in IN.wst, or --rows R and --cols C"));

    // The document to work on.
    Document doc;
    bool truncated = false;
    if (fromFile) {
        std::optional<ProjectData> data = loadProject(kName, opt.text("--in"));
        if (!data)
            return ExitFailure;
        if (data->frames.empty()) {
            complain(kName, QStringLiteral("%1: the project has no frames").arg(opt.text("--in")));
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
    if (opt.has("--area") && !parseArea(opt.text("--area"), doc.rows(), doc.cols(), area))
        opt.fail(QStringLiteral("--area needs X0,Y0,X1,Y1 from 1 inside the %1 x %2 grid, not '%3'")
                     .arg(doc.cols())
                     .arg(doc.rows())
                     .arg(opt.text("--area")));
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
    ErrorStreamPrompt prompt;

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
        if (opt.has("--palette")) {
            // A gradient program's palette is refused by a normal program,
            // as the palette bar refuses it.
            PaletteFileRead read = readPaletteFile(opt.text("--palette"), doc.geometry().scanMode);
            if (read.error != PaletteFileRead::None) {
                complain(kName, QStringLiteral("%1: %2").arg(opt.text("--palette"), paletteReadErrorText(read.error)));
                return ExitFailure;
            }
            palette.colours = std::move(read.colours);
        }
        palette.selected = opt.number("--palette-index", 0, 0, std::max(palette.count() - 1, 0));
        if (!opt.error().isEmpty())
            return usageError(kName, opt.error());
        made = runStacking(target, p, prompt);
    } else {
        made = runWaterDrip(target, WaterDripParams{fg, bg, 0}, prompt);
    }
    if (prompt.shown)
        return ExitFailure;

    QString reason;
    if (!writeProjectFile(out, doc.geometry(), doc.frames(), &reason)) {
        complain(kName, QStringLiteral("%1: cannot write: %2").arg(out, reason));
        return ExitFailure;
    }
    printOut(QStringLiteral("%1 frames made; %2 holds %3 frames\n").arg(made).arg(out).arg(doc.frameCount()));
    return truncated ? ExitTruncated : ExitOk;
}

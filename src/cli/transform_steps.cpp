#include "transform_steps.h"

#include "cli_support.h"

#include "document/colour_replace.h"
#include "document/document.h"
#include "document/frame_repeat.h"
#include "document/transform_resize.h"
#include "document/transform_rotate.h"
#include "document/transform_rows.h"
#include "editing/invert.h"

#include <QRegularExpression>

namespace {

struct Flag
{
    const char *name;
    TransformStep::Kind kind;
};

const Flag kPlainSteps[] = {
    {"--rotate", TransformStep::Rotate},       {"--odd-rows", TransformStep::OddRows},
    {"--even-rows", TransformStep::EvenRows},  {"--add-row", TransformStep::AddRow},
    {"--delete-row", TransformStep::DeleteRow}, {"--add-col", TransformStep::AddCol},
    {"--delete-col", TransformStep::DeleteCol},
};

const Flag kRangeSteps[] = {
    {"--invert", TransformStep::Invert},
    {"--repeat", TransformStep::Repeat},
    {"--replace-rgb", TransformStep::ReplaceRgb},
};

// "A-B" for invert, "A-B:N" for repeat and replace-rgb. A and B are frame
// numbers from 1 (whether they fit is checked when the step runs, against
// the frames there are then); N may be negative for repeat.
bool parseValue(TransformStep &s, const QString &value, QString *error)
{
    static const QRegularExpression range(QStringLiteral("^(\\d{1,9})-(\\d{1,9})$"));
    static const QRegularExpression rangeCount(QStringLiteral("^(\\d{1,9})-(\\d{1,9}):(-?\\d{1,9})$"));
    const bool wantsCount = s.kind != TransformStep::Invert;
    const QRegularExpressionMatch m = (wantsCount ? rangeCount : range).match(value);
    if (!m.hasMatch()) {
        *error = QStringLiteral("%1 expects %2, not '%3'")
                     .arg(s.option, wantsCount ? QStringLiteral("A-B:N") : QStringLiteral("A-B"), value);
        return false;
    }
    // At most nine digits each: always within an int.
    s.start = *parseNumber(m.captured(1));
    s.last = *parseNumber(m.captured(2));
    if (wantsCount)
        s.value = *parseNumber(m.captured(3));
    if (s.kind == TransformStep::ReplaceRgb && (s.value < 0 || s.value >= kComponentOrderCount)) {
        *error = QStringLiteral("%1: the component order index must be 0..4, not %2").arg(s.option).arg(s.value);
        return false;
    }
    return true;
}

} // namespace

TransformPlan parseTransformArgs(const QStringList &args)
{
    CliOptionSpec spec;
    for (const Flag &f : kPlainSteps)
        spec.flags << QLatin1String(f.name);
    for (const Flag &f : kRangeSteps)
        spec.values << QLatin1String(f.name);
    spec.repeatable = spec.flags + spec.values;
    const CliArgs a = parseCliArgs(args, spec);

    TransformPlan plan;
    plan.files = a.positional;
    plan.help = a.help;
    plan.error = a.error;
    if (!plan.error.isEmpty())
        return plan;
    for (const CliOption &o : a.given) {
        for (const Flag &f : kPlainSteps)
            if (o.name == QLatin1String(f.name))
                plan.steps.push_back(TransformStep{f.kind, 0, 0, 0, o.name});
        for (const Flag &f : kRangeSteps)
            if (o.name == QLatin1String(f.name)) {
                TransformStep s{f.kind, 0, 0, 0, o.name + QLatin1Char(' ') + o.value};
                if (!parseValue(s, o.value, &plan.error))
                    return plan;
                plan.steps.push_back(s);
            }
    }
    return plan;
}

QString applyTransformStep(Document &doc, const TransformStep &s, QString *note)
{
    auto did = [&](bool applied, const QString &why) {
        if (!applied && note)
            *note = QStringLiteral("%1: %2; nothing done").arg(s.option, why);
        return QString();
    };
    switch (s.kind) {
    case TransformStep::Rotate: return did(rotateQuarterTurn(doc), QStringLiteral("no frames"));
    case TransformStep::OddRows: return did(extractRows(doc, RowParity::Odd), QStringLiteral("no frames"));
    case TransformStep::EvenRows: return did(extractRows(doc, RowParity::Even), QStringLiteral("no frames"));
    case TransformStep::AddRow: return did(addRow(doc), QStringLiteral("the grid cannot grow further"));
    case TransformStep::DeleteRow: return did(deleteRow(doc), QStringLiteral("the grid has one row"));
    case TransformStep::AddCol: return did(addColumn(doc), QStringLiteral("the grid cannot grow further"));
    case TransformStep::DeleteCol: return did(deleteColumn(doc), QStringLiteral("the grid has one column"));
    default: break;
    }

    const std::optional<FrameRange> range = FrameRange::fromDialog(s.start, s.last, doc.frameCount());
    if (!range)
        return frameRangeErrorText();
    switch (s.kind) {
    case TransformStep::Invert:
        invertFrames(doc, *range, BlockArea{});
        return QString();
    case TransformStep::Repeat:
        if (repeatFrames(doc, *range, s.value) == RepeatResult::TooManyFrames)
            return tooManyFramesText();
        return QString();
    case TransformStep::ReplaceRgb: {
        ColourReplacement r; // the two opening custom colours differ
        r.reorder = true;
        r.order = ComponentOrder(s.value);
        replaceColours(doc, *range, r);
        return QString();
    }
    default: return QString();
    }
}

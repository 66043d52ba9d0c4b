#include "transforms/transform_commands.h"

#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "document/transform_resize.h"
#include "document/transform_rotate.h"
#include "document/transform_rows.h"
#include "transforms/brightness_dialog.h"
#include "transforms/colour_replace_dialog.h"
#include "transforms/frame_repeat_dialog.h"

#include <functional>

namespace {

// Transforms work on the frames of an open project; the start-up document
// has none.
bool hasFrames(const AppContext &ctx) { return ctx.doc.frameCount() > 0; }

// Commands that replace or add frames stop playback first, so no timer
// tick and no Stop refers to a frame that was freed.
void stopPlayback(AppContext &ctx)
{
    if (ctx.commands.isEnabled(Cmd::Stop))
        ctx.commands.trigger(Cmd::Stop);
}

void addWholeDocument(AppContext &ctx, int id, std::function<bool(Document &)> transform)
{
    ctx.commands.add(
        id,
        [&ctx, transform] {
            stopPlayback(ctx);
            transform(ctx.doc);
        },
        [&ctx] { return hasFrames(ctx); });
}

} // namespace

void registerTransformCommands(AppContext &ctx)
{
    addWholeDocument(ctx, Cmd::Rotate90, rotateQuarterTurn);
    addWholeDocument(ctx, Cmd::OddRows, [](Document &d) { return extractRows(d, RowParity::Odd); });
    addWholeDocument(ctx, Cmd::EvenRows, [](Document &d) { return extractRows(d, RowParity::Even); });
    addWholeDocument(ctx, Cmd::AddRow, addRow);
    addWholeDocument(ctx, Cmd::DeleteRow, deleteRow);
    addWholeDocument(ctx, Cmd::AddCol, addColumn);
    addWholeDocument(ctx, Cmd::DeleteCol, deleteColumn);

    ctx.commands.add(
        Cmd::ColourReplace,
        [&ctx] {
            ColourReplaceDialog dialog(ctx.doc, ctx.prompt, ctx.window);
            dialog.exec();
        },
        [&ctx] { return hasFrames(ctx); });
    ctx.commands.add(
        Cmd::FrameRepeat,
        [&ctx] {
            stopPlayback(ctx);
            FrameRepeatDialog dialog(ctx.doc, ctx.prompt, ctx.window);
            dialog.exec();
        },
        [&ctx] { return hasFrames(ctx); });
    ctx.commands.add(
        Cmd::Brightness,
        [&ctx] {
            BrightnessDialog dialog(ctx.doc, ctx.editing.area, ctx.prompt, ctx.window);
            dialog.exec();
        },
        [&ctx] { return hasFrames(ctx); });
}

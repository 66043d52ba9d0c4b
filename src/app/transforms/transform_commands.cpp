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

// A transform of the whole document as a menu command.
Command wholeDocument(AppContext &ctx, int id, const char *english, const char *chinese, MenuPlace place,
                      std::function<bool(Document &)> transform)
{
    return Command(id, english, chinese)
        .in(place)
        .runs([&ctx, transform] {
            stopPlayback(ctx);
            transform(ctx.doc);
        })
        .enabledWhen([&ctx] { return hasFrames(ctx); });
}

} // namespace

void registerTransformCommands(AppContext &ctx)
{
    const auto framesThere = [&ctx] { return hasFrames(ctx); };
    const MenuTitle picture = MenuTitle::Picture;
    ctx.commands.add({
        Command(Cmd::FrameRepeat, "Repeat Frames...", "帧重复")
            .in({picture, 1, 20})
            .runs([&ctx] {
                stopPlayback(ctx);
                FrameRepeatDialog dialog(ctx.doc, ctx.prompt, ctx.window);
                dialog.exec();
            })
            .enabledWhen(framesThere),
        Command(Cmd::ColourReplace, "Replace Colour...\tCtrl+R", "颜色替换\tCtrl+R")
            .in({picture, 1, 30})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_R)})
            .runs([&ctx] {
                ColourReplaceDialog dialog(ctx.doc, ctx.prompt, ctx.window);
                dialog.exec();
            })
            .enabledWhen(framesThere),
        Command(Cmd::Brightness, "Brightness...", "调整亮度")
            .in({picture, 1, 40})
            .runs([&ctx] {
                BrightnessDialog dialog(ctx.doc, ctx.editing.area, ctx.prompt, ctx.window);
                dialog.exec();
            })
            .enabledWhen(framesThere),
        wholeDocument(ctx, Cmd::Rotate90, "&Rotate 90°", "旋转90度(&R)", {picture, 2, 10}, rotateQuarterTurn),
        wholeDocument(ctx, Cmd::OddRows, "Keep &Odd Rows", "提取奇数行(&T)", {picture, 2, 20},
                      [](Document &d) { return extractRows(d, RowParity::Odd); }),
        wholeDocument(ctx, Cmd::EvenRows, "Keep &Even Rows", "提取偶数行(&O)", {picture, 2, 30},
                      [](Document &d) { return extractRows(d, RowParity::Even); }),
        wholeDocument(ctx, Cmd::AddRow, "&Add Row", "增加一行(&A)", {picture, 3, 10}, addRow),
        wholeDocument(ctx, Cmd::DeleteRow, "&Delete Row", "删除一行(&D)", {picture, 3, 20}, deleteRow),
        wholeDocument(ctx, Cmd::AddCol, "Add &Column", "增加一列(&I)", {picture, 3, 30}, addColumn),
        wholeDocument(ctx, Cmd::DeleteCol, "De&lete Column", "删除一列(&E)", {picture, 3, 40}, deleteColumn),
    });
}

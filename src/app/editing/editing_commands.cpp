#include "editing/editing_commands.h"

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "editing/block_geometry.h"
#include "editing/frame_range_dialog.h"
#include "editing/painting_tool.h"
#include "editing/paste.h"
#include "editing/paste_dialog.h"
#include "editing/range_operations.h"
#include "settings/prompt.h"

#include <QWidget>
#include <memory>

namespace {

void openRangeDialog(AppContext &ctx, RangeOperation op)
{
    const int mode = frameRangeMode(op, ctx.editing.area.usable(ctx.doc.rows(), ctx.doc.cols()));
    FrameRangeDialog dialog(ctx, mode, ctx.window);
    dialog.exec();
}

void paste(AppContext &ctx)
{
    if (ctx.editing.clipboard.empty()) {
        ctx.prompt.inform(clipboardEmptyText(), PromptIcon::Warning);
        return;
    }
    PasteDialog dialog(ctx, ctx.window);
    dialog.exec();
}

} // namespace

void registerEditingCommands(AppContext &ctx)
{
    const auto hasFrames = [&ctx] { return ctx.doc.frameCount() > 0; };
    ctx.commands.add(Cmd::EditCut, [&ctx] { openRangeDialog(ctx, RangeOperation::Cut); }, hasFrames);
    ctx.commands.add(Cmd::EditCopy, [&ctx] { openRangeDialog(ctx, RangeOperation::Copy); }, hasFrames);
    ctx.commands.add(Cmd::EditDelete, [&ctx] { openRangeDialog(ctx, RangeOperation::Delete); }, hasFrames);
    ctx.commands.add(Cmd::ColourReverse, [&ctx] { openRangeDialog(ctx, RangeOperation::Invert); }, hasFrames);
    ctx.commands.add(Cmd::EditPaste, [&ctx] { paste(ctx); }, hasFrames);

    // New and Open discard the block, and so does any change of Rows or
    // Cols: its coordinates belong to the old grid.
    auto size = std::make_shared<std::pair<int, int>>(ctx.doc.rows(), ctx.doc.cols());
    QObject::connect(&ctx.doc, &Document::contentsReplaced, &ctx.commands, [&ctx, size] {
        *size = {ctx.doc.rows(), ctx.doc.cols()};
        discardArea(ctx.editing.area, ctx.doc.rows(), ctx.doc.cols());
    });
    QObject::connect(&ctx.doc, &Document::geometryChanged, &ctx.commands, [&ctx, size] {
        if (size->first == ctx.doc.rows() && size->second == ctx.doc.cols())
            return;
        *size = {ctx.doc.rows(), ctx.doc.cols()};
        discardArea(ctx.editing.area, ctx.doc.rows(), ctx.doc.cols());
    });
}

PaintingTool *installPaintingTool(AppContext &ctx, CanvasView &view)
{
    auto *tool = new PaintingTool(ctx, &view);
    tool->setObjectName(QStringLiteral("PaintingTool"));
    view.setTool(tool);
    return tool;
}

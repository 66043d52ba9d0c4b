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
    const auto range = [&ctx](RangeOperation op) { return [&ctx, op] { openRangeDialog(ctx, op); }; };
    ctx.commands.add({
        // Undo has no handler yet: it stays disabled.
        {.id = Cmd::EditUndo,
         .english = "Undo(&U)\tCtrl+Z",
         .chinese = "撤消(&U)\tCtrl+Z",
         .place = MenuPlace{MenuTitle::Edit, 1, 10},
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {.id = Cmd::EditCut,
         .english = "Cut(&T)\tCtrl+X",
         .chinese = "剪切(&T)\tCtrl+X",
         .place = MenuPlace{MenuTitle::Edit, 2, 10},
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
         .run = range(RangeOperation::Cut),
         .enabled = hasFrames},
        {.id = Cmd::EditCopy,
         .english = "Copy(&C)\tCtrl+C",
         .chinese = "复制(&C)\tCtrl+C",
         .place = MenuPlace{MenuTitle::Edit, 2, 20},
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
         .run = range(RangeOperation::Copy),
         .enabled = hasFrames},
        {.id = Cmd::EditPaste,
         .english = "Paste(&P)\tCtrl+V",
         .chinese = "粘贴(&P)\tCtrl+V",
         .place = MenuPlace{MenuTitle::Edit, 2, 30},
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
         .run = [&ctx] { paste(ctx); },
         .enabled = hasFrames},
        // Del and Shift+C are the canvas's own keys, taken while it has the
        // focus.
        {.id = Cmd::EditDelete,
         .english = "Delete\tDel",
         .chinese = "删除(&D)\tDel",
         .place = MenuPlace{MenuTitle::Edit, 2, 40},
         .run = range(RangeOperation::Delete),
         .enabled = hasFrames},
        {.id = Cmd::ColourReverse,
         .english = "Color reverse\tShift+C",
         .chinese = "反色",
         .place = MenuPlace{MenuTitle::Picture, 1, 10},
         .run = range(RangeOperation::Invert),
         .enabled = hasFrames},
    });

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

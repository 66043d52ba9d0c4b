#include "editing/editing_commands.h"

#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "document/edit_history.h"
#include "document/edit_name.h"
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

// Undo or redo. The current tool page's own history goes first (the " Line "
// page: its wiring steps); otherwise the frames', where an entry that adds
// or removes frames stops playback first, so no tick refers to a frame
// that is gone.
void stepHistory(AppContext &ctx, bool back)
{
    if (PageHistory *page = ctx.editing.pageHistory) {
        if (back)
            page->undo();
        else
            page->redo();
        return;
    }
    EditHistory &history = ctx.doc.history();
    const bool listChanges = back ? history.undoChangesFrameList() : history.redoChangesFrameList();
    if (listChanges && ctx.commands.isEnabled(Cmd::Stop))
        ctx.commands.trigger(Cmd::Stop);
    if (back)
        history.undo();
    else
        history.redo();
}

std::vector<Command> historyCommands(AppContext &ctx)
{
    EditHistory &history = ctx.doc.history();
    // The limit comes from the settings ("UndoMemoryMB"); an edit too large
    // for it is told through the prompt.
    history.setLimitMegabytes(ctx.settings.undoMemoryMB);
    history.setPrompt(&ctx.prompt);
    const auto retext = [&ctx] {
        emit ctx.commands.textChanged(Cmd::EditUndo);
        emit ctx.commands.textChanged(Cmd::EditRedo);
    };
    QObject::connect(&history, &EditHistory::changed, &ctx.commands, retext);
    QObject::connect(&ctx.editing, &EditingState::pageHistoryChanged, &ctx.commands, retext);
    QObject::connect(&ctx.events, &AppEvents::languageChanged, &history, &EditHistory::retext);
    const auto page = [&ctx]() -> PageHistory * { return ctx.editing.pageHistory; };
    return {
        Command(Cmd::EditUndo, "&Undo\tCtrl+Z", "撤销(&U)\tCtrl+Z")
            .in({MenuTitle::Edit, 1, 10})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)})
            .textFrom([&history, page] {
                return undoItemText(page() ? page()->undoName() : history.undoName()) + QStringLiteral("\tCtrl+Z");
            })
            .runs([&ctx] { stepHistory(ctx, true); })
            .enabledWhen([&history, page] { return page() ? page()->canUndo() : history.canUndo(); }),
        Command(Cmd::EditRedo, "&Redo\tCtrl+Y", "重做(&R)\tCtrl+Y")
            .in({MenuTitle::Edit, 1, 20})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
            .textFrom([&history, page] {
                return redoItemText(page() ? page()->redoName() : history.redoName()) + QStringLiteral("\tCtrl+Y");
            })
            .runs([&ctx] { stepHistory(ctx, false); })
            .enabledWhen([&history, page] { return page() ? page()->canRedo() : history.canRedo(); }),
    };
}

} // namespace

void registerEditingCommands(AppContext &ctx)
{
    ctx.commands.add(historyCommands(ctx));
    const auto hasFrames = [&ctx] { return ctx.doc.frameCount() > 0; };
    const auto range = [&ctx](RangeOperation op) { return [&ctx, op] { openRangeDialog(ctx, op); }; };
    ctx.commands.add({
        Command(Cmd::EditCut, "Cu&t\tCtrl+X", "剪切(&T)\tCtrl+X")
            .in({MenuTitle::Edit, 2, 10})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)})
            .runs(range(RangeOperation::Cut))
            .enabledWhen(hasFrames),
        Command(Cmd::EditCopy, "&Copy\tCtrl+C", "复制(&C)\tCtrl+C")
            .in({MenuTitle::Edit, 2, 20})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)})
            .runs(range(RangeOperation::Copy))
            .enabledWhen(hasFrames),
        Command(Cmd::EditPaste, "&Paste\tCtrl+V", "粘贴(&P)\tCtrl+V")
            .in({MenuTitle::Edit, 2, 30})
            .keys({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)})
            .runs([&ctx] { paste(ctx); })
            .enabledWhen(hasFrames),
        // Del and Shift+C are the canvas's own keys, taken while it has the
        // focus.
        Command(Cmd::EditDelete, "&Delete\tDel", "删除(&D)\tDel")
            .in({MenuTitle::Edit, 2, 40})
            .runs(range(RangeOperation::Delete))
            .enabledWhen(hasFrames),
        Command(Cmd::ColourReverse, "Invert Colours\tShift+C", "反色")
            .in({MenuTitle::Picture, 1, 10})
            .runs(range(RangeOperation::Invert))
            .enabledWhen(hasFrames),
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

// The canvas's key table: playback, delete, zoom, pan, the operation
// panel's letter buttons and two colour commands. Every handled key redraws
// the canvas; any other key goes on to the default handling.

#include "canvas/canvas_tool.h"
#include "canvas/canvas_view.h"
#include "common/app_context.h"
#include "common/command_ids.h"
#include "common/command_registry.h"

#include <QCursor>
#include <QKeyEvent>

void CanvasView::keyPressEvent(QKeyEvent *event)
{
    // A key that arrives while the previous one is still being handled (a
    // command that opened a dialog, a long transform) is dropped.
    if (m_inKey) {
        event->accept();
        return;
    }
    m_inKey = true;
    const bool handled = (m_tool && m_tool->keyPress(*this, event)) || handleKey(event);
    m_inKey = false;
    if (!handled) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    update();
}

bool CanvasView::handleKey(QKeyEvent *event)
{
    using Dir = CanvasGeometry::PanDirection;
    using Step = CanvasGeometry::PanStep;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool alt = mods & Qt::AltModifier;
    CommandRegistry &commands = m_ctx.commands;
    const Step panStep = ctrl ? Step::Whole : shift ? Step::Triple : Step::Third;

    switch (event->key()) {
    case Qt::Key_F5:
        commands.trigger(Cmd::Play);
        return true;
    case Qt::Key_F7:
    case Qt::Key_Escape:
        commands.trigger(Cmd::Stop);
        return true;
    case Qt::Key_Delete:
        commands.trigger(Cmd::EditDelete);
        return true;
    case Qt::Key_Home:
        actualSize();
        return true;
    // "=" and "+" share a key on most keyboards; the numeric pad's plus
    // arrives as Key_Plus with the keypad modifier.
    case Qt::Key_Equal:
    case Qt::Key_Plus:
    case Qt::Key_PageUp:
        zoomIn(ctrl, mapFromGlobal(QCursor::pos()));
        return true;
    case Qt::Key_Minus:
    case Qt::Key_PageDown:
        zoomOut(ctrl, mapFromGlobal(QCursor::pos()));
        return true;
    case Qt::Key_Left:
        pan(Dir::Left, panStep);
        return true;
    case Qt::Key_Right:
        pan(Dir::Right, panStep);
        return true;
    case Qt::Key_Up:
        pan(Dir::Up, panStep);
        return true;
    case Qt::Key_Down:
        pan(Dir::Down, panStep);
        return true;
    case Qt::Key_C:
        if (shift && !ctrl && !alt) {
            commands.trigger(Cmd::ColourReverse);
            return true;
        }
        return false;
    case Qt::Key_R:
        if (ctrl && !alt) {
            commands.trigger(Cmd::ColourReplace);
            return true;
        }
        return false;
    case Qt::Key_A:
    case Qt::Key_B:
    case Qt::Key_D:
    case Qt::Key_F:
    case Qt::Key_S:
    case Qt::Key_W:
        if (ctrl || alt || !onPatternKey)
            return false;
        onPatternKey(char('A' + (event->key() - Qt::Key_A)));
        return true;
    default:
        return false;
    }
}

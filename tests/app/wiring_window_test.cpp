// The wiring page inside the whole editor: the " Line " tab, the status
// bar's message pane and the circuitry check in the "硬件配置" menu.
#include "shell_test_support.h"

#include "canvas/canvas_view.h"
#include "common/command_ids.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_tool_page.h"

#include <QLabel>
#include <QTabWidget>
#include <QTest>

namespace {

// A mouse event at the centre of a grid cell of the canvas.
void sendMouse(CanvasView &v, QEvent::Type type, QPoint cell, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers)
{
    const QPoint p = v.canvasGeometry().cellCentre(cell.x(), cell.y());
    QMouseEvent ev(type, QPointF(p), v.mapToGlobal(QPointF(p)), button, buttons, modifiers);
    QCoreApplication::sendEvent(&v, &ev);
}

} // namespace

class WiringWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void lineTabDrivesTheStatusBarAndTheCheck()
    {
        TestEditor e;
        e.makeFrames(3, 4, 1);
        e.window().toolTabs()->setCurrentIndex(2);
        auto *page = qobject_cast<WiringToolPage *>(e.window().toolTabs()->widget(2));
        QVERIFY(page && page->isWiringMode());
        QCOMPARE(e.doc().wiring().kind(), CircuitryKind::Led);
        QCOMPARE(e.window().statusPane(0)->text(),
                 QStringLiteral("Control mode with Ctrl, Shift and Alt. Mouse decides directions."));

        CanvasView &v = *e.window().canvas();
        const auto send = [&](QEvent::Type type, QPoint cell, Qt::MouseButton button, Qt::MouseButtons buttons) {
            sendMouse(v, type, cell, button, buttons, Qt::AltModifier);
        };
        send(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, {3, 2}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(e.window().statusPane(0)->text(), QStringLiteral("X:1,Y:1,W:3,H:2"));
        send(QEvent::MouseButtonRelease, {3, 2}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(e.doc().wiring().count(), 12);
        QCOMPARE(page->editor().fillCode(), 8); // Alt: column snake

        QVERIFY(e.commands().isEnabled(Cmd::CircuitryCheck));
        QVERIFY(e.commands().trigger(Cmd::CircuitryCheck));
        QCOMPARE(e.prompt.lastText(), QStringLiteral("Check passed: no errors."));
        e.commands().trigger(Cmd::LanguageChinese);
        QVERIFY(e.commands().trigger(Cmd::CircuitryCheck));
        QCOMPARE(e.prompt.lastText(), QStringLiteral("检查通过,没有错误。"));
    }

    void theWiringPaneAndTheCellReadOutCountAlike()
    {
        TestEditor e;
        e.makeFrames(3, 4, 1);
        e.window().toolTabs()->setCurrentIndex(2);
        CanvasView &v = *e.window().canvas();
        const auto send = [&](QEvent::Type type, QPoint cell, Qt::MouseButton button, Qt::MouseButtons buttons) {
            sendMouse(v, type, cell, button, buttons, Qt::NoModifier);
        };
        // The third column of the second row, as both panes say.
        send(QEvent::MouseMove, {2, 1}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(e.window().statusPane(1)->text(), QStringLiteral("Row: 2, Column: 3"));
        send(QEvent::MouseButtonPress, {2, 1}, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, {3, 2}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(e.window().statusPane(0)->text(), QStringLiteral("X:3,Y:2,W:1,H:1"));
        send(QEvent::MouseButtonRelease, {3, 2}, Qt::LeftButton, Qt::NoButton);
    }
};

#include "app_test.h"
APP_TEST(WiringWindowTest)
#include "wiring_window_test.moc"

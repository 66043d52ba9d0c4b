// The wiring page and the canvas in wiring mode, driven by real mouse
// events on the offscreen platform.
#include "canvas_fixture.h"
#include "common/command_ids.h"
#include "document/wiring.h"
#include "wiring/port_picker.h"
#include "wiring/wiring_canvas_tool.h"
#include "wiring/wiring_commands.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_tool_page.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <cmath>

namespace {

QPoint centre(const CanvasView &v, int x, int y) { return v.canvasGeometry().cellCentre(x, y); }

void send(CanvasView &v, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers mods)
{
    QMouseEvent e(type, QPointF(p), v.mapToGlobal(QPointF(p)), button, buttons, mods);
    QCoreApplication::sendEvent(&v, &e);
}

// A drag with the left button from one cell centre to another.
void drag(CanvasView &v, QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    send(v, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, mods);
    send(v, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, mods);
    send(v, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, mods);
    send(v, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, mods);
}

struct WiringFixture : CanvasFixture
{
    WiringFixture() : CanvasFixture(true, smallGrid(3, 3)), page(ctx)
    {
        registerWiringCommands(ctx);
        QObject::connect(&view, &CanvasView::statusTextChanged,
                         [this](int pane, const QString &text) { panes[pane] = text; });
        page.setWiringMode(true, &view);
    }
    WiringToolPage page;
    QMap<int, QString> panes;
};

} // namespace

class WiringPageTest : public QObject
{
    Q_OBJECT
private slots:
    void enteringWiringModeTakesTheCanvas()
    {
        CanvasFixture f(true, smallGrid(3, 3));
        WiringToolPage page(f.ctx);
        QMap<int, QString> panes;
        connect(&f.view, &CanvasView::statusTextChanged, [&](int pane, const QString &t) { panes[pane] = t; });
        QVERIFY(f.view.tool() == nullptr);
        page.portBox()->setValue(9);
        page.setWiringMode(true, &f.view);
        QCOMPARE(f.doc.wiring().kind(), CircuitryKind::Led);
        QCOMPARE(page.portBox()->value(), 1);
        QVERIFY(f.view.tool() == &page.canvasTool());
        QCOMPARE(panes.value(0), QStringLiteral("Control mode with Ctrl, Shift and Alt. Mouse decides directions."));
        page.setWiringMode(false, &f.view);
        QVERIFY(f.view.tool() == nullptr);
    }

    void ctrlDragNumbersASnake()
    {
        WiringFixture f;
        drag(f.view, centre(f.view, 0, 0), centre(f.view, 2, 2), Qt::ControlModifier);
        const Wiring &w = f.doc.wiring();
        QCOMPARE(w.count(), 9);
        const QPoint snake[9] = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1}, {0, 1}, {0, 2}, {1, 2}, {2, 2}};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(w.pixel(i).pixel, i);
            QCOMPARE(QPoint(w.pixel(i).column, w.pixel(i).row), snake[i]);
            QCOMPARE(w.pixel(i).port, 0);
        }
        QCOMPARE(f.panes.value(0), QStringLiteral("X:1,Y:1,W:2,H:2"));
    }

    void dragWithoutModifierFromBottomRightRunsBackwards()
    {
        WiringFixture f;
        f.page.portBox()->setValue(4);
        drag(f.view, centre(f.view, 2, 1), centre(f.view, 0, 0));
        const Wiring &w = f.doc.wiring();
        QCOMPARE(w.count(), 6);
        QCOMPARE(QPoint(w.pixel(0).column, w.pixel(0).row), QPoint(2, 1));
        QCOMPARE(QPoint(w.pixel(5).column, w.pixel(5).row), QPoint(0, 0));
        QCOMPARE(w.pixel(5).port, 3);
    }

    void portPickerSetsThePortBox()
    {
        WiringFixture f;
        PortPicker *picker = f.page.portPicker();
        picker->resize(160, 80); // swatches of 20 x 20
        QCOMPARE(picker->portAt(QPoint(50, 30)), 11);
        QTest::mouseClick(picker, Qt::LeftButton, Qt::NoModifier, QPoint(50, 30));
        QCOMPARE(f.page.portBox()->value(), 11);
        QCOMPARE(f.page.editor().portBox(), 11);
        QTest::mouseClick(picker, Qt::LeftButton, Qt::NoModifier, QPoint(159, 79));
        QCOMPARE(f.page.portBox()->value(), 32);
        // The next drag wires port 32 (31 inside).
        drag(f.view, centre(f.view, 1, 1), centre(f.view, 1, 1));
        QCOMPARE(f.doc.wiring().pixel(0).port, 31);
    }

    void portBoxZeroIsRefused()
    {
        WiringFixture f;
        f.page.portBox()->setValue(0);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("Port set error!"));
        QCOMPARE(f.prompt.shown.back().icon, PromptIcon::Error);
    }

    void wiringDisplayDrawsCellsInPortColours()
    {
        WiringFixture f;
        f.page.portBox()->setValue(2);
        drag(f.view, centre(f.view, 0, 0), centre(f.view, 1, 0));
        const QImage img = f.view.renderImage();
        const QPoint wired = centre(f.view, 1, 0);
        QCOMPARE(pixelColour(img, wired.x(), wired.y()), portColour(1));
        // An unwired cell's ellipse is black inside; the frame colours are
        // not shown in wiring mode.
        const QPoint unwired = centre(f.view, 2, 2);
        QCOMPARE(pixelColour(img, unwired.x(), unwired.y()), 0u);
        // The hover text shows the port and pixel from 1.
        send(f.view, QEvent::MouseMove, wired, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCOMPARE(f.panes.value(3), QStringLiteral("Port 2, pixel 2"));
    }

    void theFrameCountPaneIsOnlyLentToTheAssignment()
    {
        WiringFixture f;
        const QString count = QStringLiteral("Total frames: 1");
        drag(f.view, centre(f.view, 0, 0), centre(f.view, 1, 0));
        send(f.view, QEvent::MouseMove, centre(f.view, 1, 0), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCOMPARE(f.panes.value(3), QStringLiteral("Port 1, pixel 2"));
        // An unwired cell gives the pane back to the frame count.
        send(f.view, QEvent::MouseMove, centre(f.view, 2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCOMPARE(f.panes.value(3), count);
        // So does the mouse leaving the canvas.
        send(f.view, QEvent::MouseMove, centre(f.view, 0, 0), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCOMPARE(f.panes.value(3), QStringLiteral("Port 1, pixel 1"));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&f.view, &leave);
        QCOMPARE(f.panes.value(3), count);
        // And leaving wiring mode with the mouse on a wired cell.
        send(f.view, QEvent::MouseMove, centre(f.view, 0, 0), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCOMPARE(f.panes.value(3), QStringLiteral("Port 1, pixel 1"));
        f.page.setWiringMode(false, &f.view);
        QCOMPARE(f.panes.value(3), count);
    }

    void rightClickLeavesAToolMode()
    {
        WiringFixture f;
        drag(f.view, centre(f.view, 0, 0), centre(f.view, 2, 0));
        f.page.findChild<QAction *>(QStringLiteral("LineTool1"))->trigger();
        QCOMPARE(f.page.editor().mode(), WiringEditMode::InsertPixel);
        QVERIFY(f.page.findChild<QAction *>(QStringLiteral("LineTool1"))->isChecked());
        send(f.view, QEvent::MouseButtonPress, centre(f.view, 1, 1), Qt::RightButton, Qt::RightButton,
             Qt::NoModifier);
        QCOMPARE(f.page.editor().mode(), WiringEditMode::Define);
        QVERIFY(!f.page.findChild<QAction *>(QStringLiteral("LineTool1"))->isChecked());
        QCOMPARE(f.page.editor().anchor(), QPoint(-100, -100));
    }

    void aRightClickKeepsTheCopiedRun()
    {
        WiringFixture f;
        drag(f.view, centre(f.view, 0, 0), centre(f.view, 2, 0));
        f.page.findChild<QPushButton *>(QStringLiteral("LineButton0"))->click(); // Copy
        for (int x : {0, 2})
            drag(f.view, centre(f.view, x, 0), centre(f.view, x, 0));
        QCOMPARE(f.page.editor().mode(), WiringEditMode::Paste);
        QCOMPARE(f.page.editor().clipboard().records.size(), size_t(3));
        // Out of paste mode with the right button: the copy stays for the
        // next paste.
        send(f.view, QEvent::MouseButtonPress, centre(f.view, 1, 2), Qt::RightButton, Qt::RightButton,
             Qt::NoModifier);
        QCOMPARE(f.page.editor().mode(), WiringEditMode::Define);
        QCOMPARE(f.page.editor().clipboard().records.size(), size_t(3));
        f.page.findChild<QPushButton *>(QStringLiteral("LineButton3"))->click(); // Paste
        QCOMPARE(f.page.editor().mode(), WiringEditMode::Paste);
        drag(f.view, centre(f.view, 0, 2), centre(f.view, 0, 2));
        QCOMPARE(f.doc.wiring().count(), 6);
    }

    void checkButtonRunsTheCircuitryCheck()
    {
        WiringFixture f;
        drag(f.view, centre(f.view, 0, 0), centre(f.view, 2, 0));
        f.page.findChild<QPushButton *>(QStringLiteral("LineButton7"))->click();
        QCOMPARE(f.prompt.lastText(), QStringLiteral("Check passed: no errors."));
    }

    void captionsFollowTheLanguage()
    {
        WiringFixture f;
        auto *copy = f.page.findChild<QPushButton *>(QStringLiteral("LineButton0"));
        QCOMPARE(copy->text(), QStringLiteral("Copy"));
        // Every English button reads with a capital, beside Copy and Open.
        QStringList english;
        for (int i = 0; i < 8; ++i)
            english << f.page.findChild<QPushButton *>(QStringLiteral("LineButton%1").arg(i))->text();
        QCOMPARE(english, (QStringList{"Copy", "Open", "Save", "Paste", "Reset", "Delete", "Undo", "Check"}));
        QCOMPARE(f.page.findChild<QGroupBox *>()->title(), QStringLiteral("Wiring tools"));
        QCOMPARE(f.page.findChild<QCheckBox *>(QStringLiteral("SyncController"))->text(),
                 QStringLiteral("Sync controller"));
        Language::setCode(Language::Chinese);
        f.page.applyTexts();
        QCOMPARE(copy->text(), QStringLiteral("复制"));
        QCOMPARE(f.page.findChild<QLabel *>(QStringLiteral("LineTitle"))->text(), QStringLiteral("线路定义----LED"));
        Language::setCode(Language::Traditional);
        f.page.applyTexts();
        QCOMPARE(f.page.findChild<QLabel *>(QStringLiteral("LineTitle"))->text(), QStringLiteral("線路定義----LED"));
        Language::setCode(Language::English);
    }

    void portNumbersStandOutOnEveryPortColour()
    {
        // The contrast ratio of two screen colours (1 for equal, 21 for
        // black on white); 4.5 is what ordinary text needs to read well.
        const auto luminance = [](const QColor &c) {
            double sum = 0;
            const double weights[3] = {0.2126, 0.7152, 0.0722};
            const int values[3] = {c.red(), c.green(), c.blue()};
            for (int i = 0; i < 3; ++i) {
                const double s = values[i] / 255.0;
                sum += weights[i] * (s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
            }
            return sum;
        };
        const auto contrast = [&](const QColor &a, const QColor &b) {
            const double la = luminance(a), lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        for (int port = 0; port < 32; ++port) {
            const ColorValue c = portColourTable()[size_t(port)];
            const QColor swatch(int(redOf(c)), int(greenOf(c)), int(blueOf(c)));
            const QColor label = PortPicker::labelColour(swatch);
            QVERIFY(label == QColor(Qt::white) || label == QColor(Qt::black));
            QVERIFY2(contrast(swatch, label) >= 4.5, qPrintable(QStringLiteral("port %1").arg(port + 1)));
        }
        // The dark ones in white: full blue (port 3) and the dark red of
        // port 13.
        QCOMPARE(PortPicker::labelColour(QColor(0, 0, 255)), QColor(Qt::white));
        QCOMPARE(PortPicker::labelColour(QColor(85, 0, 0)), QColor(Qt::white));
        QCOMPARE(PortPicker::labelColour(QColor(255, 255, 0)), QColor(Qt::black));

        // Drawn: the blue swatch holds white pixels of its number.
        PortPicker picker;
        picker.resize(8 * 40, 4 * 30);
        const QImage image = picker.grab().toImage();
        bool white = false;
        for (int y = 0; y < 30 && !white; ++y)
            for (int x = 80; x < 120 && !white; ++x)
                white = QColor(image.pixel(x, y)).lightness() > 200;
        QVERIFY(white);
    }
};

#include "app_test.h"
APP_TEST(WiringPageTest)
#include "wiring_page_test.moc"

// The canvas as a widget: status panes, keys, the mouse wheel, scroll bars,
// the tool's mouse, the canvas commands and the grid options dialog.

#include "canvas/canvas_commands.h"
#include "canvas/canvas_tool.h"
#include "canvas/colour_button.h"
#include "canvas/grid_options_dialog.h"
#include "canvas_fixture.h"
#include "common/command_ids.h"
#include "document/new_grid.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace {

using F = CanvasFixture;

// Last text shown in each status pane.
struct StatusPanes
{
    explicit StatusPanes(CanvasView &v)
    {
        QObject::connect(&v, &CanvasView::statusTextChanged,
                         [this](int pane, const QString &text) { texts[pane] = text; });
    }
    QMap<int, QString> texts;
};

void moveMouse(CanvasView &v, QPoint p, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(p), v.mapToGlobal(QPointF(p)), Qt::NoButton, buttons,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&v, &e);
}

void turnWheel(CanvasView &v, QPoint p, QPoint angle, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWheelEvent e(QPointF(p), v.mapToGlobal(QPointF(p)), QPoint(), angle, Qt::NoButton, mods, Qt::NoScrollPhase,
                  false);
    QCoreApplication::sendEvent(&v, &e);
}

// Records which command ids ran.
QList<int> *recordCommands(CommandRegistry &r, std::initializer_list<int> ids)
{
    auto *ran = new QList<int>;
    for (int id : ids)
        r.add(id, [ran, id] { ran->append(id); });
    return ran;
}

class RecordingTool : public CanvasTool
{
public:
    bool consume = true;
    QList<QPoint> presses, moves, releases;
    std::optional<GridPoint> lastPoint;
    bool mousePress(CanvasView &v, QMouseEvent *e) override
    {
        presses << e->position().toPoint();
        lastPoint = v.gridPointAt(e->position().toPoint());
        return consume;
    }
    bool mouseMove(CanvasView &, QMouseEvent *e) override
    {
        moves << e->position().toPoint();
        return consume;
    }
    bool mouseRelease(CanvasView &, QMouseEvent *e) override
    {
        releases << e->position().toPoint();
        return consume;
    }
    const Frame *statusFrame() const override { return frame; }
    void gridMoved(const CanvasGeometry &before, const CanvasGeometry &after) override
    {
        shifts << QPoint(int(after.left() - before.left()), int(after.top() - before.top()));
    }
    const Frame *frame = nullptr;
    QList<QPoint> shifts;
};

} // namespace

class CanvasViewTest : public QObject
{
    Q_OBJECT
private slots:
    void statusPanesShowTheGridPointAndItsColour();
    void statusPaneOneReadsOneJustOutsideTheLeftAndTopEdges();
    void statusPanesStayWhenTheMouseLeavesTheGrid();
    void frameCountFollowsTheDocumentAndTheLanguage();
    void keysRunTheirCommands_data();
    void keysRunTheirCommands();
    void letterKeysGoToTheOperationPanel();
    void aKeyDuringAnotherKeyIsDropped();
    void zoomKeys();
    void homeRestoresActualSize();
    void arrowKeysPan();
    void scrollBarsFollowTheGridAndMoveIt();
    void theWheelScrollsAndShiftWheelScrollsSideways();
    void ctrlWheelZoomsAboutTheMouse_data();
    void ctrlWheelZoomsAboutTheMouse();
    void ctrlWheelStopsAtTheZoomLimits();
    void theStartPictureHasNoScrollBars();
    void newAndOpenResetTheView();
    void toolGetsTheMouseAndFollowsTheGrid();
    void commandsAreRegistered();
    void gridOptionsRefusesCellSizesOfZeroOrLess_data();
    void gridOptionsRefusesCellSizesOfZeroOrLess();
    void gridOptionsAppliesItsValues();
    void gridOptionsTexts();
};

void CanvasViewTest::statusPanesShowTheGridPointAndItsColour()
{
    F f;
    StatusPanes panes(f.view);
    moveMouse(f.view, F::cellMiddle(2, 1));
    QCOMPARE(panes.texts.value(1), QStringLiteral("Row: 2, Column: 3"));
    // cellColour(2, 1) = 90, 70, 140
    QCOMPARE(panes.texts.value(2), QStringLiteral("Red:  90, Green:  70, Blue: 140"));

    Language::setCode(Language::Chinese);
    f.view.refreshStatusTexts();
    moveMouse(f.view, F::cellMiddle(0, 2));
    QCOMPARE(panes.texts.value(1), QStringLiteral("行:3,列:1"));
    QCOMPARE(panes.texts.value(2), QStringLiteral("红: 10,绿:120,蓝:200"));
    Language::setCode(Language::English);
}

void CanvasViewTest::statusPaneOneReadsOneJustOutsideTheLeftAndTopEdges()
{
    F f;
    StatusPanes panes(f.view);
    moveMouse(f.view, QPoint(F::kLeft - 3, F::kTop + 25));
    QCOMPARE(panes.texts.value(1), QStringLiteral("Row: 2, Column: 1"));
    moveMouse(f.view, QPoint(F::kLeft + 45, F::kTop - 19));
    QCOMPARE(panes.texts.value(1), QStringLiteral("Row: 1, Column: 3"));
}

void CanvasViewTest::statusPanesStayWhenTheMouseLeavesTheGrid()
{
    F f;
    StatusPanes panes(f.view);
    moveMouse(f.view, F::cellMiddle(1, 1));
    const QString shown = panes.texts.value(1);
    moveMouse(f.view, QPoint(F::kLeft + 81, F::kTop + 5));
    moveMouse(f.view, QPoint(F::kLeft - 25, F::kTop + 5));
    QCOMPARE(panes.texts.value(1), shown);

    // Nothing is reported without a frame.
    F empty(false);
    StatusPanes none(empty.view);
    moveMouse(empty.view, F::cellMiddle(1, 1));
    QVERIFY(none.texts.isEmpty());
}

void CanvasViewTest::frameCountFollowsTheDocumentAndTheLanguage()
{
    F f;
    StatusPanes panes(f.view);
    f.doc.insertFrameAfterCurrent(f.doc.makeFrame());
    QCOMPARE(panes.texts.value(3), QStringLiteral("Total frames: 2"));
    {
        // A run of inserts reports once, with the final count.
        QSignalSpy spy(&f.view, &CanvasView::statusTextChanged);
        Document::UpdateBatch batch(f.doc);
        for (int i = 0; i < 5; ++i)
            f.doc.insertFrameAfterCurrent(f.doc.makeFrame());
        QCOMPARE(spy.count(), 0);
    }
    QCOMPARE(panes.texts.value(3), QStringLiteral("Total frames: 7"));

    Language::setCode(Language::Chinese);
    f.view.refreshStatusTexts();
    QCOMPARE(panes.texts.value(3), QStringLiteral("总帧数:7"));
    Language::setCode(Language::Traditional);
    f.view.refreshStatusTexts();
    QCOMPARE(panes.texts.value(3), QStringLiteral("總幀數:7"));
    Language::setCode(Language::English);
    f.view.refreshStatusTexts();
    QCOMPARE(panes.texts.value(3), QStringLiteral("Total frames: 7"));
}

void CanvasViewTest::keysRunTheirCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("command");
    QTest::newRow("F5 plays") << int(Qt::Key_F5) << 0 << int(Cmd::Play);
    QTest::newRow("F7 stops") << int(Qt::Key_F7) << 0 << int(Cmd::Stop);
    QTest::newRow("Esc stops") << int(Qt::Key_Escape) << 0 << int(Cmd::Stop);
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << int(Cmd::EditDelete);
    QTest::newRow("Shift+C inverts") << int(Qt::Key_C) << int(Qt::ShiftModifier) << int(Cmd::ColourReverse);
    QTest::newRow("Ctrl+R replaces") << int(Qt::Key_R) << int(Qt::ControlModifier) << int(Cmd::ColourReplace);
    QTest::newRow("plain C") << int(Qt::Key_C) << 0 << 0;
    QTest::newRow("plain R") << int(Qt::Key_R) << 0 << 0;
    QTest::newRow("Ctrl+C is not the canvas's") << int(Qt::Key_C) << int(Qt::ControlModifier) << 0;
    QTest::newRow("Q") << int(Qt::Key_Q) << 0 << 0;
}

void CanvasViewTest::keysRunTheirCommands()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, command);
    F f;
    std::unique_ptr<QList<int>> ran(recordCommands(
        f.commands, {Cmd::Play, Cmd::Stop, Cmd::EditDelete, Cmd::ColourReverse, Cmd::ColourReplace}));
    QKeyEvent e(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    e.ignore();
    QCoreApplication::sendEvent(&f.view, &e);
    if (command == 0) {
        QVERIFY(ran->isEmpty());
        QVERIFY(!e.isAccepted()); // passed on to the default handling
    } else {
        QCOMPARE(*ran, QList<int>{command});
        QVERIFY(e.isAccepted());
    }
}

void CanvasViewTest::letterKeysGoToTheOperationPanel()
{
    F f;
    QString pressed;
    // Without a panel connected the letters pass on.
    QTest::keyClick(&f.view, Qt::Key_A);
    f.view.onPatternKey = [&](char c) { pressed += QLatin1Char(c); };
    for (Qt::Key k : {Qt::Key_A, Qt::Key_B, Qt::Key_D, Qt::Key_F, Qt::Key_S, Qt::Key_W, Qt::Key_E, Qt::Key_G})
        QTest::keyClick(&f.view, k);
    QTest::keyClick(&f.view, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(pressed, QStringLiteral("ABDFSW"));
}

void CanvasViewTest::aKeyDuringAnotherKeyIsDropped()
{
    F f;
    QList<int> ran;
    f.commands.add(Cmd::Play, [&] {
        ran << Cmd::Play;
        // A key that arrives while Play is still running.
        QTest::keyClick(&f.view, Qt::Key_F7);
    });
    f.commands.add(Cmd::Stop, [&] { ran << Cmd::Stop; });
    QTest::keyClick(&f.view, Qt::Key_F5);
    QCOMPARE(ran, QList<int>{Cmd::Play});
    QTest::keyClick(&f.view, Qt::Key_F7);
    QCOMPARE(ran, (QList<int>{Cmd::Play, Cmd::Stop}));
}

void CanvasViewTest::zoomKeys()
{
    F f;
    const QPoint centre = f.view.canvasGeometry().centre();
    // With Ctrl the grid grows about its own centre.
    QTest::keyClick(&f.view, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(f.view.canvasGeometry().zoom(), 1.6f);
    QTest::keyClick(&f.view, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClick(&f.view, Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(f.view.canvasGeometry().zoom(), 1.6f * 1.6f * 1.6f);
    QCOMPARE(f.view.canvasGeometry().centre(), centre);
    // The scroll ranges follow the zoomed size.
    QCOMPARE(f.view.horizontalBar()->maximum(), int(f.view.canvasGeometry().gridWidth()));
    QCOMPARE(f.view.verticalBar()->maximum(), int(f.view.canvasGeometry().gridHeight()));
    QTest::keyClick(&f.view, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&f.view, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClick(&f.view, Qt::Key_PageDown, Qt::ControlModifier);
    QVERIFY(qAbs(f.view.canvasGeometry().zoom() - 1.0f) < 1e-5f);
    QCOMPARE(f.view.canvasGeometry().centre(), centre);

    // Without Ctrl the point under the mouse moves to the client centre.
    const QPoint cursor = F::cellMiddle(3, 2);
    const GridPoint under = *f.view.gridPointAt(cursor);
    QVERIFY(f.view.zoomIn(false, cursor));
    QCOMPARE(*f.view.gridPointAt(f.view.canvasGeometry().clientCentre()), under);

    // Past the limit the key does nothing, and the next key still works.
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(&f.view, Qt::Key_PageUp, Qt::ControlModifier);
    QVERIFY(f.view.canvasGeometry().zoom() > 1000.0f);
    QVERIFY(f.view.canvasGeometry().zoom() < 1700.0f);
    QTest::keyClick(&f.view, Qt::Key_PageDown, Qt::ControlModifier);
    QVERIFY(f.view.canvasGeometry().zoom() < 1000.0f);
}

void CanvasViewTest::homeRestoresActualSize()
{
    F f;
    const QPoint centre = f.view.canvasGeometry().centre();
    f.view.zoomIn(false, QPoint(3, 3));
    f.view.pan(CanvasGeometry::PanDirection::Up, CanvasGeometry::PanStep::Whole);
    QTest::keyClick(&f.view, Qt::Key_Home);
    QCOMPARE(f.view.canvasGeometry().zoom(), 1.0f);
    QCOMPARE(f.view.canvasGeometry().centre(), centre);
    QCOMPARE(f.view.horizontalBar()->maximum(), 4 * 20);
    QCOMPARE(f.view.verticalBar()->maximum(), 3 * 20);
}

void CanvasViewTest::arrowKeysPan()
{
    // A grid larger than the canvas: 50 x 50 cells of 20 pixels.
    F f(true, smallGrid(50, 50, 20));
    const QPoint c0 = f.view.canvasGeometry().centre();
    // Usable 200 x 150: thirds of 66 and 50.
    QTest::keyClick(&f.view, Qt::Key_Left);
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(66, 0));
    QTest::keyClick(&f.view, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(66 - 198, 0));
    QTest::keyClick(&f.view, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(66 - 198, -150));
    QTest::keyClick(&f.view, Qt::Key_Up);
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(66 - 198, -100));
    // The scroll bars follow.
    QCOMPARE(f.view.horizontalBar()->value(), f.view.canvasGeometry().horizontalPosition());
    QCOMPARE(f.view.verticalBar()->value(), f.view.canvasGeometry().verticalPosition());
}

void CanvasViewTest::scrollBarsFollowTheGridAndMoveIt()
{
    F f(true, smallGrid(30, 40, 20)); // 800 x 600
    f.view.show();
    QScrollBar *h = f.view.horizontalBar();
    QScrollBar *v = f.view.verticalBar();
    QCOMPARE(h->geometry(), QRect(0, 150, 200, 18));
    QCOMPARE(v->geometry(), QRect(200, 0, 18, 150));
    QCOMPARE(h->singleStep(), 1);
    QCOMPARE(h->pageStep(), 350);
    QCOMPARE(v->pageStep(), 250);
    QCOMPARE(h->minimum(), 0);
    QCOMPARE(h->maximum(), 800);
    QCOMPARE(v->maximum(), 600);
    // Actual size centres the grid: position = 400 - 109 + 100.
    QCOMPARE(h->value(), 391);
    QCOMPARE(v->value(), 300 - 84 + 100);

    h->setValue(0);
    v->setValue(0);
    QCOMPARE(f.view.canvasGeometry().left(), 100);
    QCOMPARE(f.view.canvasGeometry().top(), 100);
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(f.view.canvasGeometry().left(), 100 - 350);
    v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(f.view.canvasGeometry().top(), 100 - 251);

    // A resize keeps the grid's offset from the canvas's centre (half the
    // growth) and moves the bars along.
    f.view.resize(318, 268);
    QCOMPARE(h->geometry(), QRect(0, 250, 300, 18));
    QCOMPARE(f.view.canvasGeometry().left(), 100 - 350 + 50);
    QCOMPARE(f.view.canvasGeometry().top(), 100 - 251 + 50);
    QCOMPARE(h->value(), f.view.canvasGeometry().horizontalPosition());
}

void CanvasViewTest::theWheelScrollsAndShiftWheelScrollsSideways()
{
    F f(true, smallGrid(30, 40, 20)); // 800 x 600 in a 200 x 150 view
    const QPoint c0 = f.view.canvasGeometry().centre();
    const QPoint at = F::cellMiddle(1, 1);
    // Away from you: the grid moves down, showing what lies above. A notch
    // is a tenth of the visible height or width, at least a cell.
    turnWheel(f.view, at, QPoint(0, 120));
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(0, 20));
    turnWheel(f.view, at, QPoint(0, -240));
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(0, -20));
    turnWheel(f.view, at, QPoint(0, -120), Qt::ShiftModifier);
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(-20, -20));
    // A sideways wheel (or a system that turned Shift + wheel into one).
    turnWheel(f.view, at, QPoint(120, 0));
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(0, -20));
    // Touchpad turns smaller than a notch add up.
    turnWheel(f.view, at, QPoint(0, 60));
    QCOMPARE(f.view.canvasGeometry().centre(), c0 + QPoint(0, -20));
    turnWheel(f.view, at, QPoint(0, 60));
    QCOMPARE(f.view.canvasGeometry().centre(), c0);
    QCOMPARE(f.view.verticalBar()->value(), f.view.canvasGeometry().verticalPosition());
    // The scroll range stops it: at most to position 0 (top-left at 100).
    for (int i = 0; i < 100; ++i)
        turnWheel(f.view, at, QPoint(0, 120));
    QCOMPARE(f.view.canvasGeometry().top(), 100);
    QCOMPARE(f.view.canvasGeometry().zoom(), 1.0f);
}

void CanvasViewTest::ctrlWheelZoomsAboutTheMouse_data()
{
    QTest::addColumn<QPoint>("mouse");
    QTest::newRow("a cell middle") << F::cellMiddle(3, 2);
    QTest::newRow("near a corner") << F::cellMiddle(0, 0) - QPoint(8, 8);
    QTest::newRow("off the grid") << QPoint(20, 140);
}

void CanvasViewTest::ctrlWheelZoomsAboutTheMouse()
{
    QFETCH(QPoint, mouse);
    F f;
    // The grid position under the mouse, in unzoomed pixels from the
    // grid's corner.
    auto under = [&f, mouse] {
        const CanvasGeometry &g = f.view.canvasGeometry();
        return QPointF(double(mouse.x() - g.left()) / g.zoom(), double(mouse.y() - g.top()) / g.zoom());
    };
    const QPointF start = under();
    const std::optional<GridPoint> startCell = f.view.gridPointAt(mouse);
    float expected = 1.0f;
    // Each step places the grid to a whole pixel of its new size.
    double tolerance = 0;
    for (int notches : {1, 2, -1, -3, 1}) {
        turnWheel(f.view, mouse, QPoint(0, 120 * notches), Qt::ControlModifier);
        for (int i = 0; i < std::abs(notches); ++i) {
            expected *= notches > 0 ? CanvasGeometry::kZoomInFactor : CanvasGeometry::kZoomOutFactor;
            tolerance += 1.0 / double(expected);
        }
        QCOMPARE(f.view.canvasGeometry().zoom(), expected);
        // The point stays under the mouse.
        const QPointF now = under();
        QVERIFY2(std::abs(now.x() - start.x()) <= tolerance && std::abs(now.y() - start.y()) <= tolerance,
                 qPrintable(QStringLiteral("%1,%2 moved to %3,%4")
                                .arg(start.x()).arg(start.y()).arg(now.x()).arg(now.y())));
    }
    // Back at the first zoom, a cell's middle is still on that cell.
    if (QByteArray(QTest::currentDataTag()) == "a cell middle")
        QCOMPARE(f.view.gridPointAt(mouse), startCell);
    // The scroll bars follow the zoomed grid.
    QCOMPARE(f.view.horizontalBar()->maximum(), int(f.view.canvasGeometry().gridWidth()));
    QCOMPARE(f.view.horizontalBar()->value(), f.view.canvasGeometry().horizontalPosition());
}

void CanvasViewTest::ctrlWheelStopsAtTheZoomLimits()
{
    F f;
    const QPoint mouse = F::cellMiddle(1, 1);
    for (int i = 0; i < 40; ++i)
        turnWheel(f.view, mouse, QPoint(0, 120), Qt::ControlModifier);
    const float top = f.view.canvasGeometry().zoom();
    QVERIFY(top > CanvasGeometry::kZoomInLimit);
    QVERIFY(top < CanvasGeometry::kZoomInLimit * CanvasGeometry::kZoomInFactor);
    // One notch back out works at once.
    turnWheel(f.view, mouse, QPoint(0, -120), Qt::ControlModifier);
    QCOMPARE(f.view.canvasGeometry().zoom(), top * CanvasGeometry::kZoomOutFactor);
    for (int i = 0; i < 60; ++i)
        turnWheel(f.view, mouse, QPoint(0, -120), Qt::ControlModifier);
    const float bottom = f.view.canvasGeometry().zoom();
    QVERIFY(bottom < CanvasGeometry::kZoomOutLimit);
    QVERIFY(bottom > CanvasGeometry::kZoomOutLimit * CanvasGeometry::kZoomOutFactor);
}

void CanvasViewTest::theStartPictureHasNoScrollBars()
{
    F f(false);
    f.view.show();
    QVERIFY(f.view.horizontalBar()->isHidden());
    QVERIFY(f.view.verticalBar()->isHidden());
    // Nothing to scroll or zoom.
    turnWheel(f.view, QPoint(50, 50), QPoint(0, 120), Qt::ControlModifier);
    QCOMPARE(f.view.canvasGeometry().zoom(), 1.0f);
    f.doc.startNew(f.doc.geometry());
    QVERIFY(!f.view.horizontalBar()->isHidden());
    QVERIFY(!f.view.verticalBar()->isHidden());
}

void CanvasViewTest::newAndOpenResetTheView()
{
    F f;
    f.view.zoomIn(true, QPoint());
    f.view.pan(CanvasGeometry::PanDirection::Left, CanvasGeometry::PanStep::Third);
    NewGridValues values = newGridValuesFrom(f.doc.geometry());
    values.rows = 5;
    values.cols = 6;
    QVERIFY(createNewDocument(f.doc, values).isEmpty());
    QCOMPARE(f.view.canvasGeometry().zoom(), 1.0f);
    QCOMPARE(f.view.canvasGeometry().cols(), 6);
    QCOMPARE(f.view.canvasGeometry().centre(), QPoint(109, 84));
    QCOMPARE(f.view.horizontalBar()->maximum(), 6 * 20);

    // Open: the file's geometry replaces the grid.
    std::vector<Frame> frames(2, Frame(size_t(2 * 3), makeColor(1, 2, 3)));
    f.view.zoomIn(true, QPoint());
    f.doc.replaceContents(smallGrid(2, 3, 10), std::move(frames));
    QCOMPARE(f.view.canvasGeometry().zoom(), 1.0f);
    QCOMPARE(f.view.canvasGeometry().gridWidth(), 30);
    QCOMPARE(pixelColour(f.view.renderImage(), 109, 80), makeColor(1, 2, 3));
}

void CanvasViewTest::toolGetsTheMouseAndFollowsTheGrid()
{
    F f;
    RecordingTool tool;
    f.view.show();
    f.view.setTool(&tool);
    QCOMPARE(f.view.tool(), &tool);
    QTest::mousePress(&f.view, Qt::LeftButton, Qt::NoModifier, F::cellMiddle(1, 2));
    QTest::mouseRelease(&f.view, Qt::LeftButton, Qt::NoModifier, F::cellMiddle(1, 2));
    QCOMPARE(tool.presses.size(), 1);
    QCOMPARE(tool.releases.size(), 1);
    QCOMPARE(*tool.lastPoint, (GridPoint{1, 2}));

    // The status bar reports the tool's frame while it has one.
    StatusPanes panes(f.view);
    Frame own(12, makeColor(7, 8, 9));
    tool.frame = &own;
    moveMouse(f.view, F::cellMiddle(0, 0));
    QCOMPARE(tool.moves.size(), 1);
    QCOMPARE(panes.texts.value(2), QStringLiteral("Red:   7, Green:   8, Blue:   9"));

    // Pans, zooms and scrolls are passed on.
    f.view.pan(CanvasGeometry::PanDirection::Left, CanvasGeometry::PanStep::Third);
    // The pan stops with the grid's left edge on the client centre (109).
    // Scroll position 50 puts the centre at 40 - 50 + 100 = 90, the left
    // edge at 50.
    f.view.horizontalBar()->setValue(50);
    QCOMPARE(tool.shifts, (QList<QPoint>{QPoint(40, 0), QPoint(50 - 109, 0)}));

    f.view.setTool(nullptr);
    QTest::mousePress(&f.view, Qt::LeftButton, Qt::NoModifier, F::cellMiddle(1, 2));
    QCOMPARE(tool.presses.size(), 1);
}

void CanvasViewTest::commandsAreRegistered()
{
    F f;
    registerCanvasCommands(f.ctx, f.view);
    QVERIFY(f.commands.isCheckable(Cmd::ShowGrid));
    QVERIFY(f.commands.isChecked(Cmd::ShowGrid));
    QVERIFY(f.commands.trigger(Cmd::ShowGrid));
    QVERIFY(!f.view.showGrid());
    QVERIFY(!f.commands.isChecked(Cmd::ShowGrid));
    QVERIFY(f.commands.trigger(Cmd::ShowGrid));
    QVERIFY(f.view.showGrid());

    f.view.zoomIn(true, QPoint());
    QVERIFY(f.commands.trigger(Cmd::ActualSize));
    QCOMPARE(f.view.canvasGeometry().zoom(), 1.0f);

    QVERIFY(f.commands.isEnabled(Cmd::GridOptions));
    QVERIFY(!f.commands.isEnabled(Cmd::ScrollMode));
}

void CanvasViewTest::gridOptionsRefusesCellSizesOfZeroOrLess_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("zero width") << "0" << "20";
    QTest::newRow("zero height") << "20" << "0";
    QTest::newRow("negative width") << "-5" << "20";
    QTest::newRow("negative height") << "20" << "-1";
    QTest::newRow("empty") << "" << "20";
}

void CanvasViewTest::gridOptionsRefusesCellSizesOfZeroOrLess()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    F f;
    f.doc.wiring().append(WiringPixel{.column = 1, .row = 1});
    f.doc.setModified(false);
    const GridGeometry before = f.doc.geometry();
    GridOptionsDialog dialog(f.ctx, f.view);
    dialog.show();
    dialog.widthEdit()->setText(width);
    dialog.heightEdit()->setText(height);
    dialog.roundButton()->setChecked(true);
    dialog.accept();
    QCOMPARE(f.prompt.texts(), QStringList{QStringLiteral("Parameter set error!")});
    QCOMPARE(f.prompt.shown.back().icon, PromptIcon::Error);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(f.doc.geometry(), before);
    QCOMPARE(f.view.cellShape(), CellShape::Square);
    QVERIFY(!f.doc.isModified());

    // Chinese: the same refusal in Chinese; then a good value closes it.
    Language::setCode(Language::Chinese);
    dialog.accept();
    QCOMPARE(f.prompt.lastText(), QStringLiteral("参数设置错误！"));
    Language::setCode(Language::English);
    dialog.widthEdit()->setText(QStringLiteral("12"));
    dialog.heightEdit()->setText(QStringLiteral("9"));
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(f.doc.geometry().celWidth, 12);
    QCOMPARE(f.doc.wiring().count(), 1);
}

void CanvasViewTest::gridOptionsAppliesItsValues()
{
    F f;
    f.doc.wiring().append(WiringPixel{.column = 2, .row = 1});
    GridOptionsDialog dialog(f.ctx, f.view);
    QCOMPARE(dialog.widthEdit()->text(), QStringLiteral("20"));
    QCOMPARE(dialog.heightEdit()->text(), QStringLiteral("20"));
    QVERIFY(dialog.squareButton()->isChecked());
    QCOMPARE(dialog.gridLineButton()->colour(), makeColor(100, 100, 100));
    QCOMPARE(dialog.backgroundButton()->colour(), ColorValue(0));

    dialog.widthEdit()->setText(QStringLiteral("10"));
    dialog.heightEdit()->setText(QStringLiteral("30"));
    dialog.roundButton()->setChecked(true);
    dialog.gridLineButton()->setColour(makeColor(0, 0, 255));
    dialog.backgroundButton()->setColour(makeColor(40, 40, 40));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(f.prompt.shown.empty());

    QCOMPARE(f.doc.geometry().celWidth, 10);
    QCOMPARE(f.doc.geometry().celHeight, 30);
    QCOMPARE(f.doc.rows(), 3);
    QCOMPARE(f.doc.cols(), 4);
    QCOMPARE(f.settings.geometry.celWidth, 10);
    QCOMPARE(f.settings.geometry.celHeight, 30);
    QCOMPARE(f.settings.backgroundColor, makeColor(40, 40, 40));
    QCOMPARE(f.doc.backgroundColor(), makeColor(40, 40, 40));
    QCOMPARE(f.view.cellShape(), CellShape::Round);
    QCOMPARE(f.view.gridLineColor(), makeColor(0, 0, 255));
    QCOMPARE(f.doc.wiring().count(), 1); // the grid's size did not change
    QCOMPARE(f.doc.currentFrame()->at(2, 1, 4), cellColour(2, 1));

    // The canvas draws with the new cell size at once: 40 x 90 around the
    // same centre (109, 84), so the grid starts at x 89 and y 39.
    const QImage img = f.view.renderImage();
    QCOMPARE(f.view.canvasGeometry().gridWidth(), 40);
    QCOMPARE(pixelColour(img, 89, 50), makeColor(0, 0, 255));
    QCOMPARE(pixelColour(img, 89 + 15, 39 + 45), cellColour(1, 1));
}

void CanvasViewTest::gridOptionsTexts()
{
    F f;
    {
        GridOptionsDialog dialog(f.ctx, f.view);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Grid Options"));
        QCOMPARE(dialog.roundButton()->text(), QStringLiteral("Round"));
    }
    Language::setCode(Language::Chinese);
    {
        GridOptionsDialog dialog(f.ctx, f.view);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("网格选项"));
        QCOMPARE(dialog.squareButton()->text(), QStringLiteral("方形"));
    }
    Language::setCode(Language::Traditional);
    {
        GridOptionsDialog dialog(f.ctx, f.view);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("網格選項"));
        QCOMPARE(dialog.roundButton()->text(), QStringLiteral("圓形"));
    }
    Language::setCode(Language::English);
}

#include "app_test.h"
APP_TEST(CanvasViewTest)
#include "canvas_view_test.moc"

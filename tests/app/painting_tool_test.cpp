// Painting and the block on the canvas: the Single brush stroke, the square
// brushes, the hint when the pen is off, the rubber band and the tracker,
// the block menu, and the editing commands that the canvas keys and menus
// reach.

#include "canvas_fixture.h"
#include "common/command_ids.h"
#include "editing/editing_commands.h"
#include "editing/frame_range_dialog.h"
#include "editing/painting_tool.h"
#include "editing/paste_dialog.h"
#include "transforms/frame_range_fields.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace {

void press(CanvasView &v, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    QTest::mousePress(&v, b, {}, p);
}

// A move with the left button held (QTest's moves carry no buttons).
void dragTo(CanvasView &v, QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(p), v.mapToGlobal(QPointF(p)), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&v, &e);
}

void release(CanvasView &v, QPoint p) { QTest::mouseRelease(&v, Qt::LeftButton, {}, p); }

// Runs `check` on the modal dialog that the next command opens.
template <typename Dialog, typename Check>
void whenDialogOpens(Check check)
{
    QTimer::singleShot(0, [check] {
        auto *d = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        QVERIFY2(d, "the expected dialog did not open");
        check(*d);
        if (d->isVisible())
            d->reject();
    });
}

struct PaintingFixture : CanvasFixture
{
    explicit PaintingFixture(GridGeometry g = smallGrid()) : CanvasFixture(true, g)
    {
        tool = installPaintingTool(ctx, view);
        registerEditingCommands(ctx);
        editing.penEnabled = true;
        palette.colours = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005};
        palette.selectEntry(0);
        palette.brush = Brush::Single;
    }
    ColorValue at(int x, int y) const { return doc.currentFrame()->at(x, y, doc.cols()); }

    PaintingTool *tool = nullptr;
};

} // namespace

class PaintingToolTest : public QObject
{
    Q_OBJECT
private slots:
    void aSingleBrushStrokeTakesConsecutivePaletteColours()
    {
        PaintingFixture f;
        f.palette.selectEntry(3);
        press(f.view, f.cellMiddle(0, 1));
        dragTo(f.view, f.cellMiddle(0, 1) + QPoint(3, 2)); // same cell: nothing new
        dragTo(f.view, f.cellMiddle(1, 1));
        dragTo(f.view, f.cellMiddle(2, 1));
        dragTo(f.view, f.cellMiddle(3, 1));
        release(f.view, f.cellMiddle(3, 1));
        QCOMPARE(f.at(0, 1), ColorValue(4));
        QCOMPARE(f.at(1, 1), ColorValue(5));
        QCOMPARE(f.at(2, 1), ColorValue(1)); // wrapped to the first entry
        QCOMPARE(f.at(3, 1), ColorValue(2));
        QCOMPARE(f.palette.selected, 2);
        QCOMPARE(f.at(0, 0), cellColour(0, 0));
        // The canvas shows the painted colour.
        QCOMPARE(pixelColour(f.view.renderImage(), f.cellMiddle(1, 1).x(), f.cellMiddle(1, 1).y()), ColorValue(5));
    }

    void withThePenOffNothingIsPaintedAndTheStatusBarSaysWhy()
    {
        PaintingFixture f;
        QStatusBar status;
        f.ctx.statusBar = &status;
        f.editing.penEnabled = false;
        press(f.view, f.cellMiddle(1, 1));
        release(f.view, f.cellMiddle(1, 1));
        QCOMPARE(f.at(1, 1), cellColour(1, 1));
        QCOMPARE(f.palette.selected, 0);
        QCOMPARE(status.currentMessage(), QStringLiteral("Press PEN to paint"));
        // In the other languages too.
        Language::setCode(Language::Chinese);
        QCOMPARE(PaintingTool::penHintText(), QStringLiteral("请先按下 PEN 再画"));
        Language::setCode(Language::Traditional);
        QCOMPARE(PaintingTool::penHintText(), QStringLiteral("請先按下 PEN 再畫"));
        Language::setCode(Language::English);
        // With the pen on a press paints and says nothing.
        status.clearMessage();
        f.editing.penEnabled = true;
        press(f.view, f.cellMiddle(1, 1));
        release(f.view, f.cellMiddle(1, 1));
        QCOMPARE(f.at(1, 1), ColorValue(1));
        QVERIFY(status.currentMessage().isEmpty());
        // Drawing a block with the pen off is no reason for the hint.
        f.editing.penEnabled = false;
        f.editing.area.defined = true;
        f.editing.area.x0 = -1;
        press(f.view, QPoint(75, 60));
        release(f.view, QPoint(135, 100));
        QVERIFY(status.currentMessage().isEmpty());
    }

    void aLargeBrushStrokePaintsFiveByFiveSquaresInTheBrushColour()
    {
        // 11 rows x 13 columns of 10 pixels: the whole grid in view.
        PaintingFixture f(smallGrid(11, 13, 10));
        const CanvasGeometry &g = f.view.canvasGeometry();
        f.palette.brush = Brush::Large;
        f.palette.currentColour = 0x00C0C0;
        f.editing.colourAction = ColourAction::Or;
        press(f.view, g.cellCentre(3, 3));
        dragTo(f.view, g.cellCentre(4, 3));
        release(f.view, g.cellCentre(4, 3));
        // Columns 1..6, rows 1..5: every point ORed with the brush colour.
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 13; ++x) {
                const bool stamped = x >= 1 && x <= 6 && y >= 1 && y <= 5;
                const ColorValue old = cellColour(x, y);
                QCOMPARE(f.at(x, y), stamped ? (old | 0x00C0C0u) : old);
            }
        // The Large brush does not step through the palette.
        QCOMPARE(f.palette.selected, 0);
        QCOMPARE(pixelColour(f.view.renderImage(), g.cellCentre(3, 3).x(), g.cellCentre(3, 3).y()),
                 cellColour(3, 3) | 0x00C0C0u);
    }

    void aDraggedBlockTakesTheCellsWhoseCentresItCovers()
    {
        PaintingFixture f;
        f.editing.area.defined = true;
        f.editing.area.x0 = -1; // "区域定义" pressed
        press(f.view, QPoint(75, 60));
        QCOMPARE(f.tool->drag(), PaintingTool::Drag::RubberBand);
        dragTo(f.view, QPoint(110, 80));
        dragTo(f.view, QPoint(135, 100));
        release(f.view, QPoint(135, 100));
        // Pixels 75..135 x 60..100 on cells of 20 from (69, 54): the centres
        // of columns 0..2 and rows 0..1 lie inside.
        QCOMPARE(f.editing.area.rect(), (GridRect{0, 0, 2, 1}));
        QVERIFY(f.editing.area.usable(3, 4));
        // Drawing the block painted nothing.
        QCOMPARE(f.at(0, 0), cellColour(0, 0));
        QCOMPARE(f.palette.selected, 0);
    }

    void aBlockNarrowerThanHalfACellIsOneCellWide()
    {
        PaintingFixture f;
        f.editing.area.defined = true;
        f.editing.area.x0 = -1;
        press(f.view, QPoint(112, 58));
        release(f.view, QPoint(118, 108));
        QCOMPARE(f.editing.area.rect(), (GridRect{2, 0, 2, 2}));
    }

    void theTrackerMovesAndResizesTheBlockAndPressesInsidePaint()
    {
        PaintingFixture f;
        f.editing.area = BlockArea{true, 0, 0, 1, 0};
        // Its left side: a move, two cells to the right.
        press(f.view, QPoint(69, 60));
        QCOMPARE(f.tool->drag(), PaintingTool::Drag::Tracker);
        dragTo(f.view, QPoint(109, 60));
        release(f.view, QPoint(109, 60));
        QCOMPARE(f.editing.area.rect(), (GridRect{2, 0, 3, 0}));
        // Its bottom-right corner: a resize one row down.
        press(f.view, QPoint(149, 74));
        dragTo(f.view, QPoint(149, 94));
        release(f.view, QPoint(149, 94));
        QCOMPARE(f.editing.area.rect(), (GridRect{2, 0, 3, 1}));
        // Inside paints, outside does not.
        press(f.view, f.cellMiddle(3, 1));
        release(f.view, f.cellMiddle(3, 1));
        press(f.view, f.cellMiddle(0, 2));
        release(f.view, f.cellMiddle(0, 2));
        QCOMPARE(f.at(3, 1), ColorValue(1));
        QCOMPARE(f.at(0, 2), cellColour(0, 2));
    }

    void theRightButtonOffersTheBlockMenuOnlyWithADefinedBlock()
    {
        PaintingFixture f;
        QList<int> ran;
        f.commands.add(Cmd::EditCopy, [&ran] { ran << Cmd::EditCopy; });
        QStringList offered;
        f.tool->chooseFromMenu = [&](const QStringList &texts, const QList<int> &ids, QPoint) {
            offered = texts;
            return ids[1];
        };
        press(f.view, f.cellMiddle(1, 1), Qt::RightButton);
        QVERIFY(offered.isEmpty());
        f.editing.area = BlockArea{true, 0, 0, 1, 1};
        press(f.view, f.cellMiddle(1, 1), Qt::RightButton);
        QCOMPARE(offered, (QStringList{QStringLiteral("Block cut\tCtrl+X"), QStringLiteral("Block copy\tCtrl+C"),
                                       QStringLiteral("Block paste\tCtrl+V"), QStringLiteral("Block delete\tDelete")}));
        QCOMPARE(ran, QList<int>{Cmd::EditCopy});
    }

    void theDeleteKeyOpensTheRangeDialogAtTheCurrentFrame()
    {
        PaintingFixture f;
        for (int i = 0; i < 3; ++i)
            f.doc.insertFrameAfterCurrent(f.doc.makeFrame());
        f.doc.goToFrame(1);
        whenDialogOpens<FrameRangeDialog>([&](FrameRangeDialog &d) {
            QCOMPARE(d.mode(), 6); // whole frames: no block
            QCOMPARE(d.fields().startEdit()->text(), QStringLiteral("2"));
            QCOMPARE(d.fields().endEdit()->text(), QStringLiteral("2"));
            QCOMPARE(d.windowTitle(), QStringLiteral("Frame delete"));
            QTest::mouseClick(d.fields().lastButton(), Qt::LeftButton);
            QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        });
        QTest::keyClick(&f.view, Qt::Key_Delete);
        QCOMPARE(f.doc.frameCount(), 1);
    }

    void shiftCOpensInvertInBlockModeWhenTheBlockIsUsable()
    {
        PaintingFixture f;
        f.editing.area = BlockArea{true, 1, 1, 1, 1};
        whenDialogOpens<FrameRangeDialog>([&](FrameRangeDialog &d) {
            QCOMPARE(d.mode(), 7);
            QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        });
        QTest::keyClick(&f.view, Qt::Key_C, Qt::ShiftModifier);
        QCOMPARE(f.at(1, 1), ~cellColour(1, 1) & 0xFFFFFFu);
        QCOMPARE(f.at(0, 0), cellColour(0, 0));
    }

    void pasteWithAnEmptyClipboardSaysSoAndCopyThenPasteInserts()
    {
        PaintingFixture f;
        QVERIFY(f.commands.trigger(Cmd::EditPaste));
        QCOMPARE(f.prompt.lastText(), QStringLiteral("The clipboard is empty! Nothing to paste."));

        whenDialogOpens<FrameRangeDialog>([](FrameRangeDialog &d) {
            QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        });
        QVERIFY(f.commands.trigger(Cmd::EditCopy));
        QCOMPARE(f.editing.clipboard.frames.size(), size_t(1));
        whenDialogOpens<PasteDialog>([](PasteDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Frame paste"));
            d.countField()->setText(QStringLiteral("2"));
            QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        });
        QVERIFY(f.commands.trigger(Cmd::EditPaste));
        QCOMPARE(f.doc.frameCount(), 3);
        QCOMPARE(f.doc.frames()[2], f.doc.frames()[0]);
    }

    void newOpenAndAGridSizeChangeDiscardTheBlock()
    {
        PaintingFixture f;
        f.editing.area = BlockArea{true, 0, 0, 1, 1};
        f.doc.startNew(f.doc.geometry());
        QVERIFY(!f.editing.area.defined);
        f.editing.area = BlockArea{true, 0, 0, 1, 1};
        GridGeometry g = f.doc.geometry();
        g.celWidth = 30; // not a size change
        f.doc.setGeometry(g);
        QVERIFY(f.editing.area.defined);
        g.rows = 5;
        f.doc.setGeometry(g);
        QVERIFY(!f.editing.area.defined);
        QCOMPARE(f.editing.area.rect(), (GridRect{1, 1, 2, 2})); // the middle half of 5 x 4
    }
};

#include "app_test.h"
APP_TEST(PaintingToolTest)
#include "painting_tool_test.moc"

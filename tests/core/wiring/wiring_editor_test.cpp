#include "scripted_prompt.h"
#include "settings/language.h"
#include "wiring/circuitry_check.h"
#include "wiring/wiring_editor.h"
#include "wiring_test_support.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class WiringEditorTest : public ::testing::Test
{
protected:
    void SetUp() override { Language::setCode(Language::Chinese); }
    void TearDown() override { Language::setCode(Language::English); }

    void open(int rows, int cols)
    {
        doc = std::make_unique<Document>(wiringGrid(rows, cols));
        editor = std::make_unique<WiringEditor>(prompt);
        editor->enterWiringMode(*doc);
    }
    Wiring &wiring() { return doc->wiring(); }

    void drag(QPoint from, QPoint to, WiringKeys keys = {})
    {
        editor->press(from, keys);
        editor->dragTo(to);
        editor->release(to, keys);
    }
    void click(QPoint cell, WiringKeys keys = {}) { drag(cell, cell, keys); }
    void definePort(int portBox, QPoint from, QPoint to, WiringKeys keys = {})
    {
        editor->setPortBox(portBox);
        drag(from, to, keys);
    }

    ScriptedPrompt prompt;
    std::unique_ptr<Document> doc;
    std::unique_ptr<WiringEditor> editor;
};

const WiringKeys kCtrl{true, false, false};

TEST_F(WiringEditorTest, EnteringWiringModeMakesLedCircuitryAndExplainsTheKeys)
{
    doc = std::make_unique<Document>(wiringGrid(3, 3));
    editor = std::make_unique<WiringEditor>(prompt);
    editor->setPortBox(7);
    QSignalSpy status(editor.get(), &WiringEditor::statusMessage);
    editor->enterWiringMode(*doc);
    EXPECT_EQ(wiring().kind(), CircuitryKind::Led);
    EXPECT_EQ(editor->portBox(), 1);
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.at(0).at(0).toString(), QStringLiteral("Ctrl,Shift,Alt键控制模式,鼠标决定方向"));

    Language::setCode(Language::English);
    editor->enterWiringMode(*doc);
    EXPECT_EQ(status.at(1).at(0).toString(),
              QStringLiteral("Control mode with Ctrl, Shift and Alt. Mouse decides directions."));
}

TEST_F(WiringEditorTest, PlainClickAppendsOnePixelWithTheNextFreeNumber)
{
    open(4, 4);
    definePort(2, {0, 0}, {2, 0}); // port 2 (internal 1): pixels 0..2
    definePort(2, {3, 3}, {3, 3});
    ASSERT_EQ(wiring().count(), 4);
    EXPECT_EQ(wiring().pixel(3), wiredAt(3, 3, 1, 3));
    EXPECT_EQ(wiring().cellColour(3, 3), portColour(1));
}

TEST_F(WiringEditorTest, DragFromBottomRightToTopLeftNumbersBottomRowFirstRightToLeft)
{
    open(2, 3);
    drag({2, 1}, {0, 0});
    EXPECT_EQ(editor->fillCode(), 13);
    EXPECT_EQ(chainWord(wiring(), 0), QStringLiteral("fedcba"));
}

TEST_F(WiringEditorTest, CtrlDragNumbersASnake)
{
    open(3, 3);
    drag({0, 0}, {2, 2}, kCtrl);
    EXPECT_EQ(chainWord(wiring(), 0), QStringLiteral("abcfedghi"));
    EXPECT_EQ(numbersInListOrder(wiring(), 0), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(WiringEditorTest, SkippedCellsUseNoNumberAndKeepTheSnakeParity)
{
    open(3, 3);
    definePort(2, {0, 1}, {2, 1}); // the whole middle row on port 2
    definePort(3, {1, 0}, {1, 0}); // and cell b on port 3
    definePort(1, {0, 0}, {2, 2}, kCtrl);
    // Row 1 left to right without b, row 2 skipped but counted as a run,
    // so row 3 runs left to right again.
    EXPECT_EQ(chainWord(wiring(), 0), QStringLiteral("acghi"));
    EXPECT_EQ(numbersInListOrder(wiring(), 0), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(WiringEditorTest, UndoOfADefinitionRemovesOnlyThePixelsItAdded)
{
    open(3, 3);
    definePort(2, {1, 1}, {1, 1});
    definePort(1, {0, 0}, {2, 2}); // skips the wired centre
    EXPECT_EQ(wiring().count(), 9);
    editor->undoButton();
    ASSERT_EQ(wiring().count(), 1);
    EXPECT_EQ(wiring().pixel(0), wiredAt(1, 1, 1, 0));
    EXPECT_EQ(wiring().cellColour(1, 1), portColour(1));
    EXPECT_EQ(wiring().cellColour(0, 0), 0u);
    editor->undoButton();
    EXPECT_EQ(wiring().count(), 0);
    editor->undoButton();
    EXPECT_EQ(prompt.lastText(), QStringLiteral("没有操作可撤消!"));
}

TEST_F(WiringEditorTest, UndoAfterAMoveTakesBackTheMovedRecordNotTheOneNowOnItsCell)
{
    open(3, 3);
    definePort(1, {0, 0}, {0, 0}); // older: port 1 on (0,0)
    definePort(2, {1, 0}, {1, 0}); // newer: port 2 on (1,0)
    editor->chooseTool(WiringToolButton::MovePixel);
    drag({1, 0}, {2, 2}); // the newer record goes away from its cell
    drag({0, 0}, {1, 0}); // and the older one takes that cell
    ASSERT_EQ(wiring().count(), 2);

    editor->undoButton(); // the second definition
    ASSERT_EQ(wiring().count(), 1);
    EXPECT_EQ(wiring().pixel(0), wiredAt(1, 0, 0, 0));
    EXPECT_EQ(wiring().cellColour(1, 0), portColour(0));
    EXPECT_EQ(wiring().cellColour(2, 2), 0u);

    editor->undoButton(); // the first: its record, wherever it is now
    EXPECT_EQ(wiring().count(), 0);
    EXPECT_EQ(wiring().cellColour(1, 0), 0u);
}

TEST_F(WiringEditorTest, ZoneDeletionAsksWithOneBasedCornersAndClosesTheGap)
{
    open(2, 5);
    drag({0, 0}, {4, 0});  // port 1: a b c d e
    definePort(2, {0, 1}, {4, 1});
    editor->deleteButton();
    prompt.answers = {PromptAnswer::Cancel};
    drag({2, 0}, {2, 1});
    EXPECT_EQ(prompt.lastText(), QStringLiteral("确实要删除区域(3,1,3,2)中的像素吗?"));
    EXPECT_EQ(wiring().count(), 10);

    prompt.answers = {PromptAnswer::Ok};
    drag({2, 0}, {2, 1});
    EXPECT_EQ(wiring().count(), 8);
    EXPECT_EQ(chainWord(wiring(), 0), QStringLiteral("abde"));
    EXPECT_EQ(numbersInListOrder(wiring(), 0), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(numbersInListOrder(wiring(), 1), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(wiring().cellColour(2, 0), 0u);
}

TEST_F(WiringEditorTest, ZoneDeletionQuestionIsEnglishInEnglish)
{
    Language::setCode(Language::English);
    open(2, 2);
    editor->deleteButton();
    drag({1, 0}, {0, 1});
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Are you sure you want to delete the pixels in the zone(1,1,2,2)?"));
}

class WiringPasteTest : public WiringEditorTest
{
protected:
    // Port 1 wired over the 2 x 2 corner: (0,0) 0, (1,0) 1, (0,1) 2, (1,1) 3;
    // pixels 0..3 copied.
    void copyCorner()
    {
        open(4, 6);
        drag({0, 0}, {1, 1});
        editor->copyButton();
        EXPECT_EQ(editor->mode(), WiringEditMode::Copy);
        click({0, 0});
        EXPECT_EQ(editor->rememberedCell(), QPoint(0, 0));
        click({1, 1});
        EXPECT_EQ(editor->mode(), WiringEditMode::Paste);
        EXPECT_EQ(editor->clipboard().records.size(), 4u);
        EXPECT_EQ(editor->selection(), (WiringRect{0, 0, 1, 1}));
        editor->setPortBox(2);
    }
    std::vector<WiringPixel> port1() const
    {
        std::vector<WiringPixel> out;
        for (const WiringPixel &p : doc->wiring().pixels())
            if (p.port == 1)
                out.push_back(p);
        return out;
    }
};

TEST_F(WiringPasteTest, PlainPasteMovesTheRunToTheClickedCorner)
{
    copyCorner();
    editor->press({3, 1}, {});
    EXPECT_EQ(port1(), (std::vector<WiringPixel>{wiredAt(3, 1, 1, 0), wiredAt(4, 1, 1, 1), wiredAt(3, 2, 1, 2),
                                                 wiredAt(4, 2, 1, 3)}));
    EXPECT_EQ(wiring().cellColour(4, 2), portColour(1));
    EXPECT_EQ(editor->mode(), WiringEditMode::Paste); // the same run can be pasted again
    EXPECT_EQ(editor->undoStack().top().rect, (WiringRect{3, 1, 4, 2}));
}

TEST_F(WiringPasteTest, CtrlAndShiftMirrorTheRunInBothDirections)
{
    copyCorner();
    editor->press({3, 1}, {true, true, false});
    EXPECT_EQ(port1(), (std::vector<WiringPixel>{wiredAt(4, 2, 1, 0), wiredAt(3, 2, 1, 1), wiredAt(4, 1, 1, 2),
                                                 wiredAt(3, 1, 1, 3)}));
}

TEST_F(WiringPasteTest, CtrlAloneMirrorsTheColumns)
{
    copyCorner();
    editor->press({3, 1}, kCtrl);
    EXPECT_EQ(port1(), (std::vector<WiringPixel>{wiredAt(4, 1, 1, 0), wiredAt(3, 1, 1, 1), wiredAt(4, 2, 1, 2),
                                                 wiredAt(3, 2, 1, 3)}));
}

TEST_F(WiringPasteTest, RefusesWiredTargetsAndIgnoresPressesOffTheGrid)
{
    copyCorner();
    editor->press({1, 1}, {});
    EXPECT_EQ(prompt.lastText(), QStringLiteral("粘贴位置不正确，目标范围有像素已经定义过。\n请重新选择位置。"));
    const size_t shown = prompt.shown.size();
    editor->press({5, 1}, {});  // would reach past the last column
    editor->press({2, 3}, {});  // past the last row
    editor->press({-1, 0}, {}); // left of the grid
    editor->press({2, -1}, {}); // above it
    EXPECT_EQ(prompt.shown.size(), shown);
    EXPECT_EQ(wiring().count(), 4);
}

TEST_F(WiringPasteTest, RefusesAClipboardThatSpansTwoPorts)
{
    copyCorner();
    // The circuitry check may renumber ports under a filled clipboard.
    wiring().setPortAndPixel(3, 5, 0);
    editor->press({3, 1}, {});
    EXPECT_EQ(prompt.lastText(), QStringLiteral("剪贴板中有多个端口的数据，不能进行像素粘贴。"));
    EXPECT_EQ(wiring().count(), 4);
}

TEST_F(WiringPasteTest, BackwardsRunIsCollectedFromTailToHead)
{
    open(1, 5);
    drag({0, 0}, {4, 0});
    editor->copyButton();
    click({3, 0});
    click({3, 0}); // the first record itself: ignored, it stays remembered
    EXPECT_EQ(editor->mode(), WiringEditMode::Copy);
    click({1, 0});
    ASSERT_EQ(editor->mode(), WiringEditMode::Paste);
    EXPECT_EQ(editor->clipboard().records, (std::vector<int>{3, 2, 1}));
}

TEST_F(WiringPasteTest, PasteButtonWithAnEmptyClipboardSaysSo)
{
    open(2, 2);
    editor->pasteButton();
    EXPECT_EQ(prompt.lastText(), QStringLiteral("剪贴板没有数据。"));
    EXPECT_EQ(editor->mode(), WiringEditMode::Define);
}

TEST_F(WiringPasteTest, ARightClickLeavesPasteModeButKeepsTheCopy)
{
    copyCorner();
    editor->rightPress();
    EXPECT_EQ(editor->mode(), WiringEditMode::Define);
    ASSERT_EQ(editor->clipboard().records.size(), 4u);
    editor->pasteButton();
    EXPECT_EQ(editor->mode(), WiringEditMode::Paste);
    editor->press({3, 1}, {});
    EXPECT_EQ(port1().size(), 4u);
}

TEST_F(WiringPasteTest, EveryOperationThatFreesRecordsEmptiesTheClipboard)
{
    const auto expectEmptied = [&](const char *what, auto &&operation) {
        copyCorner();
        ASSERT_FALSE(editor->clipboard().isEmpty());
        operation();
        EXPECT_TRUE(editor->clipboard().isEmpty()) << what;
        EXPECT_EQ(editor->rememberedCell(), QPoint(-1, -1)) << what;
    };
    expectEmptied("reset", [&] { editor->resetButton(); });
    expectEmptied("undo", [&] { editor->undoButton(); });
    expectEmptied("zone deletion", [&] {
        editor->deleteButton();
        prompt.answers = {PromptAnswer::Ok};
        drag({5, 3}, {5, 3});
    });
    expectEmptied("grid size change", [&] { doc->setGeometry(wiringGrid(5, 6)); });
    expectEmptied("circuitry check", [&] {
        wiring().append(wiredAt(0, 0, 0, 9)); // a duplicate of the head
        prompt.answers = {PromptAnswer::No, PromptAnswer::No};
        runCircuitryCheck(*doc, prompt);
    });
}

TEST_F(WiringEditorTest, GridSizeChangeEmptiesTheUndoStack)
{
    open(3, 3);
    drag({0, 0}, {1, 1});
    ASSERT_EQ(editor->undoStack().count(), 1);
    doc->setGeometry(wiringGrid(3, 4));
    EXPECT_EQ(editor->undoStack().count(), 0);
    EXPECT_EQ(editor->selection(), (WiringRect{0, 0, 3, 2}));
}

TEST_F(WiringEditorTest, MovePixelTakesTheRecordAndItsColourToAFreeCell)
{
    open(3, 3);
    drag({0, 0}, {2, 0});
    editor->chooseTool(WiringToolButton::MovePixel);
    EXPECT_EQ(editor->mode(), WiringEditMode::MovePixel);
    EXPECT_EQ(editor->pressedTool(), WiringToolButton::MovePixel);
    drag({1, 0}, {1, 2});
    EXPECT_EQ(wiring().pixel(1), wiredAt(1, 2, 0, 1));
    EXPECT_EQ(wiring().cellColour(1, 2), portColour(0));
    EXPECT_EQ(wiring().cellColour(1, 0), 0u);
    drag({1, 2}, {0, 0}); // wired target: nothing
    drag({1, 2}, {1, 5}); // off the grid: nothing
    EXPECT_EQ(wiring().pixel(1), wiredAt(1, 2, 0, 1));
    EXPECT_EQ(editor->mode(), WiringEditMode::MovePixel);
}

TEST_F(WiringEditorTest, InsertPixelPutsANewPixelAfterTheRememberedOne)
{
    open(2, 4);
    drag({0, 0}, {3, 0});
    editor->chooseTool(WiringToolButton::InsertPixel);
    click({2, 1}); // unwired, nothing remembered: nothing
    EXPECT_EQ(wiring().count(), 4);
    click({1, 0});
    EXPECT_EQ(editor->rememberedCell(), QPoint(1, 0));
    drag({2, 1}, {3, 1}); // not a single-cell click
    EXPECT_EQ(wiring().count(), 4);
    click({1, 1});
    ASSERT_EQ(wiring().count(), 5);
    EXPECT_EQ(wiring().pixel(2), wiredAt(1, 1, 0, 2));
    EXPECT_EQ(chainWord(wiring(), 0), QStringLiteral("abfcd"));
    EXPECT_EQ(numbersInListOrder(wiring(), 0), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(editor->mode(), WiringEditMode::Define);
    EXPECT_EQ(editor->pressedTool(), WiringToolButton::None);
    EXPECT_EQ(editor->rememberedCell(), QPoint(-1, -1));
}

TEST_F(WiringEditorTest, RightClickOutsideModeZeroReturnsToDefinition)
{
    open(2, 4);
    drag({0, 0}, {3, 0});
    editor->chooseTool(WiringToolButton::InsertPixel);
    click({1, 0});
    editor->rightPress();
    EXPECT_EQ(editor->mode(), WiringEditMode::Define);
    EXPECT_EQ(editor->pressedTool(), WiringToolButton::None);
    EXPECT_EQ(editor->rememberedCell(), QPoint(-1, -1));
    EXPECT_EQ(editor->anchor(), QPoint(-100, -100));

    editor->press({2, 1}, {});
    editor->rightPress(); // mode 0: the drag goes on
    EXPECT_EQ(editor->anchor(), QPoint(2, 1));
}

TEST_F(WiringEditorTest, PressLeftOfTheGridStartsAtColumnZero)
{
    open(2, 3);
    editor->press({-2, 1}, {});
    EXPECT_EQ(editor->anchor(), QPoint(0, 1));
    editor->dragTo({1, 1});
    EXPECT_EQ(editor->rubberText(), QStringLiteral("X:1,Y:2,W:1,H:0"));
    editor->release({1, 1}, {});
    EXPECT_EQ(chainWord(wiring(), 0), QStringLiteral("de"));
}

TEST_F(WiringEditorTest, PortBoxZeroIsRefusedWithTheFocusBack)
{
    open(2, 2);
    QSignalSpy focus(editor.get(), &WiringEditor::focusPortBox);
    editor->setPortBox(0);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("端口号不能为0"));
    EXPECT_EQ(focus.count(), 1);
    click({0, 0});
    EXPECT_EQ(wiring().count(), 0);
    editor->setPortBox(5000);
    EXPECT_EQ(editor->portBox(), kMaxWiringPorts);
}

TEST_F(WiringEditorTest, CellTextShowsOneBasedPortAndPixel)
{
    open(2, 2);
    definePort(3, {0, 0}, {1, 0});
    EXPECT_EQ(editor->cellText({1, 0}), QStringLiteral("第3口,第2像素"));
    EXPECT_TRUE(editor->cellText({1, 1}).isEmpty());
    Language::setCode(Language::English);
    EXPECT_EQ(editor->cellText({1, 0}), QStringLiteral("Port 3, pixel 2"));
}

TEST_F(WiringEditorTest, ResetEmptiesWiringAndUndoStack)
{
    open(3, 3);
    drag({0, 0}, {1, 1});
    editor->resetButton();
    EXPECT_EQ(wiring().count(), 0);
    EXPECT_EQ(wiring().cellColour(0, 0), 0u);
    EXPECT_EQ(editor->undoStack().count(), 0);
    EXPECT_EQ(editor->selection(), (WiringRect{0, 0, 2, 2}));
}

} // namespace

// The colour panel's rules: clicks, runs, the 512 limit, sliders, OK.
#include "palette/colour_panel_model.h"
#include "palette/palette_file.h"
#include "palette_test_support.h"
#include "scripted_prompt.h"

namespace {

class ColourPanelTest : public ::testing::Test
{
protected:
    ColourPanelTest() : model(palette, 3, 1, prompt) {}

    int cell(int row, int column) const { return row * model.table().grades + column; }

    BuiltInTexts texts{Language::Chinese};
    PaletteState palette;
    ScriptedPrompt prompt;
    ColourPanelModel model;
};

TEST_F(ColourPanelTest, OpensWithTheCurrentListAndTheSingleColourTable)
{
    EXPECT_EQ(model.working(), palette.colours);
    EXPECT_EQ(model.table().rows, 7);
    EXPECT_EQ(model.table().grades, 16);
    EXPECT_EQ(model.selectedCell(), -1);
}

TEST_F(ColourPanelTest, AClickAppendsItsCellAndACtrlClickTheRunFromTheAnchor)
{
    model.clear();
    model.leftClick(cell(0, 2), false);
    model.leftClick(cell(0, 5), true);
    ASSERT_EQ(model.working().size(), 5u);
    EXPECT_EQ(model.working()[1], model.table().at(0, 2)); // the anchor again, then 3, 4, 5
    EXPECT_EQ(model.working()[4], model.table().at(0, 5));
    // Backwards across a row boundary, row-major.
    model.leftClick(cell(1, 1), true);
    ASSERT_EQ(model.working().size(), 5u + 13u);
    EXPECT_EQ(model.working()[5], model.table().at(0, 5));
    EXPECT_EQ(model.working()[15], model.table().at(0, 15));
    EXPECT_EQ(model.working()[17], model.table().at(1, 1));
    EXPECT_EQ(model.anchorCell(), cell(1, 1));
}

TEST_F(ColourPanelTest, ACtrlClickWithoutAnAnchorAppendsOnlyItsCell)
{
    model.clear();
    model.leftClick(cell(2, 3), true);
    EXPECT_EQ(model.working(), (std::vector<ColorValue>{model.table().at(2, 3)}));
}

TEST_F(ColourPanelTest, CtrlRightClicksMarkTheAnchorThenAppendTheRun)
{
    model.clear();
    model.rightClick(cell(0, 0), true);
    EXPECT_TRUE(model.working().empty());
    model.rightClick(cell(0, 3), true);
    EXPECT_EQ(model.working().size(), 4u);
    model.rightClick(cell(0, 9), false);
    EXPECT_EQ(model.working().back(), model.table().at(0, 9));
    EXPECT_EQ(model.selectedCell(), -1); // right clicks do not select
}

TEST_F(ColourPanelTest, ARunThatWouldPass512StopsAt512WithOneMessage)
{
    model.clear();
    model.setGradeIndex(3); // 7 x 128 cells
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(model.append(0x10));
    model.leftClick(cell(0, 0), false);
    model.leftClick(cell(6, 127), true);
    EXPECT_EQ(model.working().size(), 512u);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("调色板中颜色数量最多512种"));
}

TEST_F(ColourPanelTest, SlidersShowTheCellAndWriteItBack)
{
    model.leftClick(cell(1, 1), false); // yellow at 238
    EXPECT_EQ(model.sliders(), (std::array<int, 3>{14, 14, 0}));
    model.setSlider(2, 15);
    EXPECT_EQ(model.table().at(1, 1), makeColor(238, 238, 255));
    model.setSlider(0, 99); // limited to grades - 1
    EXPECT_EQ(model.sliders()[0], 15);
}

TEST_F(ColourPanelTest, RebuildingTheTableClearsTheSelectionAndTheAnchor)
{
    model.leftClick(cell(0, 4), false);
    model.setMode(TableMode::MixedColour);
    EXPECT_EQ(model.selectedCell(), -1);
    EXPECT_EQ(model.anchorCell(), -1);
    const size_t before = model.working().size();
    model.leftClick(cell(0, 6), true);
    EXPECT_EQ(model.working().size(), before + 1);
}

TEST_F(ColourPanelTest, OkReplacesThePaletteUnlessTheWorkingListIsEmpty)
{
    model.clear();
    EXPECT_FALSE(model.acceptInto(palette));
    EXPECT_EQ(palette.colours, PaletteState::fallbackColours());
    model.append(0x123456);
    model.append(0x654321);
    model.deleteLast();
    EXPECT_TRUE(model.acceptInto(palette));
    EXPECT_EQ(palette.colours, (std::vector<ColorValue>{0x123456}));
    model.restore(PaletteState{});
    EXPECT_EQ(model.working(), PaletteState::fallbackColours());
}

TEST_F(ColourPanelTest, ClosingSelectsTheFirstEntryAsTheCurrentColour)
{
    palette.selectEntry(2);
    colourPanelClosed(palette);
    EXPECT_EQ(palette.selected, 0);
    EXPECT_EQ(palette.currentColour, 0x0000FFu);
}

TEST_F(ColourPanelTest, AGradientFileInANormalProgramLeavesTheWorkingListAlone)
{
    QTemporaryDir dir;
    const QString path = writeBytes(dir.path(), "g.col", paletteRecord(1, 0, 5) + paletteRecord(2, '1', 6));
    ColourPanelModel normal(palette, 3, 0, prompt);
    EXPECT_FALSE(normal.openFile(path));
    EXPECT_EQ(normal.working(), palette.colours);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("调色盘颜色为渐变色不可调用"));
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Error);
    EXPECT_TRUE(model.openFile(path)); // a gradient program takes it
    EXPECT_EQ(model.working(), (std::vector<ColorValue>{5, 6}));
}

TEST_F(ColourPanelTest, FileButtonsGoThroughTheFileDialogsInThePaletteFolder)
{
    QTemporaryDir dir;
    prompt.files = {dir.filePath("saved")};
    EXPECT_TRUE(model.saveWithDialog());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("saved.col")));
    EXPECT_EQ(prompt.fileDialogFilters.back(), QStringLiteral("调色盘文件 (*.col)"));
    EXPECT_EQ(prompt.saveDialogSuffixes, QStringList{QStringLiteral("col")}); // the dialog adds ".col"
    model.clear();
    prompt.files = {dir.filePath("saved.col")};
    EXPECT_TRUE(model.openWithDialog());
    EXPECT_EQ(model.working(), palette.colours);
    EXPECT_FALSE(model.openWithDialog()); // cancelled
    prompt.files = {dir.filePath("none.col")};
    EXPECT_FALSE(model.openWithDialog());
    EXPECT_EQ(prompt.lastText(), QStringLiteral("打开文件失败！"));
}

} // namespace

// Palette fill: the whole-area fills, the in-place sweeps, the rings and
// the turning sectors; the selected palette entry is left as it was.
#include "patterns/palette_fill.h"
#include "editing/colour_action.h"
#include "patterns/jumping_notes.h"
#include "pattern_test_support.h"
#include "scripted_prompt.h"

#include <QDir>
#include <QFile>
#include <array>

namespace {

class PaletteFill : public PatternTest
{
protected:
    PaletteFill() { palette.colours = {kRed, kGreen, kBlue}; }

    int run(Document &doc, int mode, int action = 0, BlockArea area = BlockArea(), int addMode = 0)
    {
        PatternTarget target{doc, addMode, area, &palette};
        return runPaletteFill(target, {mode, action}, prompt);
    }

    PaletteState palette;
    ScriptedPrompt prompt;
};

// The points of a frame that are not black, as 0/1.
std::vector<uint8_t> litPoints(const Frame &f)
{
    std::vector<uint8_t> out(f.size());
    for (size_t i = 0; i < f.size(); ++i)
        out[i] = f[i] != kBlack;
    return out;
}

int countOf(const std::vector<uint8_t> &points)
{
    return int(std::count(points.begin(), points.end(), uint8_t(1)));
}

// The bounding box of the lit points: {left, top, right, bottom}.
std::array<int, 4> litBox(const Frame &f, int rows, int cols)
{
    std::array<int, 4> box{cols, rows, -1, -1};
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            if (f.at(x, y, cols) != kBlack)
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    return box;
}

TEST_F(PaletteFill, WholeAreaFillsMakeOneFramePerColourFromTheSelectedOne)
{
    auto doc = documentOf(2, 3, 2);
    Frame source(6, kBlack);
    source.set(1, 0, 3, 0x000100);
    source.set(2, 1, 3, kWhite);
    doc->storeFrame(source);
    doc->goToFrame(0);
    palette.selected = 2; // the last colour
    EXPECT_EQ(run(*doc, 0), 1);
    EXPECT_EQ(doc->frameCount(), 3);
    EXPECT_EQ(doc->currentIndex(), 1);
    EXPECT_EQ(picture(*doc, 1), (std::vector<std::string>{"BBB", "BBB"}));
    EXPECT_EQ(palette.selected, 2);

    // From the first colour: three frames, each combined by the colour
    // action with the frame that was current when the run began, inside
    // the defined area only.
    palette.selected = 0;
    doc->goToFrame(0);
    EXPECT_EQ(run(*doc, 0, int(ColourAction::Xor), drawnArea(1, 0, 2, 1)), 3);
    ASSERT_EQ(doc->frameCount(), 6);
    for (int k = 0; k < 3; ++k) {
        const Frame &f = doc->frames().at(1 + k);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const ColorValue expected = x == 0 ? source.at(x, y, 3) : source.at(x, y, 3) ^ palette.colours[size_t(k)];
                EXPECT_EQ(f.at(x, y, 3), expected) << "frame " << k << " point " << x << "," << y;
            }
    }
    EXPECT_EQ(doc->currentIndex(), 3);
    EXPECT_EQ(palette.selected, 0);
}

TEST_F(PaletteFill, TheTransparentWholeAreaFillLeavesTheBackgroundColour)
{
    auto doc = documentOf(1, 4);
    doc->storeFrame(lettered({"a.b."}));
    doc->setBackgroundColor(ColorValue('.'));
    palette.selected = 1;
    EXPECT_EQ(run(*doc, 1), 2);
    const Frame &green = doc->frames().at(1);
    const Frame &blue = doc->frames().at(2);
    EXPECT_EQ(green.pixels(), (std::vector<ColorValue>{kGreen, '.', kGreen, '.'}));
    EXPECT_EQ(blue.pixels(), (std::vector<ColorValue>{kBlue, '.', kBlue, '.'}));
}

TEST_F(PaletteFill, SweepsRecolourTheCurrentFrameLineByLineAndSkipBackgroundLines)
{
    // Column 1 (row 1) is all background and keeps its points and the
    // colour for the next line; single background points stay.
    struct Case
    {
        int mode;
        Rows frame;
        Rows result; // letters: R G B the palette colours, others unchanged
    };
    const std::vector<Case> cases = {
        {2, {"a.c.e", "f.hij"}, {"R.G.R", "R.GBR"}},
        {3, {"a.c.e", "f.hij"}, {"R.B.R", "R.BGR"}},
        {4, {"ab", "..", "cd", ".e"}, {"RR", "..", "GG", ".B"}},
        {5, {"ab", "..", "cd", ".e"}, {"BB", "..", "GG", ".R"}},
    };
    for (const Case &c : cases) {
        const int rows = int(c.frame.size());
        const int cols = int(c.frame.front().size());
        auto doc = documentOf(rows, cols, 2);
        doc->goToFrame(1);
        doc->storeFrame(lettered(c.frame));
        doc->setBackgroundColor(ColorValue('.'));
        palette.colours = {ColorValue('R'), ColorValue('G'), ColorValue('B')};
        palette.selected = 0;
        EXPECT_EQ(run(*doc, c.mode), 1) << "mode " << c.mode;
        EXPECT_EQ(doc->frameCount(), 2) << "mode " << c.mode;
        EXPECT_EQ(doc->currentIndex(), 1);
        EXPECT_EQ(letters(doc->frames().at(1), rows, cols), c.result) << "mode " << c.mode;
        EXPECT_EQ(palette.selected, 0);
    }
}

TEST_F(PaletteFill, SweepsKeepInsideTheAreaAndCombineByTheColourAction)
{
    auto doc = documentOf(3, 4);
    doc->storeFrame(lettered({"abcd", "efgh", "ijkl"}));
    palette.colours = {0x20, 0x40};
    palette.selected = 1;
    // Top to bottom over rows 1 and 2, columns 1 and 2, adding the colour.
    EXPECT_EQ(run(*doc, 4, int(ColourAction::Add), drawnArea(1, 1, 2, 2)), 1);
    EXPECT_EQ(letters(doc->frames().at(0), 3, 4), (Rows{"abcd", "e\xA6\xA7h", "i\x8A\x8Bl"}));
    EXPECT_EQ(palette.selected, 1);
}

TEST_F(PaletteFill, ASweepOverNothingButBackgroundChangesNothing)
{
    auto doc = documentOf(2, 2);
    const Frame before = doc->frames().at(0);
    EXPECT_EQ(run(*doc, 2), 0);
    EXPECT_EQ(doc->frames().at(0), before);
    EXPECT_EQ(doc->frameCount(), 1);
}

TEST_F(PaletteFill, RingsMakeTruncOf0707TimesTheShorterSidePlusOneFrames)
{
    EXPECT_EQ(paletteRingCount(24, 40), 17); // 0.707 x 24 + 1 = 17.968
    EXPECT_EQ(paletteRingCount(10, 3), 3);   // 3.121
    EXPECT_EQ(paletteRingCount(1, 1), 1);
    for (int mode : {6, 7}) {
        auto doc = documentOf(24, 40);
        palette.selected = 1;
        EXPECT_EQ(run(*doc, mode), 17) << "mode " << mode;
        ASSERT_EQ(doc->frameCount(), 18);
        for (int k = 0; k < 17; ++k) {
            const Frame &f = doc->frames().at(1 + k);
            ASSERT_GT(countOf(litPoints(f)), 0) << "mode " << mode << " ring " << k;
            // One colour per ring, from the selected entry on, wrapping.
            for (ColorValue c : f.pixels()) {
                if (c != kBlack) {
                    ASSERT_EQ(c, palette.colours[size_t(1 + k) % 3]) << "mode " << mode << " ring " << k;
                }
            }
        }
        const auto first = litBox(doc->frames().at(1), 24, 40);
        const auto last = litBox(doc->frames().at(17), 24, 40);
        if (mode == 6) {
            // From a flat ellipse at the centre outwards, past the grid.
            EXPECT_GT(first[0], 0);
            EXPECT_LT(first[2], 39);
            EXPECT_GT(last[2] - last[0], first[2] - first[0]);
        } else {
            // From around the grid (its outline cuts the corners) inwards.
            EXPECT_GT(first[2] - first[0], last[2] - last[0]);
            EXPECT_GT(last[0], 0);
            EXPECT_LT(last[2], 39);
        }
        EXPECT_EQ(palette.selected, 1);
    }
}

TEST_F(PaletteFill, TurningSectorsMakeTwentyFourFramesAndTheAccumulatingOnesAFullWheel)
{
    constexpr int rows = 16;
    constexpr int cols = 20;
    std::map<int, std::unique_ptr<Document>> runs;
    for (int mode = 8; mode <= 15; ++mode) {
        auto doc = documentOf(rows, cols);
        palette.selected = 2;
        EXPECT_EQ(run(*doc, mode), 24) << "mode " << mode;
        EXPECT_EQ(doc->frameCount(), 25);
        EXPECT_EQ(doc->currentIndex(), 24);
        EXPECT_EQ(palette.selected, 2);
        runs[mode] = std::move(doc);
    }
    // Around the grid, the wheel covers every point; inside it, exactly
    // the points of the 24 single sectors together.
    for (int mode : {8, 9}) {
        const Frame &wheel = runs[mode]->frames().at(24);
        EXPECT_EQ(countOf(litPoints(wheel)), rows * cols) << "mode " << mode;
        for (auto [r, c] : {std::pair{24, 40}, {7, 3}, {1, 1}, {33, 17}}) {
            auto other = documentOf(r, c);
            ASSERT_EQ(run(*other, mode), 24);
            EXPECT_EQ(countOf(litPoints(other->frames().at(24))), r * c) << "mode " << mode << " on " << r << " x " << c;
        }
    }
    for (int pair : {12, 13}) {
        std::vector<uint8_t> together(rows * cols, 0);
        for (int k = 1; k <= 24; ++k) {
            const std::vector<uint8_t> one = litPoints(runs[pair + 2]->frames().at(k));
            for (size_t i = 0; i < one.size(); ++i)
                together[i] |= one[i];
        }
        EXPECT_EQ(litPoints(runs[pair]->frames().at(24)), together) << "mode " << pair;
        EXPECT_LT(countOf(together), rows * cols); // the corners lie outside the ellipse
        EXPECT_GT(countOf(together), rows * cols * 3 / 4);
    }
    // Each accumulating frame keeps the one before and adds its sector in
    // the next colour; single sectors show one sector on black.
    for (int k = 2; k <= 24; ++k) {
        const Frame &before = runs[8]->frames().at(k - 1);
        const Frame &now = runs[8]->frames().at(k);
        const ColorValue colour = palette.colours[size_t(2 + k - 1) % 3];
        for (size_t i = 0; i < now.size(); ++i)
            ASSERT_TRUE(now[i] == before[i] || now[i] == colour) << "frame " << k;
        const Frame &single = runs[10]->frames().at(k);
        for (ColorValue c : single.pixels())
            ASSERT_TRUE(c == kBlack || c == colour) << "frame " << k;
    }
}

TEST_F(PaletteFill, ClockwiseSectorsTurnDownwardsFromTheRightAndTheOthersUpwards)
{
    // Clockwise on screen: the second sector (15 to 30 degrees) lies below
    // the centre's row, right of it; counter-clockwise above it.
    constexpr int rows = 40;
    constexpr int cols = 40;
    for (int mode : {10, 11, 14, 15}) {
        auto doc = documentOf(rows, cols);
        ASSERT_EQ(run(*doc, mode), 24);
        // Both wheels turn about the grid's centre.
        const int centre = 20;
        const auto box = litBox(doc->frames().at(2), rows, cols);
        ASSERT_GE(box[2], 0) << "mode " << mode;
        EXPECT_GE(box[0], centre - 1) << "mode " << mode;
        if (mode % 2 == 0)
            EXPECT_GE(box[1], centre - 1) << "mode " << mode;
        else
            EXPECT_LE(box[3], centre) << "mode " << mode;
    }
}

TEST_F(PaletteFill, AnEmptyPaletteShowsTheMessageAndChangesNothing)
{
    auto doc = documentOf(3, 3);
    doc->storeFrame(lettered({"abc", "def", "ghi"}));
    const Frame before = doc->frames().at(0);
    palette.colours.clear();
    for (int mode = 0; mode < kPaletteFillModeCount; ++mode)
        EXPECT_EQ(run(*doc, mode), 0);
    EXPECT_EQ(prompt.texts(), QStringList(kPaletteFillModeCount, QStringLiteral("调色板中颜色为空")));
    EXPECT_EQ(doc->frameCount(), 1);
    EXPECT_EQ(doc->frames().at(0), before);
}

TEST_F(PaletteFill, FrameCountsAgreeWithRealRuns)
{
    palette.colours = {kRed, kGreen, kBlue, kWhite};
    for (int mode = 0; mode < kPaletteFillModeCount; ++mode) {
        auto doc = documentOf(9, 13);
        doc->storeFrame(lettered(std::vector<std::string>(9, "abcdefghijklm")));
        palette.selected = 1;
        const int64_t counted = paletteFillFrameCount(mode, 9, 13, 4, 1);
        run(*doc, mode, 0, BlockArea(), 2); // added whatever the AddMode
        EXPECT_EQ(doc->frameCount() - 1, counted) << "mode " << mode;
    }
}

TEST_F(PaletteFill, ModeTextsAndTheEmptyPaletteMessageComeFromTheLanguageFile)
{
    EXPECT_EQ(paletteFillModeText(0), QStringLiteral("调色板覆盖填充(生成多帧)"));
    EXPECT_EQ(paletteFillModeText(15), QStringLiteral("调色板逆时针圆形旋转方式4(内切圆,帧不继承)"));
    EXPECT_TRUE(paletteFillModeText(16).isEmpty());
    QFile file(QDir(languageDir.path()).filePath("English.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[AutoComboBox]\nComboBoxPaletteFillItem7=Rings inwards\nComboBoxNoteItem2=Even\n"
               "[Message]\nPaletteIsEmpty=No colours\n");
    file.close();
    Language::setCode(Language::English);
    Language::reload();
    EXPECT_EQ(paletteFillModeText(7), "Rings inwards");
    EXPECT_EQ(jumpingNotesRangeText(2), "Even");
    EXPECT_EQ(jumpingNotesRangeText(0), QStringLiteral("所有列(行)")); // not in the file
    auto doc = documentOf(2, 2);
    palette.colours.clear();
    EXPECT_EQ(run(*doc, 0), 0);
    EXPECT_EQ(prompt.texts(), QStringList{"No colours"});
}

} // namespace

// PaletteFlow: every direction on a small rectangle, the key colour, the
// clamped rectangle, one colour and no colour at all.
#include "patterns/palette_flow.h"
#include "palette/palette_state.h"
#include "pattern_test_support.h"

namespace {

using Flow = PatternTest;

constexpr ColorValue kOther = 7;  // a foreground pixel before recolouring
constexpr ColorValue kKey = 0x99; // the background: never recoloured

// Palette entry i is the colour 100 + i, so a pixel shows its index.
PaletteState indexPalette(int count, int selected)
{
    PaletteState p;
    p.colours.clear();
    for (int i = 0; i < count; ++i)
        p.colours.push_back(ColorValue(100 + i));
    p.selected = selected;
    return p;
}

// The indexes over the rectangle's rows, as digits ('k' for the key,
// '-' for an untouched pixel).
std::vector<std::string> indexes(const Frame &f, int cols, const GridRect &r)
{
    std::vector<std::string> out;
    for (int y = r.top; y <= r.bottom; ++y) {
        std::string row;
        for (int x = r.left; x <= r.right; ++x) {
            const ColorValue c = f.at(x, y, cols);
            row += c == kKey ? 'k' : c == kOther ? '-' : char('0' + int(c) - 100);
        }
        out.push_back(row);
    }
    return out;
}

TEST_F(Flow, EveryDirectionOnAFourByThreeRectangle)
{
    // Palette of 5, selected entry 1, rectangle columns 1..4 and rows 1..3
    // of a 5 x 6 grid. Expected indexes worked out from the rules:
    // s + row part + column part, modulo 5.
    struct Case
    {
        FlowDirection d;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {FlowDirection::Up, {"1111", "2222", "3333"}},
        {FlowDirection::Down, {"3333", "2222", "1111"}},
        {FlowDirection::Left, {"1234", "1234", "1234"}},
        {FlowDirection::Right, {"4321", "4321", "4321"}},
        {FlowDirection::LeftUp, {"1234", "2340", "3401"}},
        {FlowDirection::RightUp, {"4321", "0432", "1043"}},
        {FlowDirection::LeftDown, {"3401", "2340", "1234"}},
        {FlowDirection::RightDown, {"1043", "0432", "4321"}},
        {FlowDirection::WaveUp, {"1122", "2233", "3344"}},
        {FlowDirection::WaveDown, {"3344", "2233", "1122"}},
    };
    const GridRect rect{1, 1, 4, 3};
    for (const Case &c : cases) {
        Frame f(30, kOther);
        PaletteState palette = indexPalette(5, 1);
        PaletteFlow flow;
        flow.apply(f, 5, 6, rect, kKey, c.d, palette);
        EXPECT_EQ(indexes(f, 6, rect), c.rows) << int(c.d);
        EXPECT_EQ(palette.selected, 2);
        // Nothing outside the rectangle changes.
        EXPECT_EQ(indexes(f, 6, {0, 0, 5, 0}), std::vector<std::string>{"------"});
        EXPECT_EQ(indexes(f, 6, {0, 4, 5, 4}), std::vector<std::string>{"------"});
        EXPECT_EQ(f.at(0, 2, 6), kOther);
        EXPECT_EQ(f.at(5, 2, 6), kOther);
    }
}

TEST_F(Flow, TheWaveHasAPeriodOfTwelveColumns)
{
    Frame f(13, kOther);
    PaletteState palette = indexPalette(7, 0);
    PaletteFlow().apply(f, 1, 13, {0, 0, 12, 0}, kKey, FlowDirection::WaveUp, palette);
    EXPECT_EQ(indexes(f, 13, {0, 0, 12, 0}), std::vector<std::string>{"0011222211000"});
}

TEST_F(Flow, KeyPixelsKeepTheirColour)
{
    Frame f(6, kOther);
    f.set(1, 0, 3, kKey);
    f.set(2, 1, 3, kKey);
    PaletteState palette = indexPalette(3, 0);
    PaletteFlow().apply(f, 2, 3, {0, 0, 2, 1}, kKey, FlowDirection::Left, palette);
    EXPECT_EQ(indexes(f, 3, {0, 0, 2, 1}), (std::vector<std::string>{"0k2", "01k"}));
}

TEST_F(Flow, TheRectangleIsClampedToTheGrid)
{
    Frame f(6, kOther);
    PaletteState palette = indexPalette(4, 3);
    PaletteFlow().apply(f, 2, 3, {-2, -1, 10, 10}, kKey, FlowDirection::Up, palette);
    EXPECT_EQ(indexes(f, 3, {0, 0, 2, 1}), (std::vector<std::string>{"333", "000"}));
    EXPECT_EQ(palette.selected, 0); // wraps after the last entry
}

TEST_F(Flow, OneColourPaintsEveryNonKeyPixelInEveryDirection)
{
    for (int d = 0; d < kFlowDirectionCount; ++d) {
        Frame f(12, kOther);
        f.set(0, 0, 4, kKey);
        PaletteState palette = indexPalette(1, 0);
        PaletteFlow().apply(f, 3, 4, {0, 0, 3, 2}, kKey, FlowDirection(d), palette);
        EXPECT_EQ(indexes(f, 4, {0, 0, 3, 2}), (std::vector<std::string>{"k000", "0000", "0000"})) << d;
        EXPECT_EQ(palette.selected, 0);
    }
}

TEST_F(Flow, AnEmptyPaletteLeavesTheFrameUnchanged)
{
    Frame f(4, kOther);
    PaletteState palette = indexPalette(0, 0);
    PaletteFlow().apply(f, 2, 2, {0, 0, 1, 1}, kKey, FlowDirection::Down, palette);
    EXPECT_EQ(f, Frame(4, kOther));
    EXPECT_EQ(palette.selected, 0);
}

TEST_F(Flow, SuccessiveFramesMoveTheColoursOneLine)
{
    // "Up": the colour on row y in one frame is on row y - 1 in the next.
    PaletteState palette = indexPalette(6, 0);
    PaletteFlow flow;
    Frame first(4, kOther), second(4, kOther);
    flow.apply(first, 4, 1, {0, 0, 0, 3}, kKey, FlowDirection::Up, palette);
    flow.apply(second, 4, 1, {0, 0, 0, 3}, kKey, FlowDirection::Up, palette);
    for (int y = 1; y < 4; ++y)
        EXPECT_EQ(second[size_t(y - 1)], first[size_t(y)]);
}

TEST_F(Flow, DirectionTextsHaveNoTrailingTabs)
{
    Language::setCode(Language::English);
    const QStringList english = {"Up", "Down", "Left", "right", "LeftTop", "RightTop", "LeftBottom",
                                 "RightBottom", "WaveUp", "WaveDown"};
    for (int d = 0; d < kFlowDirectionCount; ++d)
        EXPECT_EQ(flowDirectionText(d), english[d]);
    Language::setCode(Language::Chinese);
    EXPECT_EQ(flowDirectionText(0), QStringLiteral("向上"));
    EXPECT_EQ(flowDirectionText(7), QStringLiteral("向右下"));
    EXPECT_EQ(flowDirectionText(9), QStringLiteral("波下"));
    Language::setCode(Language::Traditional);
    EXPECT_EQ(flowDirectionText(8), QStringLiteral("波上"));
    EXPECT_EQ(flowDirectionText(3), QStringLiteral("向右"));
    EXPECT_EQ(flowDirectionText(10), QString());
}

} // namespace

// The text page's runs: rendering without antialiasing on one baseline,
// scrolling left and up, lines entering with an effect, the frame start
// and AddMode rules, the palette flow, and the refusals and questions.
#include "patterns/text_pattern.h"
#include "patterns/flow_direction.h"
#include "pattern_test_support.h"
#include "picture_test_support.h"
#include "scripted_prompt.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

class TextPattern : public PatternTest
{
protected:
    void SetUp() override
    {
        PatternTest::SetUp();
        ensurePictureApp();
    }

    static std::vector<TextLine> red(const QString &text)
    {
        return plainTextLines(text, defaultTextFont(), QColor(Qt::red));
    }
};

// Whether any cell of column x (of a one-area grid) is lit.
bool columnLit(const Frame &f, int rows, int cols, int x)
{
    for (int y = 0; y < rows; ++y)
        if (f.at(x, y, cols) != 0)
            return true;
    return false;
}

// The grid colour of cell (c, r) of a rendered line; black outside it.
ColorValue lineCell(const QImage &line, int c, int r)
{
    return c >= 0 && r >= 0 && c < line.width() && r < line.height() ? colorFromArgb(line.pixel(c, r)) : 0;
}

int litCount(const Frame &f)
{
    int lit = 0;
    for (ColorValue c : f.pixels())
        lit += c != 0;
    return lit;
}

TEST_F(TextPattern, TextIsDrawnCrispInItsColourOnOneBaseline)
{
    // A 16-row grid shows Latin and Chinese of the default font whole.
    EXPECT_LE(renderTextLines(red(QStringLiteral("Hello 你好"))).bandHeight, 16);
    const RenderedText text = renderTextLines(red(QStringLiteral("Hello 你好\ngap")));
    ASSERT_EQ(text.lines.size(), 2u);
    // With descenders the band is a row taller.
    EXPECT_LE(text.bandHeight, 18);
    for (const QImage &line : text.lines) {
        EXPECT_EQ(line.height(), text.bandHeight);
        for (int y = 0; y < line.height(); ++y)
            for (int x = 0; x < line.width(); ++x) {
                const QRgb p = line.pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(p == 0 || p == 0xFF0000) << std::hex << p; // no blended edges
            }
    }
    // The band's first and last rows carry ink: it is cut to the text.
    const QImage &first = text.lines[0];
    const auto rowLit = [](const QImage &img, int y) {
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0)
                return true;
        return false;
    };
    EXPECT_TRUE(rowLit(first, 0) || rowLit(text.lines[1], 0));
    EXPECT_TRUE(rowLit(first, text.bandHeight - 1) || rowLit(text.lines[1], text.bandHeight - 1));
}

TEST_F(TextPattern, RichTextGivesItsRunsAndWrapsAtTheLineWidth)
{
    QTextDocument doc;
    doc.setDefaultFont(defaultTextFont());
    QTextCursor cursor(&doc);
    QTextCharFormat redFormat;
    redFormat.setForeground(QColor(Qt::red));
    QTextCharFormat greenBold;
    greenBold.setForeground(QColor(Qt::green));
    greenBold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("ab "), redFormat);
    cursor.insertText(QStringLiteral("cd"), greenBold);
    std::vector<TextLine> lines = textLinesOf(doc, 0);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 2u);
    EXPECT_EQ(lines[0][0].text, QStringLiteral("ab "));
    EXPECT_EQ(lines[0][1].colour, QColor(Qt::green));
    EXPECT_TRUE(lines[0][1].font.bold());

    cursor.insertText(QStringLiteral(" efgh ijkl mnop qrst"), redFormat);
    cursor.insertBlock();
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("uv"), redFormat);
    lines = textLinesOf(doc, 40);
    ASSERT_GT(lines.size(), 4u); // wrapped, with the empty paragraph kept
    EXPECT_TRUE(lines[lines.size() - 2].empty());
    EXPECT_EQ(lines.back()[0].text, QStringLiteral("uv"));
    EXPECT_TRUE(textLinesOf(QTextDocument(), 40).empty());
}

TEST_F(TextPattern, ScrollLeftEntersAtTheRightAndMakesWidthPlusAreaMinusOneFrames)
{
    const std::vector<TextLine> lines = red(QStringLiteral("Hi 你"));
    const RenderedText text = renderTextLines(lines);
    auto doc = documentOf(16, 40);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    const int made = runTextPattern(target, lines, {kStuntScrollLeft, 1, kTextNoFlowItem}, prompt);
    EXPECT_EQ(made, text.width() + 39);
    ASSERT_EQ(doc->frameCount(), 1 + made);
    // Frame t shows strip column c at area column 39 - t + c, the band
    // centred in the 16 rows.
    const int top = (16 - text.bandHeight) / 2;
    const QImage &strip = text.lines[0];
    for (int t : {0, 5, 39, made - 1}) {
        const Frame &f = doc->frames().at(1 + t);
        for (int x = 0; x < 40; ++x)
            for (int y = 0; y < 16; ++y)
                ASSERT_EQ(f.at(x, y, 40), lineCell(strip, x - (39 - t), y - top)) << "t " << t << " at " << x << "," << y;
    }
    // Step 3 takes a third of the frames, rounded up.
    auto doc3 = documentOf(16, 40);
    PatternTarget target3{*doc3};
    EXPECT_EQ(runTextPattern(target3, lines, {kStuntScrollLeft, 3, kTextNoFlowItem}, prompt),
              (text.width() + 39 + 2) / 3);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(TextPattern, ScrollUpFrameCounts)
{
    // Hand-made text: two lines of 5 rows stack to 11 rows (one dark row
    // between), offsets 0 .. 9.
    RenderedText text;
    text.bandHeight = 5;
    text.lineHeight = 6;
    text.lines = {QImage(4, 5, QImage::Format_RGB32), QImage(4, 5, QImage::Format_RGB32)};
    EXPECT_EQ(textFrameCount(text, {kStuntScrollUp, 1}, 8, 8), 10);
    EXPECT_EQ(textFrameCount(text, {kStuntScrollUp, 0}, 8, 8), 10); // below 2 counts as 1
    EXPECT_EQ(textFrameCount(text, {kStuntScrollUp, 3}, 8, 8), 4);
    EXPECT_EQ(textFrameCount(text, {kStuntScrollUp, 50}, 8, 8), 1); // the first frame in every case
    text.lines.resize(1);
    text.bandHeight = 1;
    text.lineHeight = 2;
    EXPECT_EQ(textFrameCount(text, {kStuntScrollUp, 1}, 8, 8), 0); // one row: no frame

    // A real run: frame t shows the stacked lines from row t.
    const std::vector<TextLine> lines = red(QStringLiteral("ab\ncd"));
    const RenderedText real = renderTextLines(lines);
    auto doc = documentOf(12, 20);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    const int made = runTextPattern(target, lines, {kStuntScrollUp, 2, kTextNoFlowItem}, prompt);
    EXPECT_EQ(made, (2 * real.lineHeight - 2 + 1) / 2);
    const Frame &second = doc->frames().at(2); // offset 2
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < real.lines[0].width(); ++x) {
            const int row = y + 2;
            const ColorValue expected = row < real.lineHeight ? lineCell(real.lines[0], x, row)
                                                              : lineCell(real.lines[1], x, row - real.lineHeight);
            ASSERT_EQ(second.at(x, y, 20), expected) << x << "," << y;
        }
}

TEST_F(TextPattern, EachLineEntersAloneWithTheEffect)
{
    const std::vector<TextLine> lines = red(QStringLiteral("ab\ncd"));
    auto doc = documentOf(16, 30);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    // "左覆盖" in three frames a line.
    EXPECT_EQ(runTextPattern(target, lines, {kStuntFirstEffect + kEffectFirstCover, 3, kTextNoFlowItem}, prompt), 6);
    ASSERT_EQ(doc->frameCount(), 7);
    // The finished lines differ; each stands alone, centred: nothing in the
    // outer columns.
    const Frame &ab = doc->frames().at(3);
    const Frame &cd = doc->frames().at(6);
    EXPECT_NE(ab, cd);
    EXPECT_GT(litCount(ab), 0);
    EXPECT_FALSE(columnLit(ab, 16, 30, 0));
    EXPECT_FALSE(columnLit(cd, 16, 30, 29));
    // The cover grows from the left: the first frame of a line shows only
    // its left third.
    const Frame &start = doc->frames().at(4);
    for (int x = 10; x < 30; ++x)
        EXPECT_FALSE(columnLit(start, 16, 30, x)) << x;
    // Random: one effect a line, every line finished at its last frame.
    auto docR = documentOf(16, 30);
    PatternTarget targetR{*docR};
    EXPECT_EQ(runTextPattern(targetR, lines, {kStuntRandom, 4, kTextNoFlowItem}, prompt), 8);
    EXPECT_EQ(docR->frames().at(4), ab);
    EXPECT_EQ(docR->frames().at(8), cd);
}

TEST_F(TextPattern, AddModesAndTheFrameStart)
{
    const std::vector<TextLine> lines = red(QStringLiteral("x"));
    const int frames = int(textFrameCount(renderTextLines(lines), {kStuntScrollLeft, 1}, 8, 8));
    ScriptedPrompt prompt;
    {
        // Current frame: the length stays, the last frame remains, and the
        // current frame's cells outside the area are kept.
        auto doc = documentOf(10, 12, 3);
        doc->setNewFrameCopiesCurrent(true); // as the AddMode drop-down sets it
        doc->frames().at(0)[0] = kGreen;
        PatternTarget target{*doc, 2, drawnArea(2, 1, 9, 8)};
        EXPECT_EQ(runTextPattern(target, lines, {kStuntScrollLeft, 1, kTextNoFlowItem}, prompt), frames);
        EXPECT_EQ(doc->frameCount(), 3);
        EXPECT_EQ(doc->frames().at(0)[0], kGreen);
        EXPECT_FALSE(columnLit(doc->frames().at(0), 10, 12, 9)); // the text has left
    }
    {
        // Overwrite: from the last frame, frames are written and appended.
        auto doc = documentOf(10, 12, 1);
        doc->setNewFrameCopiesCurrent(true);
        doc->frames().at(0)[0] = kGreen;
        PatternTarget target{*doc, 1, drawnArea(2, 1, 9, 8)};
        EXPECT_EQ(runTextPattern(target, lines, {kStuntScrollLeft, 1, kTextNoFlowItem}, prompt), frames);
        EXPECT_EQ(doc->frameCount(), frames + 1);
        for (int f = 0; f <= frames; ++f)
            EXPECT_EQ(doc->frames().at(f)[0], kGreen) << f;
    }
    {
        // Insert: new frames from the frame constructor, black outside.
        auto doc = documentOf(10, 12, 1);
        doc->frames().at(0)[0] = kGreen;
        PatternTarget target{*doc, 0, drawnArea(2, 1, 9, 8)};
        EXPECT_EQ(runTextPattern(target, lines, {kStuntScrollLeft, 1, kTextNoFlowItem}, prompt), frames);
        EXPECT_EQ(doc->frameCount(), frames + 1);
        EXPECT_EQ(doc->frames().at(1)[0], kBlack);
    }
}

TEST_F(TextPattern, PaletteFlowRecoloursOnlyTheText)
{
    const std::vector<TextLine> lines = red(QStringLiteral("HH"));
    auto doc = documentOf(16, 20);
    PaletteState palette;
    palette.colours = {kGreen, kBlue};
    palette.selected = 0;
    PatternTarget target{*doc, 0, BlockArea(), &palette};
    ScriptedPrompt prompt;
    const int made = runTextPattern(target, lines, {kStuntFirstEffect + kEffectFade, 3, int(FlowDirection::Left)}, prompt);
    EXPECT_EQ(made, 3);
    EXPECT_EQ(palette.selected, 1); // advanced once a frame: 0 -> 1 -> 0 -> 1
    const Frame &last = doc->frames().at(3);
    int lit = 0;
    for (ColorValue c : last.pixels()) {
        EXPECT_TRUE(c == kBlack || c == kGreen || c == kBlue) << std::hex << c;
        lit += c != kBlack;
    }
    EXPECT_GT(lit, 0);
}

TEST_F(TextPattern, RefusalsAndQuestions)
{
    auto doc = documentOf(16, 40);
    PatternTarget target{*doc};
    ScriptedPrompt prompt;
    EXPECT_EQ(runTextPattern(target, red(QStringLiteral("  \n ")), {}, prompt), 0);
    EXPECT_EQ(runTextPattern(target, {}, {}, prompt), 0);
    EXPECT_EQ(prompt.texts(), QStringList(2, QStringLiteral("没有输入文字")));

    prompt.shown.clear();
    PatternTarget narrow{*doc, 0, drawnArea(0, 0, 6, 15)};
    EXPECT_EQ(runTextPattern(narrow, red(QStringLiteral("a")), {}, prompt), 0);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("网格的列数小于8"));

    // Black text: asked; No makes nothing, Yes goes on.
    prompt.shown.clear();
    const std::vector<TextLine> black = plainTextLines(QStringLiteral("a"), defaultTextFont(), QColor(Qt::black));
    EXPECT_EQ(runTextPattern(target, black, {kStuntScrollLeft, 1, kTextNoFlowItem}, prompt), 0);
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_GT(runTextPattern(target, black, {kStuntScrollLeft, 1, kTextNoFlowItem}, prompt), 0);
    EXPECT_EQ(prompt.texts(), QStringList(2, QStringLiteral("当前颜色为黑色,要继续吗?")));

    // Scrolling up a line wider than the area asks; No makes nothing.
    prompt.shown.clear();
    const int before = doc->frameCount();
    EXPECT_EQ(runTextPattern(target, red(QStringLiteral("a line far wider than forty columns")), {}, prompt), 0);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("一行文字太多，最后的字可能显示不完整。\n是否继续？"));
    EXPECT_EQ(doc->frameCount(), before);

    // More than 100,000 frames: refused before a frame is made.
    prompt.shown.clear();
    EXPECT_EQ(runTextPattern(target, red(QString(20000, QLatin1Char('W'))), {kStuntScrollLeft, 1, kTextNoFlowItem}, prompt), 0);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("输入的文字太多"));
    EXPECT_EQ(doc->frameCount(), before);
}

} // namespace

#pragma once
// The text page ("文字输入"): formatted text rendered without antialiasing
// (LED cells are either lit or dark) scrolls left or up through the area,
// or enters it line by line with a transition effect. The text may be
// recoloured with a PaletteFlow. Honours the defined area and follows all
// three AddModes; with "覆盖" and "当前帧" a frame starts as a copy of the
// current frame and only the area is replaced.
//
// Where text sits: every line is drawn on one baseline shared by the whole
// text, and the rows from the highest to the lowest inked row of the whole
// text (the text band) are what the area shows. The band is centred
// vertically in the area (one too tall loses as many rows at the top as at
// the bottom); lines entering with an effect are centred horizontally too.

#include "patterns/pattern_target.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <vector>

class Prompt;
class QTextDocument;

// One run of characters with its own font and colour.
struct TextRun
{
    QString text;
    QFont font;
    QColor colour;
};
using TextLine = std::vector<TextRun>;

// The page's default format: "Arial" 16 pixels high, red.
QFont defaultTextFont();
constexpr QRgb kDefaultTextColour = 0xFFFF0000; // red

// The lines of `doc` as it wraps them at `wrapWidth` pixels (no wrapping
// when 0 or less), each a list of runs. Empty lines are kept; a document
// with no characters at all has no lines.
std::vector<TextLine> textLinesOf(const QTextDocument &doc, int wrapWidth);

// A plain text in one font and colour, one line per '\n'.
std::vector<TextLine> plainTextLines(const QString &text, const QFont &font, QColor colour);

// The text rendered: one image per line on the shared baseline, black
// where there is no text, all `bandHeight` rows high (the text band).
struct RenderedText
{
    std::vector<QImage> lines;
    int bandHeight = 0;
    // Rows between the tops of two lines when the lines are stacked
    // (scroll up): the tallest line's height.
    int lineHeight = 0;
    int width() const;
};
RenderedText renderTextLines(const std::vector<TextLine> &lines);

// The run, by the appearance entry of the list (0 scroll up, 1 scroll
// left, 2..54 effects, 55 random effect per line).
struct TextPatternParams
{
    int appearance = 0;
    int step = 2;       // scroll step or frames per line; below 2 counts as 1
    int colourItem = 10; // 0..9 a FlowDirection, 10 "不使用"
};
constexpr int kTextNoFlowItem = 10;
// The narrowest area text is drawn in.
constexpr int kMinTextColumns = 8;
// The most frames one run may make.
constexpr int64_t kMaxTextFrames = 100000;

// Frames a run makes over an area of width x height.
int64_t textFrameCount(const RenderedText &text, const TextPatternParams &p, int width, int height);

// Makes the frames, no checks. Returns the number made.
int generateTextPattern(PatternTarget &target, const RenderedText &text, const TextPatternParams &p);

// The confirm button: "没有输入文字" without text, "网格的列数小于%d" for an
// area narrower than kMinTextColumns, "输入的文字太多" past kMaxTextFrames,
// "TooManyFrames" when they would not fit in memory; with scroll up a line
// wider than the area asks whether to go on, and black text asks too.
int runTextPattern(PatternTarget &target, const std::vector<TextLine> &lines, const TextPatternParams &p,
                   Prompt &prompt);

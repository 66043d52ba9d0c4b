#include "patterns/text_pattern.h"

#include "document/frame_budget.h"
#include "palette/palette_state.h"
#include "patterns/palette_flow.h"
#include "patterns/pattern_random.h"
#include "patterns/transition_effects.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <memory>

QFont defaultTextFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    return font;
}

std::vector<TextLine> textLinesOf(const QTextDocument &doc, int wrapWidth)
{
    std::vector<TextLine> lines;
    if (doc.isEmpty())
        return lines;
    // Laid out on a copy, so the text box's own layout is not disturbed;
    // its margin is kept, so the lines break where the box breaks them.
    std::unique_ptr<QTextDocument> copy(doc.clone());
    copy->setTextWidth(wrapWidth > 0 ? wrapWidth : -1);
    copy->documentLayout()->documentSize(); // lays every block out
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const int lineCount = layout ? layout->lineCount() : 0;
        if (lineCount == 0) {
            lines.emplace_back();
            continue;
        }
        for (int l = 0; l < lineCount; ++l) {
            const QTextLine line = layout->lineAt(l);
            const int start = block.position() + line.textStart();
            const int end = start + line.textLength();
            TextLine runs;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = std::max(start, fragment.position());
                const int to = std::min(end, fragment.position() + fragment.length());
                if (from >= to)
                    continue;
                const QTextCharFormat format = fragment.charFormat();
                QString text = fragment.text().mid(from - fragment.position(), to - from);
                text.remove(QChar::LineSeparator).remove(QChar::ParagraphSeparator);
                if (text.isEmpty())
                    continue;
                const QBrush brush = format.foreground();
                const QColor colour = brush.style() == Qt::NoBrush ? QColor::fromRgb(kDefaultTextColour) : brush.color();
                runs.push_back(TextRun{text, format.font(), colour});
            }
            lines.push_back(std::move(runs));
        }
    }
    return lines;
}

std::vector<TextLine> plainTextLines(const QString &text, const QFont &font, QColor colour)
{
    std::vector<TextLine> lines;
    if (text.isEmpty())
        return lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        TextLine runs;
        if (!line.isEmpty())
            runs.push_back(TextRun{line, font, colour});
        lines.push_back(std::move(runs));
    }
    return lines;
}

int RenderedText::width() const
{
    int w = 0;
    for (const QImage &line : lines)
        w += line.width();
    return w;
}

namespace {

// LED cells are lit or dark: glyphs without antialiasing.
QFont crispFont(QFont font)
{
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The size-measuring device: the same as the images the text is drawn on.
const QImage &measuringImage()
{
    static const QImage image(1, 1, QImage::Format_RGB32);
    return image;
}

struct TextMeasure
{
    std::vector<int> widths; // per line
    int ascent = 0;          // of the shared baseline
    int height = 0;          // ascent + the deepest descent
};

TextMeasure measureText(const std::vector<TextLine> &lines)
{
    TextMeasure m;
    int descent = 0;
    const QFontMetrics fallback(crispFont(defaultTextFont()), &measuringImage());
    m.ascent = fallback.ascent();
    descent = fallback.descent();
    for (const TextLine &line : lines) {
        int width = 0;
        for (const TextRun &run : line) {
            const QFontMetrics fm(crispFont(run.font), &measuringImage());
            m.ascent = std::max(m.ascent, fm.ascent());
            descent = std::max(descent, fm.descent());
            width += fm.horizontalAdvance(run.text);
        }
        m.widths.push_back(width);
    }
    m.height = m.ascent + descent;
    return m;
}

bool rowHasInk(const QImage &image, int y)
{
    const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
        if ((line[x] & 0xFFFFFF) != 0)
            return true;
    return false;
}

} // namespace

RenderedText renderTextLines(const std::vector<TextLine> &lines)
{
    RenderedText out;
    if (lines.empty())
        return out;
    const TextMeasure m = measureText(lines);
    std::vector<QImage> full;
    int inkTop = m.height;
    int inkBottom = -1;
    for (size_t k = 0; k < lines.size(); ++k) {
        QImage image(std::max(m.widths[k], 1), std::max(m.height, 1), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        int x = 0;
        for (const TextRun &run : lines[k]) {
            const QFont font = crispFont(run.font);
            painter.setFont(font);
            painter.setPen(run.colour);
            painter.drawText(x, m.ascent, run.text);
            x += QFontMetrics(font, &image).horizontalAdvance(run.text);
        }
        painter.end();
        for (int y = 0; y < image.height(); ++y)
            if (rowHasInk(image, y)) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        full.push_back(std::move(image));
    }
    if (inkBottom < 0) { // nothing but spaces: the whole line box
        inkTop = 0;
        inkBottom = std::max(m.height, 1) - 1;
    }
    out.bandHeight = inkBottom - inkTop + 1;
    out.lineHeight = out.bandHeight + 1; // one dark row between stacked lines
    for (QImage &image : full)
        out.lines.push_back(image.copy(0, inkTop, image.width(), out.bandHeight));
    return out;
}

namespace {

int stepOf(int step) { return step < 2 ? 1 : step; }

int64_t ceilSteps(int64_t span, int step) { return span <= 0 ? 0 : (span + step - 1) / step; }

int stackedHeight(const RenderedText &text)
{
    return text.lines.empty() ? 0 : int(text.lines.size()) * text.lineHeight - 1;
}

// Rows above the text band when it is placed in an area `height` rows high:
// centred, and a band taller than the area loses as many rows at the top
// as at the bottom.
int bandOffset(int bandHeight, int height) { return (height - bandHeight) / 2; }

class TextFrames
{
public:
    TextFrames(PatternTarget &target, const TextPatternParams &p, FrameSink &sink)
        : m_target(target), m_sink(sink), m_rows(target.doc.rows()), m_cols(target.doc.cols()),
          m_area(generationArea(target.area, m_rows, m_cols)), m_flowItem(p.colourItem)
    {
    }

    int width() const { return m_area.width(); }
    int height() const { return m_area.height(); }
    QImage canvas() const
    {
        QImage image(width(), height(), QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    }

    // The frame start rule, the area replaced by the canvas, the palette
    // flow, then the AddMode. False once the run is stopped.
    bool hand(const QImage &canvas)
    {
        const Frame *current = m_target.doc.currentFrame();
        Frame frame = m_sink.mode() != AddMode::Insert && current ? *current : m_target.doc.makeFrame();
        copyCanvasIntoFrame(canvas, frame, m_cols, m_rows, m_area);
        if (m_flowItem >= 0 && m_flowItem < kFlowDirectionCount && m_target.palette)
            m_flow.apply(frame, m_rows, m_cols, m_area, 0, FlowDirection(m_flowItem), *m_target.palette);
        return m_sink.hand(std::move(frame));
    }

private:
    PatternTarget &m_target;
    FrameSink &m_sink;
    int m_rows;
    int m_cols;
    GridRect m_area;
    int m_flowItem;
    PaletteFlow m_flow;
};

void scrollLeft(TextFrames &frames, const RenderedText &text, int step)
{
    const int A = frames.width();
    const int64_t w = text.width();
    const int top = bandOffset(text.bandHeight, frames.height());
    for (int64_t t = 0; t < w + A - 1; t += step) {
        QImage canvas = frames.canvas();
        QPainter painter(&canvas);
        // Strip column c lands on area column A - 1 - t + c.
        int64_t x = A - 1 - t;
        for (const QImage &line : text.lines) {
            if (x >= A)
                break;
            if (x + line.width() > 0)
                painter.drawImage(int(x), top, line);
            x += line.width();
        }
        painter.end();
        if (!frames.hand(canvas))
            return;
    }
}

void scrollUp(TextFrames &frames, const RenderedText &text, int step)
{
    const int height = stackedHeight(text);
    for (int t = 0; t < height - 1; t += step) {
        QImage canvas = frames.canvas();
        QPainter painter(&canvas);
        for (size_t k = 0; k < text.lines.size(); ++k) {
            const int y = int(k) * text.lineHeight - t;
            if (y >= frames.height())
                break;
            if (y + text.bandHeight > 0)
                painter.drawImage(0, y, text.lines[k]);
        }
        painter.end();
        if (!frames.hand(canvas))
            return;
    }
}

void linesWithEffect(TextFrames &frames, const RenderedText &text, int appearance, int n)
{
    const int W = frames.width();
    const int H = frames.height();
    for (const QImage &line : text.lines) {
        const int effect = appearance >= kStuntRandom ? patternRandom().below(kTransitionEffectCount)
                                                      : appearance - kStuntFirstEffect;
        // The line, centred, is the picture the effect brings in.
        QImage picture = frames.canvas();
        QPainter painter(&picture);
        painter.drawImage(line.width() <= W ? (W - line.width()) / 2 : 0, bandOffset(text.bandHeight, H), line);
        painter.end();
        for (int i = 1; i <= n; ++i) {
            QImage canvas = transitionCanvas(W, H);
            drawTransition(canvas, effect, TransitionPhase::Entrance, i, n, picture, QImage(), patternRandom());
            if (!frames.hand(canvas))
                return;
        }
    }
}

QString formatOrDefault(const char *key, const QString &chinese, const QString &english, int value)
{
    return formatText(lookedUpText("Message", key, chinese, english), chinese, {value});
}

bool hasText(const std::vector<TextLine> &lines)
{
    for (const TextLine &line : lines)
        for (const TextRun &run : line)
            if (!run.text.trimmed().isEmpty())
                return true;
    return false;
}

bool hasBlackText(const std::vector<TextLine> &lines)
{
    for (const TextLine &line : lines)
        for (const TextRun &run : line)
            if (!run.text.trimmed().isEmpty() && (run.colour.rgb() & 0xFFFFFF) == 0)
                return true;
    return false;
}

} // namespace

int64_t textFrameCount(const RenderedText &text, const TextPatternParams &p, int width, int height)
{
    (void)height;
    const int step = stepOf(p.step);
    if (text.lines.empty())
        return 0;
    switch (p.appearance) {
    case kStuntScrollLeft:
        return ceilSteps(int64_t(text.width()) + width - 1, step);
    case kStuntScrollUp:
        return ceilSteps(int64_t(stackedHeight(text)) - 1, step);
    default:
        return int64_t(text.lines.size()) * step;
    }
}

int generateTextPattern(PatternTarget &target, const RenderedText &text, const TextPatternParams &p)
{
    if (target.doc.rows() <= 0 || target.doc.cols() <= 0 || text.lines.empty())
        return 0;
    const GridRect area = generationArea(target.area, target.doc.rows(), target.doc.cols());
    const int64_t expected = textFrameCount(text, p, area.width(), area.height());
    FrameSink sink(target, AddRule::FollowAddMode, int(std::min<int64_t>(expected, INT32_MAX)),
                   EditNames::TextPattern);
    TextFrames frames(target, p, sink);
    const int step = stepOf(p.step);
    if (p.appearance == kStuntScrollLeft)
        scrollLeft(frames, text, step);
    else if (p.appearance == kStuntScrollUp)
        scrollUp(frames, text, step);
    else
        linesWithEffect(frames, text, std::clamp(p.appearance, kStuntFirstEffect, kStuntRandom), step);
    return sink.made();
}

int runTextPattern(PatternTarget &target, const std::vector<TextLine> &lines, const TextPatternParams &p,
                   Prompt &prompt)
{
    Document &doc = target.doc;
    if (!hasText(lines)) {
        prompt.inform(lookedUpText("Message", "NoInputLetter", QStringLiteral("没有输入文字"),
                                   QStringLiteral("No text was entered.")),
                      PromptIcon::Warning);
        return 0;
    }
    const GridRect area = generationArea(target.area, doc.rows(), doc.cols());
    if (area.width() < kMinTextColumns) {
        prompt.inform(formatOrDefault("GridRowLessThan", QStringLiteral("网格的列数小于%d"),
                                      QStringLiteral("The grid has fewer than %d columns."), kMinTextColumns),
                      PromptIcon::Warning);
        return 0;
    }
    if (hasBlackText(lines)
        && prompt.ask(lookedUpText("Message", "CurColorIsBlack", QStringLiteral("当前颜色为黑色,要继续吗?"),
                                   QStringLiteral("The text colour is black and will not show. Continue?")),
                      PromptButtons::YesNo)
               != PromptAnswer::Yes)
        return 0;

    // The frame limit from the font's measures, before anything is drawn.
    const TextMeasure m = measureText(lines);
    int64_t bound = 0;
    int widest = 0;
    for (int w : m.widths)
        widest = std::max(widest, w);
    const int step = stepOf(p.step);
    if (p.appearance == kStuntScrollLeft) {
        int64_t total = 0;
        for (int w : m.widths)
            total += w;
        bound = ceilSteps(total + area.width() - 1, step);
    } else if (p.appearance == kStuntScrollUp) {
        bound = ceilSteps(int64_t(lines.size()) * (m.height + 1), step);
    } else {
        bound = int64_t(lines.size()) * step;
    }
    if (bound > kMaxTextFrames) {
        prompt.inform(lookedUpText("Message", "InputTooMuchLetter", QStringLiteral("输入的文字太多"),
                                   QStringLiteral("Too much text: one run makes at most 100,000 frames.")),
                      PromptIcon::Warning);
        return 0;
    }
    if (p.appearance == kStuntScrollUp && widest > area.width()
        && prompt.ask(lookedUpText("Message", "LineTooLong", QStringLiteral("一行文字太多，最后的字可能显示不完整。\n是否继续？"),
                                   QStringLiteral("A line holds too many characters: its last ones may not show "
                                                  "in full.\nContinue?")),
                      PromptButtons::YesNo)
               != PromptAnswer::Yes)
        return 0;

    const RenderedText text = renderTextLines(lines);
    const int64_t count = textFrameCount(text, p, area.width(), area.height());
    if (count <= 0)
        return 0;
    const AddMode mode = effectiveAddMode(AddRule::FollowAddMode, addModeFromIndex(target.addMode));
    if (!checkFramesToAdd(doc, mode == AddMode::CurrentFrame ? 1 : count, prompt))
        return 0;
    return generateTextPattern(target, text, p);
}

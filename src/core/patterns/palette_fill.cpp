#include "patterns/palette_fill.h"

#include "document/frame_budget.h"
#include "editing/colour_action.h"
#include "palette/palette_state.h"
#include "patterns/palette_pattern_check.h"
#include "settings/language.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

const char *const kPaletteFillDefaults[kPaletteFillModeCount] = {
    "调色板覆盖填充(生成多帧)",
    "调色板透明填充(生成多帧)",
    "调色板透明填充(从左到右)",
    "调色板透明填充(从右到左)",
    "调色板透明填充(从上到下)",
    "调色板透明填充(从下到上)",
    "调色板圆形填充从内向外",
    "调色板圆形填充从外向内",
    "调色板顺时针圆形旋转方式1(外切圆,帧继承)",
    "调色板逆时针圆形旋转方式1(外切圆,帧继承)",
    "调色板顺时针圆形旋转方式2(外切圆,帧不继承)",
    "调色板逆时针圆形旋转方式2(外切圆,帧不继承)",
    "调色板顺时针圆形旋转方式3(内切圆,帧继承)",
    "调色板逆时针圆形旋转方式3(内切圆,帧继承)",
    "调色板顺时针圆形旋转方式4(内切圆,帧不继承)",
    "调色板逆时针圆形旋转方式4(内切圆,帧不继承)",
};

enum class PaletteFillKind { WholeArea, Sweep, Rings, Sectors, None };

PaletteFillKind paletteFillKindOf(int mode)
{
    if (mode == 0 || mode == 1)
        return PaletteFillKind::WholeArea;
    if (mode >= 2 && mode <= 5)
        return PaletteFillKind::Sweep;
    if (mode == 6 || mode == 7)
        return PaletteFillKind::Rings;
    if (mode >= 8 && mode < kPaletteFillModeCount)
        return PaletteFillKind::Sectors;
    return PaletteFillKind::None;
}

// The selected entry as a working index inside the palette.
int paletteWorkingIndex(int selected, int count)
{
    const int i = selected % count;
    return i < 0 ? i + count : i;
}

// Real-valued products of the shape boxes, cut towards zero.
int paletteTrunc(double factor, int value)
{
    return int(factor * double(value));
}

// Shapes are drawn in pure red on a transparent picture of one pixel per
// grid point, without anti-aliasing; a point belongs to the shape when its
// pixel reads as pure red.
class PaletteShapeCanvas
{
public:
    PaletteShapeCanvas(int rows, int cols) : m_image(cols, rows, QImage::Format_ARGB32)
    {
        m_image.fill(Qt::transparent);
    }

    QPainter &begin()
    {
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        return m_painter;
    }

    std::vector<uint8_t> points()
    {
        m_painter.end();
        const int rows = m_image.height();
        const int cols = m_image.width();
        std::vector<uint8_t> out(size_t(std::max(rows, 0)) * size_t(std::max(cols, 0)), 0);
        if (m_image.isNull())
            return out;
        for (int y = 0; y < rows; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
            for (int x = 0; x < cols; ++x) {
                const QRgb c = line[x];
                out[size_t(y) * size_t(cols) + size_t(x)] = qRed(c) == 0xFF && qGreen(c) == 0 && qBlue(c) == 0;
            }
        }
        return out;
    }

private:
    QImage m_image;
    QPainter m_painter;
};

const QColor kPaletteShapeRed = QColor::fromRgba(0xFFFF0000u);

// Gives every point of `mask` the colour.
void paintPalettePoints(Frame &frame, const std::vector<uint8_t> &mask, ColorValue colour)
{
    const size_t n = std::min(frame.size(), mask.size());
    ColorValue *px = frame.data();
    for (size_t k = 0; k < n; ++k)
        if (mask[k])
            px[k] = colour;
}

// The palette while a run lasts: the working index moves on a copy.
class PaletteWalk
{
public:
    explicit PaletteWalk(const PaletteState &palette)
        : m_colours(palette.colours), m_index(paletteWorkingIndex(palette.selected, palette.count()))
    {
    }
    ColorValue colour() const { return m_colours[size_t(m_index)]; }
    int index() const { return m_index; }
    void advance() { m_index = m_index + 1 >= int(m_colours.size()) ? 0 : m_index + 1; }

private:
    const std::vector<ColorValue> &m_colours;
    int m_index;
};

// Modes 0 and 1: one frame per colour from the working index to the last,
// each a fresh copy of the frame that was current when the run began.
int paletteFillWholeArea(PatternTarget &target, const PaletteFillParams &p, PaletteWalk walk, int count)
{
    Document &doc = target.doc;
    const Frame source = *doc.currentFrame();
    const int cols = doc.cols();
    const GridRect area = generationArea(target.area, doc.rows(), cols);
    const ColourAction action = colourActionFromIndex(p.colourAction);
    const bool keepBackground = p.mode == 1;
    const ColorValue background = doc.backgroundColor();

    FrameSink sink(target, AddRule::AlwaysInsert, count, EditNames::PaletteFill);
    for (int k = 0; k < count; ++k, walk.advance()) {
        const ColorValue colour = walk.colour();
        Frame frame = source;
        for (int y = area.top; y <= area.bottom; ++y) {
            ColorValue *row = frame.data() + size_t(y) * size_t(cols);
            for (int x = area.left; x <= area.right; ++x) {
                if (keepBackground && row[x] == background)
                    continue;
                row[x] = combineColours(action, row[x], colour);
            }
        }
        if (!sink.hand(std::move(frame)))
            break;
    }
    return sink.made();
}

// Modes 2 to 5: the current frame recoloured in place, one colour per line
// of the area; a line of nothing but the background colour keeps the
// colour for the next line.
int paletteSweepCurrentFrame(PatternTarget &target, const PaletteFillParams &p, PaletteWalk walk)
{
    Document &doc = target.doc;
    const int cols = doc.cols();
    const GridRect area = generationArea(target.area, doc.rows(), cols);
    const ColourAction action = colourActionFromIndex(p.colourAction);
    const ColorValue background = doc.backgroundColor();
    const bool columns = p.mode == 2 || p.mode == 3;
    const bool backwards = p.mode == 3 || p.mode == 5;
    const int first = columns ? area.left : area.top;
    const int last = columns ? area.right : area.bottom;
    const int across0 = columns ? area.top : area.left;
    const int across1 = columns ? area.bottom : area.right;

    Frame frame = *doc.currentFrame();
    bool anyLine = false;
    for (int n = 0; n <= last - first; ++n) {
        const int line = backwards ? last - n : first + n;
        const ColorValue colour = walk.colour();
        bool recoloured = false;
        for (int a = across0; a <= across1; ++a) {
            ColorValue &px = columns ? frame[size_t(a) * size_t(cols) + size_t(line)]
                                     : frame[size_t(line) * size_t(cols) + size_t(a)];
            if (px == background)
                continue;
            px = combineColours(action, px, colour);
            recoloured = true;
        }
        if (recoloured) {
            walk.advance();
            anyLine = true;
        }
    }
    if (!anyLine)
        return 0;
    Document::UpdateBatch batch(doc);
    FrameEdit edit(doc, EditNames::PaletteFill);
    doc.storeFrame(std::move(frame));
    target.firstWritten = target.lastWritten = doc.currentIndex();
    ++target.changed;
    return 1;
}

// Modes 6 and 7: f ellipse outlines, each on a frame of its own from the
// frame constructor, growing outwards from the centre (6) or closing in
// from around the grid (7).
int drawPaletteRings(PatternTarget &target, int mode, PaletteWalk walk)
{
    Document &doc = target.doc;
    const int rows = doc.rows();
    const int cols = doc.cols();
    const int f = paletteRingCount(rows, cols);
    if (f < 1)
        return 0;
    const int outX = paletteTrunc(0.212, cols);
    const int outY = paletteTrunc(0.212, rows);
    const int farX = paletteTrunc(1.212, cols);
    const int farY = paletteTrunc(1.212, rows);
    const bool growing = mode == 6;
    int x0 = growing ? f - outX : -outX;
    int y0 = growing ? f - outY : -outY;
    int x1 = growing ? farX - f : farX;
    int y1 = growing ? farY - f : farY;
    const int move = growing ? -1 : 1;

    FrameSink sink(target, AddRule::AlwaysInsert, f, EditNames::PaletteFill);
    for (int k = 0; k < f; ++k, walk.advance()) {
        Frame frame = doc.makeFrame();
        paintPalettePoints(frame, paletteRingPoints(rows, cols, x0, y0, x1, y1), walk.colour());
        if (!sink.hand(std::move(frame)))
            break;
        x0 += move;
        y0 += move;
        x1 -= move;
        y1 -= move;
    }
    return sink.made();
}

// Modes 8 to 15: a 15-degree sector turning once round in 24 frames.
int turnPaletteSectors(PatternTarget &target, int mode, PaletteWalk walk)
{
    Document &doc = target.doc;
    const int rows = doc.rows();
    const int cols = doc.cols();
    const int offset = mode - 8;
    const bool clockwise = offset % 2 == 0;
    const bool accumulating = offset % 4 < 2;  // 8, 9, 12, 13
    const bool circumscribed = offset < 4;     // 8 to 11
    int x = 0;
    int y = 0;
    int w = cols;
    int h = rows;
    if (circumscribed) {
        // The ellipse around the grid, centred on it: the box of the
        // outermost ring of mode 7. (A box reaching to 1.414 x the size
        // sits off centre and leaves the top-left corner out of the wheel.)
        x = paletteTrunc(-0.212, cols);
        y = paletteTrunc(-0.212, rows);
        w = paletteTrunc(1.212, cols) - x;
        h = paletteTrunc(1.212, rows) - y;
    }
    const size_t points = size_t(doc.pointCount());
    // The wheel so far; the counter-clockwise wheel round the grid starts
    // black, the others from the frame constructor.
    Frame wheel = !accumulating ? Frame() : mode == 9 ? Frame(points, 0) : doc.makeFrame();

    FrameSink sink(target, AddRule::AlwaysInsert, kPaletteSectorFrames, EditNames::PaletteFill);
    for (int k = 0; k < kPaletteSectorFrames; ++k, walk.advance()) {
        const int start = clockwise ? 15 * k : -15 * k;
        Frame frame = accumulating ? wheel : Frame(points, 0);
        paintPalettePoints(frame, paletteSectorPoints(rows, cols, x, y, w, h, start), walk.colour());
        if (accumulating)
            wheel = frame;
        if (!sink.hand(std::move(frame)))
            break;
    }
    return sink.made();
}

} // namespace

QString paletteFillModeText(int mode)
{
    if (mode < 0 || mode >= kPaletteFillModeCount)
        return QString();
    const QByteArray key = "ComboBoxPaletteFillItem" + QByteArray::number(mode);
    return lookedUpText("AutoComboBox", key.constData(), QString::fromUtf8(kPaletteFillDefaults[mode]));
}

int paletteRingCount(int rows, int cols)
{
    return int(0.707 * double(std::min(rows, cols)) + 1.0);
}

int64_t paletteFillFrameCount(int mode, int rows, int cols, int colours, int selected)
{
    if (colours <= 0 || rows <= 0 || cols <= 0)
        return 0;
    switch (paletteFillKindOf(mode)) {
    case PaletteFillKind::WholeArea:
        return colours - paletteWorkingIndex(selected, colours);
    case PaletteFillKind::Rings:
        return std::max(paletteRingCount(rows, cols), 0);
    case PaletteFillKind::Sectors:
        return kPaletteSectorFrames;
    default:
        return 0;
    }
}

std::vector<uint8_t> paletteRingPoints(int rows, int cols, int x0, int y0, int x1, int y1)
{
    PaletteShapeCanvas canvas(rows, cols);
    QPainter &painter = canvas.begin();
    painter.setPen(QPen(kPaletteShapeRed, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(x0, y0, x1 - x0, y1 - y0));
    return canvas.points();
}

std::vector<uint8_t> paletteSectorPoints(int rows, int cols, int x, int y, int w, int h, int startDegrees)
{
    PaletteShapeCanvas canvas(rows, cols);
    QPainter &painter = canvas.begin();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPaletteShapeRed);
    // Our angles turn clockwise on screen, the painter's anticlockwise.
    painter.drawPie(QRectF(x, y, w, h), -startDegrees * 16, -15 * 16);
    return canvas.points();
}

int generatePaletteFill(PatternTarget &target, const PaletteFillParams &p)
{
    Document &doc = target.doc;
    const PaletteState *palette = target.palette;
    if (!palette || palette->count() <= 0 || !doc.currentFrame() || doc.rows() <= 0 || doc.cols() <= 0)
        return 0;
    const PaletteWalk walk(*palette);
    switch (paletteFillKindOf(p.mode)) {
    case PaletteFillKind::WholeArea:
        return paletteFillWholeArea(target, p, walk, palette->count() - walk.index());
    case PaletteFillKind::Sweep:
        return paletteSweepCurrentFrame(target, p, walk);
    case PaletteFillKind::Rings:
        return drawPaletteRings(target, p.mode, walk);
    case PaletteFillKind::Sectors:
        return turnPaletteSectors(target, p.mode, walk);
    case PaletteFillKind::None:
        break;
    }
    return 0;
}

int runPaletteFill(PatternTarget &target, const PaletteFillParams &p, Prompt &prompt)
{
    if (!paletteHasColours(target.palette, prompt))
        return 0;
    const Document &doc = target.doc;
    const int64_t adds = paletteFillFrameCount(p.mode, doc.rows(), doc.cols(), target.palette->count(),
                                               target.palette->selected);
    if (!checkFramesToAdd(doc, adds, prompt))
        return 0;
    return generatePaletteFill(target, p);
}

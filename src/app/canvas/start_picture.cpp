#include "canvas/start_picture.h"

#include "settings/language.h"
#include "settings/program_folder.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Lit dots of the title, row-major.
struct DotMask
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> dots;
    bool lit(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && dots[size_t(y * width + x)] != 0;
    }
};

// The classic 5 x 7 lamp-sign letters, enough for the product's name.
DotMask englishTitle()
{
    struct Glyph
    {
        char letter;
        std::array<const char *, 7> rows;
    };
    static const Glyph glyphs[] = {
        {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
        {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    };
    const char *word = "BRIGHTLOOM";
    const int letters = int(std::strlen(word));
    DotMask m;
    m.width = letters * 6 - 1;
    m.height = 7;
    m.dots.assign(size_t(m.width * m.height), 0);
    for (int i = 0; i < letters; ++i)
        for (const Glyph &g : glyphs)
            if (g.letter == word[i])
                for (int y = 0; y < 7; ++y)
                    for (int x = 0; x < 5; ++x)
                        if (g.rows[size_t(y)][x] == '#')
                            m.dots[size_t(y * m.width + i * 6 + x)] = 1;
    return m;
}

// "Lighting animation" in 16 x 16 characters, the size of the classic
// Chinese lamp-sign font, rendered without smoothing so every pixel is a
// lamp.
DotMask chineseTitle()
{
    const QString text = QStringLiteral("灯光动画");
    const int cell = 16;
    const int gap = 2;
    QImage img(int(text.size()) * (cell + gap) - gap, cell, QImage::Format_Grayscale8);
    img.fill(0);
    {
        QPainter p(&img);
        QFont f(QStringLiteral("Noto Sans CJK SC"));
        f.setPixelSize(cell - 1);
        f.setStyleStrategy(QFont::NoAntialias);
        f.setHintingPreference(QFont::PreferFullHinting);
        p.setFont(f);
        p.setPen(Qt::white);
        for (int i = 0; i < text.size(); ++i)
            p.drawText(QRect(i * (cell + gap), 0, cell, cell), Qt::AlignCenter, text.mid(i, 1));
    }
    DotMask m;
    m.width = img.width();
    m.height = img.height();
    m.dots.assign(size_t(m.width * m.height), 0);
    for (int y = 0; y < m.height; ++y) {
        const uchar *line = img.constScanLine(y);
        for (int x = 0; x < m.width; ++x)
            m.dots[size_t(y * m.width + x)] = line[x] > 127 ? 1 : 0;
    }
    return m;
}

struct Theme
{
    QColor top;
    QColor bottom;
    QColor title;
    // Hue (degrees) of the lamp at matrix position u, v in 0..1.
    double (*hue)(double u, double v);
};

double coolHue(double u, double v) { return std::fmod(200.0 + 300.0 * u + 40.0 * v, 360.0); }
double warmHue(double u, double v) { return 8.0 + 40.0 * (0.5 + 0.5 * std::sin(9.0 * u + 5.0 * v)); }

const Theme &themeFor(bool chinese)
{
    static const Theme english{QColor(12, 18, 40), QColor(2, 3, 10), QColor(255, 246, 220), coolHue};
    static const Theme chinese_{QColor(36, 6, 10), QColor(6, 1, 2), QColor(255, 210, 90), warmHue};
    return chinese ? chinese_ : english;
}

// Brightness of a background lamp: two ribbons of light flowing across the
// lower part of the picture, the rest faintly lit.
double ribbonLight(double u, double v)
{
    const double c1 = 0.74 + 0.08 * std::sin(2 * kPi * 1.2 * u);
    const double c2 = 0.84 + 0.05 * std::sin(2 * kPi * 0.8 * u + 1.7);
    const double r1 = std::exp(-std::pow((v - c1) / 0.055, 2));
    const double r2 = 0.55 * std::exp(-std::pow((v - c2) / 0.03, 2));
    return std::min(1.0, 0.09 + 0.9 * r1 + r2);
}

void drawGlow(QPainter &p, QPointF c, double radius, const QColor &colour, double strength)
{
    QRadialGradient g(c, radius);
    QColor inner = colour;
    inner.setAlphaF(float(std::clamp(strength, 0.0, 1.0)));
    QColor outer = colour;
    outer.setAlpha(0);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.setBrush(g);
    p.drawEllipse(c, radius, radius);
}

QImage loadFromProgramFolder(bool chinese, QSize size)
{
    for (const char *ext : {".png", ".bmp"}) {
        const QString path = programFilePath(StartPicture::baseName(chinese) + QLatin1String(ext));
        if (!QFileInfo::exists(path))
            continue;
        QImageReader reader(path);
        // A start picture is a screen-sized bitmap; anything that claims to
        // be far larger is not decoded.
        reader.setAllocationLimit(256);
        QImage img = reader.read();
        if (!img.isNull())
            return img.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
    }
    return {};
}

} // namespace

QString StartPicture::baseName(bool chinese)
{
    return chinese ? QStringLiteral("Back_Chinese") : QStringLiteral("Back_English");
}

QString StartPicture::caption()
{
    return lookedUpText("StartPicture", "Caption",
                        QStringLiteral("Brightloom 灯光动画编辑器 —— 选择“文件 > 新建”建立网格，"
                                       "或“文件 > 打开”打开一个工程。"));
}

QImage StartPicture::drawBuiltIn(bool chinese, QSize size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return img;
    const Theme &theme = themeFor(chinese);
    const DotMask title = chinese ? chineseTitle() : englishTitle();
    const int w = size.width();
    const int h = size.height();

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, theme.top);
    sky.setColorAt(1, theme.bottom);
    p.fillRect(img.rect(), sky);

    // Lamp pitch: the title takes at most four fifths of the width and a
    // third of the height.
    const double pitch =
        std::max(3.0, std::floor(std::min(0.8 * w / (title.width + 2), 0.33 * h / (title.height + 2))));
    const int cols = int(std::ceil(w / pitch)) + 1;
    const int rows = int(std::ceil(h / pitch)) + 1;
    const int tx = (cols - title.width) / 2;
    const int ty = std::max(1, int(std::lround(rows * 0.38)) - title.height / 2);
    const double ox = w / 2.0 - (tx + (title.width - 1) / 2.0) * pitch;
    const double oy = h * 0.38 - (ty + (title.height - 1) / 2.0) * pitch;
    const double radius = pitch * 0.36;

    struct Lamp
    {
        QPointF centre;
        QColor colour;
        double light;
        bool titleLamp;
    };
    std::vector<Lamp> lamps;
    lamps.reserve(size_t(cols * rows));
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols; ++i) {
            const QPointF c(ox + i * pitch, oy + j * pitch);
            if (c.x() < -pitch || c.y() < -pitch || c.x() > w + pitch || c.y() > h + pitch)
                continue;
            const double u = double(i) / cols;
            const double v = double(j) / rows;
            if (title.lit(i - tx, j - ty)) {
                lamps.push_back({c, theme.title, 1.0, true});
                continue;
            }
            const double light = ribbonLight(u, v);
            lamps.push_back({c, QColor::fromHsvF(float(theme.hue(u, v) / 360.0), 0.85f, float(light)), light, false});
        }

    // Light adds up where glows overlap.
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    for (const Lamp &l : lamps) {
        if (l.titleLamp)
            drawGlow(p, l.centre, pitch * 1.5, l.colour, 0.30);
        else if (l.light > 0.4)
            drawGlow(p, l.centre, pitch * 1.2, l.colour, 0.22 * l.light);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor unlit(26, 26, 30);
    for (const Lamp &l : lamps) {
        // A lamp never looks darker than an unlit one.
        QColor c = l.colour;
        c.setRgb(std::max(c.red(), unlit.red()), std::max(c.green(), unlit.green()),
                 std::max(c.blue(), unlit.blue()));
        p.setBrush(c);
        p.drawEllipse(l.centre, radius, radius);
        if (pitch >= 8 && l.light > 0.3) {
            QColor shine(255, 255, 255, int(90 * l.light));
            p.setBrush(shine);
            p.drawEllipse(l.centre + QPointF(-radius * 0.35, -radius * 0.35), radius * 0.28, radius * 0.28);
        }
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage StartPicture::picture(bool chinese, QSize size)
{
    if (m_cached.size() == size && m_chinese == chinese && !m_cached.isNull())
        return m_cached;
    QImage img = loadFromProgramFolder(chinese, size);
    if (img.isNull())
        img = drawBuiltIn(chinese, size);
    m_cached = img;
    m_chinese = chinese;
    return img;
}

void StartPicture::paint(QImage &image)
{
    if (image.isNull())
        return;
    const bool chinese = Language::code() == Language::Chinese;
    const QImage pic = picture(chinese, image.size());
    QPainter p(&image);
    p.drawImage(0, 0, pic);

    // The caption sits in a dark band near the bottom, wrapped to the width.
    const QString text = caption();
    if (text.isEmpty())
        return;
    QFont f = p.font();
    f.setPixelSize(std::clamp(image.height() / 36, 11, 22));
    p.setFont(f);
    const int margin = std::max(8, image.width() / 40);
    const QRect textArea(margin * 2, 0, image.width() - margin * 4, image.height());
    QRect bound = p.fontMetrics().boundingRect(textArea, Qt::AlignHCenter | Qt::TextWordWrap, text);
    const int bandHeight = bound.height() + margin;
    const QRect band(margin, image.height() - bandHeight - margin, image.width() - 2 * margin, bandHeight);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRoundedRect(band, margin / 2.0, margin / 2.0);
    p.setPen(QColor(235, 235, 235));
    p.drawText(band.adjusted(margin, 0, -margin, 0), Qt::AlignCenter | Qt::TextWordWrap, text);
}

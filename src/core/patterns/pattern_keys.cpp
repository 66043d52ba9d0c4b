#include "patterns/pattern_keys.h"

#include "settings/language.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kMaxAmount = 1 << 20;

int64_t wrapIndex(int64_t v, int64_t n)
{
    const int64_t r = v % n;
    return r < 0 ? r + n : r;
}

// Where position `pos` of a segment [first, first + length) takes its colour
// from when the segment's content moves by `delta`: -1 when nothing moves
// there.
int64_t segmentSource(int64_t pos, int64_t first, int64_t length, int64_t delta, bool wrap)
{
    const int64_t src = pos - delta;
    if (src >= first && src < first + length)
        return src;
    if (!wrap || length <= 0)
        return -1;
    return first + wrapIndex(src - first, length);
}

class SourceMap
{
public:
    SourceMap(int width, int height, std::vector<int> &out) : w(width), h(height), map(out)
    {
        map.assign(size_t(w) * size_t(h), -1);
    }

    void set(int x, int y, int64_t sx, int64_t sy)
    {
        if (sx < 0 || sy < 0 || sx >= w || sy >= h)
            return;
        map[size_t(y) * size_t(w) + size_t(x)] = int(sy * w + sx);
    }

    // Every cell's content moves by (dx, dy).
    void shift(int64_t dx, int64_t dy, bool wrap)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                set(x, y, segmentSource(x, 0, w, dx, wrap), segmentSource(y, 0, h, dy, wrap));
    }

    // The two halves along x (columns, horizontal = true) or along y move
    // apart (outward) or together, each inside itself; an odd middle line
    // stays.
    void halves(bool horizontal, int64_t amount, bool outward, bool wrap)
    {
        const int n = horizontal ? w : h;
        const int half = n / 2;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int p = horizontal ? x : y;
                int64_t src = p;
                if (p < half)
                    src = segmentSource(p, 0, half, outward ? -amount : amount, wrap);
                else if (p >= n - half)
                    src = segmentSource(p, n - half, half, outward ? amount : -amount, wrap);
                if (horizontal)
                    set(x, y, src, y);
                else
                    set(x, y, x, src);
            }
        }
    }

    // Even lines (rows when horizontal, counted from the rectangle's first)
    // move by +delta along the line, odd lines by -delta.
    void stagger(bool horizontal, int64_t delta, bool wrap)
    {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int line = horizontal ? y : x;
                const int64_t d = line % 2 == 0 ? delta : -delta;
                if (horizontal)
                    set(x, y, segmentSource(x, 0, w, d, wrap), y);
                else
                    set(x, y, x, segmentSource(y, 0, h, d, wrap));
            }
        }
    }

    int ringCount() const { return (std::min(w, h) + 1) / 2; }
    static int ringOf(int x, int y, int w, int h) { return std::min({x, w - 1 - x, y, h - 1 - y}); }

    // Cells of ring k clockwise from its top-left corner.
    void ringCells(int k, std::vector<int> &cells) const
    {
        cells.clear();
        const int x0 = k, y0 = k, x1 = w - 1 - k, y1 = h - 1 - k;
        for (int x = x0; x <= x1; ++x)
            cells.push_back(y0 * w + x);
        for (int y = y0 + 1; y <= y1; ++y)
            cells.push_back(y * w + x1);
        if (y1 > y0)
            for (int x = x1 - 1; x >= x0; --x)
                cells.push_back(y1 * w + x);
        if (x1 > x0)
            for (int y = y1 - 1; y > y0; --y)
                cells.push_back(y * w + x0);
    }

    // Moves the content of `path` forward by `delta` cells along it.
    void alongPath(const std::vector<int> &path, int64_t delta, bool wrap)
    {
        const int64_t n = int64_t(path.size());
        for (int64_t p = 0; p < n; ++p) {
            const int64_t src = segmentSource(p, 0, n, delta, wrap);
            map[size_t(path[size_t(p)])] = src < 0 ? -1 : path[size_t(src)];
        }
    }

    // Ring k turns clockwise by turn(k) cells (negative: anticlockwise).
    template <typename Turn>
    void turnRings(Turn turn)
    {
        std::vector<int> cells;
        for (int k = 0; k < ringCount(); ++k) {
            ringCells(k, cells);
            alongPath(cells, turn(k), true);
        }
    }

    // The spiral from the top-left corner clockwise inward: the rings one
    // after another (each ring ends next to where the next one starts).
    void spiral(int64_t delta, bool wrap)
    {
        std::vector<int> path, cells;
        for (int k = 0; k < ringCount(); ++k) {
            ringCells(k, cells);
            path.insert(path.end(), cells.begin(), cells.end());
        }
        alongPath(path, delta, wrap);
    }

    // Ring k takes the colours of ring from(k) (-1: blank), each cell from
    // the matching cell of that ring: towards the centre by clamping into
    // the smaller ring, away from it by pushing the edge cell outwards.
    template <typename From>
    void ringsFrom(From from)
    {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int k = ringOf(x, y, w, h);
                const int j = from(k);
                if (j < 0)
                    continue;
                int64_t sx = x, sy = y;
                if (j > k) {
                    sx = std::clamp(x, j, w - 1 - j);
                    sy = std::clamp(y, j, h - 1 - j);
                } else if (j < k) {
                    const int out = k - j;
                    sx = x == k ? x - out : x == w - 1 - k ? x + out : x;
                    sy = y == k ? y - out : y == h - 1 - k ? y + out : y;
                }
                set(x, y, sx, sy);
            }
        }
    }

    // Turns the picture about the rectangle's centre by `degrees` clockwise
    // (a multiple of 15), taking every cell from the nearest source cell.
    void rotate(int degrees)
    {
        degrees = int(wrapIndex(degrees, 360));
        double c = 0, s = 0;
        exactCosSin(degrees, c, s);
        const int64_t cx2 = w - 1, cy2 = h - 1; // doubled centre
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const double u = double(2 * x - cx2);
                const double v = double(2 * y - cy2);
                // Undo a clockwise turn (y grows downwards).
                const double su = u * c + v * s;
                const double sv = -u * s + v * c;
                set(x, y, int64_t(std::floor((su + double(cx2)) / 2.0 + 0.5)),
                    int64_t(std::floor((sv + double(cy2)) / 2.0 + 0.5)));
            }
        }
    }

    void mirror(bool leftRight)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                set(x, y, leftRight ? w - 1 - x : x, leftRight ? y : h - 1 - y);
    }

    void identity()
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                set(x, y, x, y);
    }

private:
    // Cosine and sine of a multiple of 15 degrees from correctly rounded
    // square roots, so that every platform picks the same cells.
    static void exactCosSin(int degrees, double &c, double &s)
    {
        const double r2 = std::sqrt(2.0), r3 = std::sqrt(3.0), r6 = std::sqrt(6.0);
        const double sines[7] = {0.0, (r6 - r2) / 4.0, 0.5, r2 / 2.0, r3 / 2.0, (r6 + r2) / 4.0, 1.0};
        const int quadrant = degrees / 90;
        const int step = (degrees % 90) / 15; // 0..5
        const double sa = sines[step], ca = sines[6 - step];
        switch (quadrant) {
        case 0: s = sa, c = ca; break;
        case 1: s = ca, c = -sa; break;
        case 2: s = -sa, c = -ca; break;
        default: s = -ca, c = sa; break;
        }
    }

    int w;
    int h;
    std::vector<int> &map;
};

} // namespace

PatternAction patternActionFromIndex(int index)
{
    return index >= 0 && index < kPatternActionCount ? PatternAction(index) : PatternAction::Move;
}

PatternKey patternKeyFromIndex(int index)
{
    return index >= 0 && index < kPatternKeyCount ? PatternKey(index) : PatternKey::A;
}

char patternKeyLetter(PatternKey key)
{
    static constexpr char kLetters[kPatternKeyCount] = {'A', 'D', 'W', 'S', 'B', 'F'};
    return kLetters[int(key)];
}

int patternKeyForLetter(QChar letter)
{
    const char c = char(letter.toUpper().toLatin1());
    for (int k = 0; k < kPatternKeyCount; ++k)
        if (patternKeyLetter(PatternKey(k)) == c)
            return k;
    return -1;
}

QString patternActionText(int action)
{
    struct Item
    {
        const char *key;
        const char *chinese;
    };
    static const Item kItems[kPatternActionCount] = {
        {"MovePopup", "移动"},     {"SymmetryPopup", "对称"}, {"InterPopup", "交错"},
        {"SidelongPopup", "斜向"}, {"ScrewPopup", "螺旋"},    {"KindlingPopup", "放光"},
        {"RotatePopup", "旋转"},   {"PegtopPopup", "陀螺"},
    };
    if (action < 0 || action >= kPatternActionCount)
        return QString();
    return lookedUpText("PopupMenu", kItems[action].key, QString::fromUtf8(kItems[action].chinese));
}

QString patternKeyTooltip(PatternKey key)
{
    const QChar letter = QLatin1Char(patternKeyLetter(key));
    return pairedText(QStringLiteral("Push down keyboard'%1'").arg(letter),
                      QStringLiteral("按键盘'%1'").arg(letter));
}

QString patternKeyEffectText(PatternAction action, PatternKey key)
{
    struct Effect
    {
        const char *english;
        const char *chinese;
    };
    // Rows: action types; columns: A, D, W, S, B, F.
    static const Effect kEffects[kPatternActionCount][kPatternKeyCount] = {
        {{"Move left", "左移"},
         {"Move right", "右移"},
         {"Move up", "上移"},
         {"Move down", "下移"},
         {"Move left, wrapping round", "循环左移"},
         {"Move right, wrapping round", "循环右移"}},
        {{"Left and right halves move apart", "左右两半向外分开"},
         {"Left and right halves move together", "左右两半向中间合拢"},
         {"Top and bottom halves move apart", "上下两半向外分开"},
         {"Top and bottom halves move together", "上下两半向中间合拢"},
         {"Halves move apart sideways, wrapping round", "左右两半循环向外"},
         {"Halves move together sideways, wrapping round", "左右两半循环向内"}},
        {{"Even rows left, odd rows right", "偶数行左移，奇数行右移"},
         {"Even rows right, odd rows left", "偶数行右移，奇数行左移"},
         {"Even columns up, odd columns down", "偶数列上移，奇数列下移"},
         {"Even columns down, odd columns up", "偶数列下移，奇数列上移"},
         {"Even rows left, odd rows right, wrapping round", "行交错循环移动"},
         {"Even rows right, odd rows left, wrapping round", "行交错反向循环移动"}},
        {{"Move up and left", "向左上移"},
         {"Move down and right", "向右下移"},
         {"Move up and right", "向右上移"},
         {"Move down and left", "向左下移"},
         {"Move up and left, wrapping round", "循环向左上移"},
         {"Move down and right, wrapping round", "循环向右下移"}},
        {{"Along the spiral inwards", "沿螺旋线向内"},
         {"Along the spiral outwards", "沿螺旋线向外"},
         {"Turn every ring clockwise", "每一圈顺时针转"},
         {"Turn every ring anticlockwise", "每一圈逆时针转"},
         {"Along the spiral inwards, wrapping round", "沿螺旋线循环向内"},
         {"Along the spiral outwards, wrapping round", "沿螺旋线循环向外"}},
        {{"Rings spread outwards", "光圈向外扩散"},
         {"Rings close inwards", "光圈向内收缩"},
         {"Rings spread outwards, the centre keeps shining", "光圈向外扩散，中心保持"},
         {"Rings close inwards, the edge stays", "光圈向内收缩，边缘保持"},
         {"Rings spread outwards, wrapping round", "光圈循环向外"},
         {"Rings close inwards, wrapping round", "光圈循环向内"}},
        {{"Quarter turn anticlockwise", "逆时针转90度"},
         {"Quarter turn clockwise", "顺时针转90度"},
         {"Turn 15 degrees anticlockwise", "逆时针转15度"},
         {"Turn 15 degrees clockwise", "顺时针转15度"},
         {"Mirror left to right", "左右镜像"},
         {"Mirror top to bottom", "上下镜像"}},
        {{"Rings turn clockwise, inner rings faster", "各圈顺时针转，内圈快"},
         {"Rings turn anticlockwise, inner rings faster", "各圈逆时针转，内圈快"},
         {"Rings turn alternately, outer ring clockwise", "各圈交替转，外圈顺时针"},
         {"Rings turn alternately, outer ring anticlockwise", "各圈交替转，外圈逆时针"},
         {"Rings turn clockwise, outer rings faster", "各圈顺时针转，外圈快"},
         {"Rings turn anticlockwise, outer rings faster", "各圈逆时针转，外圈快"}},
    };
    const Effect &e = kEffects[int(action)][int(key)];
    return pairedText(QString::fromUtf8(e.english), QString::fromUtf8(e.chinese));
}

int patternKeyAmount(int count)
{
    return std::clamp(count, 1, kMaxAmount);
}

void patternKeySources(PatternAction action, PatternKey key, int amount, int width, int height,
                       std::vector<int> &sources)
{
    if (width <= 0 || height <= 0) {
        sources.clear();
        return;
    }
    SourceMap m(width, height, sources);
    const int64_t n = patternKeyAmount(amount);
    const bool wrap = key == PatternKey::B || key == PatternKey::F;
    // A and B (and W) go one way, D and F (and S) the other.
    const bool first = key == PatternKey::A || key == PatternKey::B;

    switch (action) {
    case PatternAction::Move:
        if (key == PatternKey::W || key == PatternKey::S)
            m.shift(0, key == PatternKey::W ? -n : n, false);
        else
            m.shift(first ? -n : n, 0, wrap);
        break;
    case PatternAction::Symmetry:
        if (key == PatternKey::W || key == PatternKey::S)
            m.halves(false, n, key == PatternKey::W, false);
        else
            m.halves(true, n, first, wrap);
        break;
    case PatternAction::Interleave:
        if (key == PatternKey::W || key == PatternKey::S)
            m.stagger(false, key == PatternKey::W ? -n : n, false);
        else
            m.stagger(true, first ? -n : n, wrap);
        break;
    case PatternAction::Diagonal:
        switch (key) {
        case PatternKey::W: m.shift(n, -n, false); break;
        case PatternKey::S: m.shift(-n, n, false); break;
        default: m.shift(first ? -n : n, first ? -n : n, wrap); break;
        }
        break;
    case PatternAction::Spiral:
        if (key == PatternKey::W || key == PatternKey::S) {
            const int64_t turn = key == PatternKey::W ? n : -n;
            m.turnRings([turn](int) { return turn; });
        } else {
            m.spiral(first ? n : -n, wrap);
        }
        break;
    case PatternAction::Radiate: {
        const int rings = m.ringCount();
        const int64_t step = n;
        switch (key) {
        case PatternKey::A:
            m.ringsFrom([&](int k) { return k + step < rings ? int(k + step) : -1; });
            break;
        case PatternKey::D:
            m.ringsFrom([&](int k) { return k - step >= 0 ? int(k - step) : -1; });
            break;
        case PatternKey::W:
            m.ringsFrom([&](int k) { return int(std::min<int64_t>(k + step, rings - 1)); });
            break;
        case PatternKey::S:
            m.ringsFrom([&](int k) { return int(std::max<int64_t>(k - step, 0)); });
            break;
        case PatternKey::B:
            m.ringsFrom([&](int k) { return int(wrapIndex(k + step, rings)); });
            break;
        case PatternKey::F:
            m.ringsFrom([&](int k) { return int(wrapIndex(k - step, rings)); });
            break;
        }
        break;
    }
    case PatternAction::Rotate:
        switch (key) {
        case PatternKey::A: m.rotate(int(-90 * (n % 4))); break;
        case PatternKey::D: m.rotate(int(90 * (n % 4))); break;
        case PatternKey::W: m.rotate(int(-15 * (n % 24))); break;
        case PatternKey::S: m.rotate(int(15 * (n % 24))); break;
        case PatternKey::B:
        case PatternKey::F:
            if (n % 2 == 1)
                m.mirror(key == PatternKey::B);
            else
                m.identity();
            break;
        }
        break;
    case PatternAction::Spin: {
        const int rings = m.ringCount();
        switch (key) {
        case PatternKey::A: m.turnRings([&](int k) { return n * (k + 1); }); break;
        case PatternKey::D: m.turnRings([&](int k) { return -n * (k + 1); }); break;
        case PatternKey::W: m.turnRings([&](int k) { return k % 2 == 0 ? n : -n; }); break;
        case PatternKey::S: m.turnRings([&](int k) { return k % 2 == 0 ? -n : n; }); break;
        case PatternKey::B: m.turnRings([&](int k) { return n * (rings - k); }); break;
        case PatternKey::F: m.turnRings([&](int k) { return -n * (rings - k); }); break;
        }
        break;
    }
    }
}

void movePatternArea(const Frame &frame, int cols, const GridRect &rect, PatternAction action,
                     PatternKey key, int amount, ColorValue blank, Frame &out)
{
    out = frame;
    const int w = rect.width();
    const int h = rect.height();
    if (w <= 0 || h <= 0)
        return;
    std::vector<int> sources;
    patternKeySources(action, key, amount, w, h, sources);
    for (int y = 0; y < h; ++y) {
        ColorValue *row = out.data() + size_t(rect.top + y) * size_t(cols) + size_t(rect.left);
        for (int x = 0; x < w; ++x) {
            const int src = sources[size_t(y) * size_t(w) + size_t(x)];
            row[x] = src < 0 ? blank
                             : frame.at(rect.left + src % w, rect.top + src / w, cols);
        }
    }
}

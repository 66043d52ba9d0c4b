#include "patterns/transition_effects.h"

#include "patterns/pattern_random.h"
#include "settings/language.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

#include <algorithm>
#include <vector>

QString stuntText(int entry)
{
    static const char *const kDefaults[kStuntEntryCount] = {
        "上滚", "左滚", "左移", "右移", "上移", "下移", "左上移", "右上移", "左下移", "右下移",
        "中间缩放", "左上角缩放", "右上角缩放", "左下角缩放", "右下角缩放", "形变", "左拉伸", "右拉伸",
        "上拉伸", "下拉伸", "马赛克(小)", "马赛克(大)", "左覆盖", "右覆盖", "上覆盖", "下覆盖",
        "左上覆盖(直角)", "右上覆盖(直角)", "左下覆盖(直角)", "右下覆盖(直角)", "左上覆盖(斜边)",
        "右上覆盖(斜边)", "左下覆盖(斜边)", "右下覆盖(斜边)", "左右对开", "上下对开", "左右闭合",
        "上下闭合", "水平百叶", "垂直百叶", "渐变", "左旋360度", "右旋360度", "左旋180度", "右旋180度",
        "左旋90度", "右旋90度", "中间向四周(矩形)", "四周向中间(矩形)", "中间向四周(菱形)",
        "四周向中间(菱形)", "中间向四周(椭圆形)", "四周向中间(椭圆形)", "中间向四周(十字形)",
        "四周向中间(十字形)", "随机"};
    if (entry < 0 || entry >= kStuntEntryCount)
        return QString();
    const QByteArray key = "Stunt" + QByteArray::number(entry);
    return lookedUpText("Stunts", key.constData(), QString::fromUtf8(kDefaults[entry]));
}

QImage transitionCanvas(int width, int height)
{
    QImage canvas(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

namespace {

// The eight moves and the corners, as unit steps: x to the right, y down.
struct Heading
{
    int dx;
    int dy;
};
constexpr Heading kMoveHeadings[8] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

int part(int whole, int i, int n) { return int(int64_t(whole) * i / n); }

// A w x h rectangle at the named corner of the W x H area.
QRect cornerRect(Corner c, int W, int H, int w, int h)
{
    const int x = (c == Corner::TopRight || c == Corner::BottomRight) ? W - w : 0;
    const int y = (c == Corner::BottomLeft || c == Corner::BottomRight) ? H - h : 0;
    return QRect(x, y, w, h);
}

class TransitionPainter
{
public:
    TransitionPainter(QImage &canvas, const QImage &picture, const QImage &blank, PatternRandom &random)
        : m_painter(&canvas), m_picture(picture), m_blank(blank), m_random(random), W(canvas.width()),
          H(canvas.height())
    {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }

    void entrance(int effect, int i, int n);
    void exit(int effect, int i, int n);

private:
    void whole() { picture(QRect(0, 0, W, H)); }
    void picture(const QRect &to)
    {
        if (to.width() > 0 && to.height() > 0 && !m_picture.isNull())
            m_painter.drawImage(to, m_picture);
    }
    void blankOver(const QRect &to)
    {
        if (m_blank.isNull()) {
            m_painter.fillRect(to, Qt::transparent);
        } else {
            m_painter.drawImage(to, m_blank);
        }
    }
    // The picture whole, seen only through `region`.
    void through(const QRegion &region)
    {
        if (region.isEmpty())
            return;
        m_painter.save();
        m_painter.setClipRegion(region);
        whole();
        m_painter.restore();
    }
    void through(const QPainterPath &path)
    {
        m_painter.save();
        m_painter.setClipPath(path);
        whole();
        m_painter.restore();
    }
    QRegion areaRegion() const { return QRegion(0, 0, W, H); }

    // The growing shapes of the covers, the mosaic and the shape effects.
    QRegion coverRegion(int effect, int i, int n) const;
    QRegion mosaicRegion(int block, int i, int n);
    QRegion shapeRegion(int shape, int f, int n) const;
    QPainterPath wipePath(int effect, int i, int n) const;

    QPainter m_painter;
    const QImage &m_picture;
    const QImage &m_blank;
    PatternRandom &m_random;
    const int W;
    const int H;
};

QRegion TransitionPainter::coverRegion(int effect, int i, int n) const
{
    const int w = part(W, i, n);
    const int h = part(H, i, n);
    switch (effect) {
    case 20: return QRegion(0, 0, w, H);                                  // 左覆盖
    case 21: return QRegion(part(W, n - i, n), 0, W - part(W, n - i, n), H); // 右覆盖
    case 22: return QRegion(0, 0, W, h);                                  // 上覆盖
    case 23: return QRegion(0, part(H, n - i, n), W, H - part(H, n - i, n)); // 下覆盖
    case 24: case 25: case 26: case 27:                                   // 直角
        return QRegion(cornerRect(Corner(effect - 24), W, H, w, h));
    default: break;
    }
    // 斜边: the triangle cut off the corner by a line that meets both of its
    // edges at L from the corner.
    const int L = part(W + H, i, n);
    QPolygon triangle;
    switch (Corner(effect - 28)) {
    case Corner::TopLeft: triangle << QPoint(0, 0) << QPoint(L, 0) << QPoint(0, L); break;
    case Corner::TopRight: triangle << QPoint(W, 0) << QPoint(W - L, 0) << QPoint(W, L); break;
    case Corner::BottomLeft: triangle << QPoint(0, H) << QPoint(L, H) << QPoint(0, H - L); break;
    case Corner::BottomRight: triangle << QPoint(W, H) << QPoint(W - L, H) << QPoint(W, H - L); break;
    }
    if (i >= n)
        return areaRegion(); // the hypotenuse passes the far corner: all of it
    return QRegion(triangle) & areaRegion();
}

QRegion TransitionPainter::mosaicRegion(int block, int i, int n)
{
    if (i >= n)
        return areaRegion();
    const int perRow = (W + block) / block;
    const int perColumn = (H + block) / block;
    const int count = perRow * perColumn;
    const int picks = count / n + 5;
    // Blocks that lie inside the area; one of them is always left out, so
    // the picture is never whole before the last step, even on an area of
    // a single block.
    std::vector<char> picked(size_t(count), 0);
    int visible = 0;
    for (int b = 0; b < count; ++b)
        visible += (b % perRow) * block < W && (b / perRow) * block < H;
    int visiblePicked = 0;
    int lastVisible = -1;
    for (int k = 0; k < picks; ++k) {
        const int b = m_random.below(count);
        if ((b % perRow) * block >= W || (b / perRow) * block >= H || picked[size_t(b)])
            continue;
        picked[size_t(b)] = 1;
        ++visiblePicked;
        lastVisible = b;
    }
    if (visiblePicked == visible && lastVisible >= 0)
        picked[size_t(lastVisible)] = 0;
    QRegion region;
    for (int b = 0; b < count; ++b)
        if (picked[size_t(b)])
            region += QRect((b % perRow) * block, (b / perRow) * block, block, block);
    return region & areaRegion();
}

// Shapes about the centre at size f of n: 0 rectangle, 1 diamond, 2
// ellipse, 3 cross. At f = n each covers the area.
QRegion TransitionPainter::shapeRegion(int shape, int f, int n) const
{
    if (f <= 0)
        return QRegion();
    if (f >= n)
        return areaRegion();
    const int cx = W / 2;
    const int cy = H / 2;
    switch (shape) {
    case 0: {
        const int w = part(W, f, n);
        const int h = part(H, f, n);
        return QRegion(cx - w / 2, cy - h / 2, w, h);
    }
    case 1: {
        const int d = int(int64_t(W + H) * f / (2 * int64_t(n)));
        QPolygon diamond;
        diamond << QPoint(cx, cy - d) << QPoint(cx + d, cy) << QPoint(cx, cy + d) << QPoint(cx - d, cy);
        return QRegion(diamond) & areaRegion();
    }
    case 2: {
        const int w = int(1.414 * W * f / n);
        const int h = int(1.414 * H * f / n);
        return QRegion(cx - w / 2, cy - h / 2, w, h, QRegion::Ellipse) & areaRegion();
    }
    default: {
        const QRegion band(part(W, n - f, 2 * n), 0, part(W, f, n), H);
        const QRegion bar(0, part(H, n - f, 2 * n), W, part(H, f, n));
        return band | bar;
    }
    }
}

// Pie sectors of the ellipse around the area. The angles count clockwise
// from the x axis (y grows downwards); Qt counts them anticlockwise, so
// they change sign.
QPainterPath TransitionPainter::wipePath(int effect, int i, int n) const
{
    const int kSectors[3] = {1, 2, 4};
    const int sectors = kSectors[(effect - 39) / 2];
    const bool clockwise = (effect - 39) % 2 == 0; // 左旋: positive sweeps
    const double sweep = double(360 / sectors) * i / n;
    const QRectF ellipse(-W / 2, -H / 2, 2.0 * W, 2.0 * H);
    QPainterPath path;
    for (int s = 0; s < sectors; ++s) {
        const double start = 360.0 / sectors * s;
        path.moveTo(ellipse.center());
        path.arcTo(ellipse, -start, clockwise ? -sweep : sweep);
        path.closeSubpath();
    }
    return path;
}

void TransitionPainter::entrance(int effect, int i, int n)
{
    if (i <= 0)
        return; // the step before the first: nothing yet
    if (effect >= 0 && effect <= kEffectLastMove) {
        const Heading h = kMoveHeadings[effect];
        picture(QRect(-h.dx * part(W, n - i, n), -h.dy * part(H, n - i, n), W, H));
        return;
    }
    if (effect >= kEffectCentreZoom && effect <= kEffectLastZoom) {
        const int w = part(W, i, n);
        const int h = part(H, i, n);
        if (effect == kEffectCentreZoom)
            picture(QRect((W - w) / 2, (H - h) / 2, w, h));
        else
            picture(cornerRect(Corner(effect - 9), W, H, w, h));
        return;
    }
    switch (effect) {
    case kEffectDeform: {
        // The picture leans over from a parallelogram whose top edge starts
        // at `a` and whose bottom edge ends at W - a, and straightens up.
        const int a = part(W, n - i, n);
        if (a >= W || m_picture.isNull())
            return;
        const QImage scaled = m_picture.size() == QSize(W, H) ? m_picture : m_picture.scaled(W, H);
        m_painter.save();
        m_painter.setTransform(QTransform(double(W - a) / W, 0, -double(a) / H, 1, a, 0));
        m_painter.drawImage(0, 0, scaled);
        m_painter.restore();
        return;
    }
    case 14: picture(QRect(0, 0, part(W, i, n), H)); return;                          // 左拉伸
    case 15: picture(QRect(W - part(W, i, n), 0, part(W, i, n), H)); return;          // 右拉伸
    case 16: picture(QRect(0, 0, W, part(H, i, n))); return;                          // 上拉伸
    case 17: picture(QRect(0, H - part(H, i, n), W, part(H, i, n))); return;          // 下拉伸
    case kEffectSmallMosaic: through(mosaicRegion(10, i, n)); return;
    case kEffectLargeMosaic: through(mosaicRegion(20, i, n)); return;
    case 32: through(QRegion(part(W, n - i, 2 * n), 0, part(W, i, n), H)); return;     // 左右对开
    case 33: through(QRegion(0, part(H, n - i, 2 * n), W, part(H, i, n))); return;     // 上下对开
    case 34: through(areaRegion() - QRegion(part(W, i, 2 * n), 0, part(W, n - i, n), H)); return; // 左右闭合
    case 35: through(areaRegion() - QRegion(0, part(H, i, 2 * n), W, part(H, n - i, n))); return; // 上下闭合
    case 36:
    case 37: {
        // Combs with a period of 20 cells: 水平百叶 vertical strips, 垂直百叶
        // horizontal ones.
        const int strip = part(20, i, n);
        QRegion comb;
        if (effect == 36)
            for (int x = 0; x < W; x += 20)
                comb += QRect(x, 0, strip, H);
        else
            for (int y = 0; y < H; y += 20)
                comb += QRect(0, y, W, strip);
        through(comb);
        return;
    }
    case kEffectFade:
        m_painter.save();
        m_painter.setOpacity(double(i) / n);
        whole();
        m_painter.restore();
        return;
    default: break;
    }
    if (effect >= kEffectFirstCover && effect <= kEffectLastCover) {
        through(coverRegion(effect, i, n));
    } else if (effect >= 39 && effect <= 44) {
        if (i >= n)
            whole();
        else
            through(wipePath(effect, i, n));
    } else if (effect >= 45 && effect <= 52) {
        const int shape = (effect - 45) / 2;
        if ((effect - 45) % 2 == 0)
            through(shapeRegion(shape, i, n));
        else
            through(areaRegion() - shapeRegion(shape, n - i, n));
    } else {
        whole();
    }
}

void TransitionPainter::exit(int effect, int i, int n)
{
    if (effect >= 0 && effect <= kEffectLastMove) {
        // Out in the direction of motion, the blank image following in.
        const Heading h = kMoveHeadings[effect];
        blankOver(QRect(-h.dx * part(W, n - i, n), -h.dy * part(H, n - i, n), W, H));
        picture(QRect(h.dx * part(W, i, n), h.dy * part(H, i, n), W, H));
        return;
    }
    if (effect >= kEffectCentreZoom && effect <= kEffectLastZoom) {
        blankOver(QRect(0, 0, W, H));
        const int w = part(W, n - i, n);
        const int h = part(H, n - i, n);
        if (effect == kEffectCentreZoom)
            picture(QRect((W - w) / 2, (H - h) / 2, w, h));
        else
            picture(cornerRect(Corner(effect - 9), W, H, w, h));
        return;
    }
    if (effect >= kEffectFirstCover && effect <= kEffectLastCover) {
        // The blank image covers the picture in the cover's growing shape.
        whole();
        const QRegion covered = coverRegion(effect, i, n);
        m_painter.save();
        m_painter.setClipRegion(covered);
        m_painter.setCompositionMode(QPainter::CompositionMode_Source);
        blankOver(QRect(0, 0, W, H));
        m_painter.restore();
        return;
    }
    entrance(effect, n - i, n);
}

} // namespace

void drawTransition(QImage &canvas, int effect, TransitionPhase phase, int i, int n, const QImage &picture,
                    const QImage &blank, PatternRandom &random)
{
    n = std::max(n, 1);
    i = std::clamp(i, 1, n);
    if (canvas.isNull())
        return;
    TransitionPainter painter(canvas, picture, blank, random);
    if (phase == TransitionPhase::Entrance)
        painter.entrance(effect, i, n);
    else
        painter.exit(effect, i, n);
}

void copyCanvasIntoFrame(const QImage &canvas, Frame &frame, int cols, int rows, const GridRect &rect)
{
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, rows - 1);
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, cols - 1);
    if (frame.size() < size_t(rows) * size_t(cols))
        return;
    for (int y = top; y <= bottom; ++y) {
        const int cy = y - rect.top;
        const bool rowOk = !canvas.isNull() && cy < canvas.height();
        const auto *line = rowOk ? reinterpret_cast<const QRgb *>(canvas.constScanLine(cy)) : nullptr;
        ColorValue *to = frame.data() + size_t(y) * size_t(cols);
        for (int x = left; x <= right; ++x) {
            const int cx = x - rect.left;
            to[x] = line && cx < canvas.width() ? colorFromArgb(line[cx]) : 0;
        }
    }
}

#include "patterns/pattern_key_pictures.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSide = 9;  // sample cells
constexpr int kCell = 4;  // pixels per cell
constexpr ColorValue kBack = 0x000000;
constexpr ColorValue kBlank = 0x505050; // cells the key leaves empty
constexpr ColorValue kArrow = 0x0000FF; // red
constexpr ColorValue kCorner = 0x00FFFF; // yellow
constexpr ColorValue kTail = 0xFF8000;   // blue-ish

// An upward arrow left of centre, a yellow top-left corner and a tail
// mark: every move, turn and mirror shows.
Frame samplePicture()
{
    Frame f(size_t(kSide * kSide), kBack);
    auto set = [&](int x, int y, ColorValue c) { f.set(x, y, kSide, c); };
    for (int y = 1; y <= 7; ++y)
        set(3, y, kArrow);
    set(2, 2, kArrow);
    set(4, 2, kArrow);
    set(1, 3, kArrow);
    set(5, 3, kArrow);
    set(0, 0, kCorner);
    set(1, 0, kCorner);
    set(0, 1, kCorner);
    set(4, 7, kTail);
    set(5, 7, kTail);
    return f;
}

QColor toQColor(ColorValue c) { return QColor(int(redOf(c)), int(greenOf(c)), int(blueOf(c))); }

} // namespace

QIcon patternKeyPicture(PatternAction action, PatternKey key)
{
    static const Frame sample = samplePicture();
    Frame moved;
    movePatternArea(sample, kSide, {0, 0, kSide - 1, kSide - 1}, action, key, 2, kBlank, moved);

    const int size = kSide * kCell;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::black);
    QPainter painter(&pixmap);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            painter.fillRect(x * kCell, y * kCell, kCell - 1, kCell - 1, toQColor(moved.at(x, y, kSide)));
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    const QRect corner(size - 12, size - 13, 12, 13);
    painter.fillRect(corner, QColor(255, 255, 255, 200));
    painter.setPen(Qt::black);
    painter.drawText(corner, Qt::AlignCenter, QString(QLatin1Char(patternKeyLetter(key))));
    painter.end();
    return QIcon(pixmap);
}

// A contact sheet of the transition effects for a person to look at: the
// halfway step (10 of 20) of every effect's entrance, and beside it of its
// exit, on a test picture of 64 x 64 cells, each cell drawn 3 x 3 pixels,
// labelled with the effect's number and English name.
//
//   build/make-effect-sheet OUT.png
//
// The test picture has four coloured quarters (red top left, green top
// right, blue bottom left, yellow bottom right), a white frame and a white
// arrow pointing right, so direction and orientation can be read off each
// tile.
#include "patterns/pattern_random.h"
#include "patterns/transition_effects.h"
#include "settings/language.h"

#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kSide = 64;
constexpr int kScale = 3;
constexpr int kColumns = 6;
constexpr int kLabel = 18;
constexpr int kGap = 8;

QImage testPicture()
{
    QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    const int h = kSide / 2;
    p.fillRect(0, 0, h, h, QColor(255, 0, 0));
    p.fillRect(h, 0, h, h, QColor(0, 200, 0));
    p.fillRect(0, h, h, h, QColor(0, 64, 255));
    p.fillRect(h, h, h, h, QColor(255, 220, 0));
    p.setPen(Qt::white);
    p.drawRect(0, 0, kSide - 1, kSide - 1);
    p.fillRect(12, 28, 28, 8, Qt::white);
    const QPoint head[3] = {QPoint(40, 18), QPoint(54, 32), QPoint(40, 46)};
    p.setBrush(Qt::white);
    p.drawPolygon(head, 3);
    return image;
}

QImage tile(int effect, TransitionPhase phase, const QImage &picture, PatternRandom &random)
{
    QImage canvas = transitionCanvas(kSide, kSide);
    drawTransition(canvas, effect, phase, 10, 20, picture, QImage(), random);
    // On black, as the grid shows it.
    QImage shown(kSide, kSide, QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter p(&shown);
    p.drawImage(0, 0, canvas);
    p.end();
    return shown.scaled(kSide * kScale, kSide * kScale);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-effect-sheet OUT.png\n");
        return 2;
    }
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::English);

    const QImage picture = testPicture();
    PatternRandom random;
    const int cellW = 2 * kSide * kScale + kGap;
    const int cellH = kSide * kScale + kLabel + kGap;
    const int rows = (kTransitionEffectCount + kColumns - 1) / kColumns;
    QImage sheet(kColumns * (cellW + kGap) + kGap, rows * cellH + kLabel + kGap, QImage::Format_RGB32);
    sheet.fill(QColor(48, 48, 48));
    QPainter p(&sheet);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(kGap, 14, QStringLiteral("Step 10 of 20 of each effect: entrance (left) and exit (right)"));
    for (int e = 0; e < kTransitionEffectCount; ++e) {
        const int x = kGap + (e % kColumns) * (cellW + kGap);
        const int y = kLabel + kGap + (e / kColumns) * cellH;
        p.drawText(x, y + 13, QStringLiteral("%1 %2").arg(e).arg(stuntText(kStuntFirstEffect + e)));
        p.drawImage(x, y + kLabel, tile(e, TransitionPhase::Entrance, picture, random));
        p.drawImage(x + kSide * kScale + kGap, y + kLabel, tile(e, TransitionPhase::Exit, picture, random));
    }
    p.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 2;
    }
    return 0;
}

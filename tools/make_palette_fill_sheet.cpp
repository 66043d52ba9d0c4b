// A contact sheet of the sixteen palette fills for a person to look at:
// for each mode, the frames one run makes on a 24 x 40 grid, each grid
// point drawn 2 x 2 pixels, labelled with the mode's number and English
// name. The palette is eight colours of the rainbow with the third
// (yellow) selected, the colour action is "replace", and the current frame
// is a test picture: a white ring, a grey bar and a magenta block on
// black. Modes 0 to 5 show that picture first; modes 2 to 5, which change
// it in place, show it before and after.
//
//   build/make-palette-fill-sheet OUT.png
#include "document/document.h"
#include "palette/palette_state.h"
#include "patterns/palette_fill.h"
#include "settings/language.h"

#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kRows = 24;
constexpr int kCols = 40;
constexpr int kScale = 2;
constexpr int kPerLine = 12;
constexpr int kLabel = 18;
constexpr int kGap = 6;
constexpr int kTileW = kCols * kScale;
constexpr int kTileH = kRows * kScale;

Frame testFrame()
{
    Frame f(size_t(kRows) * kCols, 0);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) {
            const int dx = x - 20;
            const int dy = y - 12;
            const int d2 = dx * dx + dy * dy;
            if (d2 >= 49 && d2 <= 81)
                f.set(x, y, kCols, 0xFFFFFF); // the ring
            if (y == 2 && x >= 4 && x < 36)
                f.set(x, y, kCols, 0x808080); // the bar
            if (x >= 32 && x < 37 && y >= 16 && y < 21)
                f.set(x, y, kCols, 0xFF00FF); // the block
        }
    return f;
}

QImage tile(const Frame &f)
{
    QImage image(kCols, kRows, QImage::Format_RGB32);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) {
            const ColorValue c = f.at(x, y, kCols); // 0x00BBGGRR
            image.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        }
    return image.scaled(kTileW, kTileH);
}

// The frames to show for one mode.
std::vector<Frame> runMode(int mode, const PaletteState &palette)
{
    GridGeometry g;
    g.rows = kRows;
    g.cols = kCols;
    Document doc(g);
    doc.startNew(g);
    doc.storeFrame(testFrame());
    PaletteState copy = palette;
    PatternTarget target(doc, 0, BlockArea(), &copy);
    std::vector<Frame> shown;
    if (mode <= 5)
        shown.push_back(doc.frames().at(0));
    generatePaletteFill(target, {mode, 0});
    for (int i = paletteFillRecolours(mode) ? 0 : 1; i < doc.frameCount(); ++i)
        shown.push_back(doc.frames().at(i));
    return shown;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-palette-fill-sheet OUT.png\n");
        return 2;
    }
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::English);

    PaletteState palette;
    palette.colours = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF0080, 0x8000FF};
    palette.selectEntry(2);

    std::vector<std::vector<Frame>> runs;
    int height = kLabel + kGap;
    for (int mode = 0; mode < kPaletteFillModeCount; ++mode) {
        runs.push_back(runMode(mode, palette));
        const int lines = (int(runs.back().size()) + kPerLine - 1) / kPerLine;
        height += kLabel + lines * (kTileH + kGap) + kGap;
    }
    QImage sheet(kGap + kPerLine * (kTileW + kGap), height, QImage::Format_RGB32);
    sheet.fill(QColor(48, 48, 48));
    QPainter p(&sheet);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(kGap, 14, QStringLiteral("Palette fills on 24 x 40, palette from yellow (entry 3 of 8), colour action replace"));
    int y = kLabel + kGap;
    for (int mode = 0; mode < kPaletteFillModeCount; ++mode) {
        const std::vector<Frame> &frames = runs[size_t(mode)];
        p.drawText(kGap, y + 13, QStringLiteral("%1 %2 (%3 frames added)")
                                     .arg(mode)
                                     .arg(paletteFillModeText(mode))
                                     .arg(paletteFillFrameCount(mode, kRows, kCols, palette.count(), palette.selected)));
        y += kLabel;
        for (size_t k = 0; k < frames.size(); ++k) {
            const int x = kGap + int(k % kPerLine) * (kTileW + kGap);
            p.drawImage(x, y + int(k / kPerLine) * (kTileH + kGap), tile(frames[k]));
        }
        y += int((frames.size() + kPerLine - 1) / kPerLine) * (kTileH + kGap) + kGap;
    }
    p.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 2;
    }
    return 0;
}

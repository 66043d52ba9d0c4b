#include "patterns/picture_pattern.h"

#include "document/frame_budget.h"
#include "patterns/pattern_random.h"
#include "patterns/transition_effects.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

int64_t picturePatternFrameCount(const PicturePatternParams &p)
{
    return int64_t(std::max(p.entrance, 1)) + std::max(p.wait, 0) + std::max(p.exit, 0);
}

int pictureRunEffect(int effectItem)
{
    if (effectItem >= 0 && effectItem < kTransitionEffectCount)
        return effectItem;
    return patternRandom().below(kTransitionEffectCount);
}

int generatePicturePattern(PatternTarget &target, const QImage &picture, const PicturePatternParams &p)
{
    Document &doc = target.doc;
    const int rows = doc.rows();
    const int cols = doc.cols();
    if (rows <= 0 || cols <= 0 || picture.isNull())
        return 0;
    const GridRect area = generationArea(target.area, rows, cols);
    const int effect = pictureRunEffect(p.effectItem);
    const int entrance = std::max(p.entrance, 1);
    const int exit = std::max(p.exit, 0);
    // The effects draw the picture at the area's size: scaled once here,
    // every step is a plain copy.
    const QImage scaled = picture.scaled(area.width(), area.height());
    const QImage blank = transitionCanvas(cols, rows);

    FrameSink sink(target, AddRule::AlwaysInsert, int(std::min<int64_t>(picturePatternFrameCount(p), INT32_MAX)),
                   EditNames::PicturePattern);
    const auto step = [&](TransitionPhase phase, int i, int n, Frame &frame) {
        QImage canvas = transitionCanvas(area.width(), area.height());
        drawTransition(canvas, effect, phase, i, n, scaled, blank, patternRandom());
        frame = doc.makeFrame();
        copyCanvasIntoFrame(canvas, frame, cols, rows, area);
    };
    Frame last;
    for (int i = 1; i <= entrance; ++i) {
        step(TransitionPhase::Entrance, i, entrance, last);
        if (!sink.hand(last))
            return sink.made();
    }
    for (int k = 0; k < p.wait; ++k)
        if (!sink.hand(last))
            return sink.made();
    for (int i = 1; i <= exit; ++i) {
        Frame frame;
        step(TransitionPhase::Exit, i, exit, frame);
        if (!sink.hand(std::move(frame)))
            break;
    }
    return sink.made();
}

int runPicturePattern(PatternTarget &target, const QImage &picture, const PicturePatternParams &p, Prompt &prompt)
{
    if (picture.isNull())
        return 0;
    if (!checkFramesToAdd(target.doc, picturePatternFrameCount(p), prompt))
        return 0;
    return generatePicturePattern(target, picture, p);
}

namespace {

void pictureCannotBeOpened(Prompt &prompt)
{
    prompt.inform(lookedUpText("Message", "PictureOpenFailed", QStringLiteral("图片文件无法打开"),
                               QStringLiteral("The picture file cannot be opened.")),
                  PromptIcon::Warning);
}

} // namespace

int pictureAllocationLimitMb(qint64 fileBytes, int maxSide)
{
    const int64_t largestMb = int64_t(maxSide) * maxSide * 4 / (1024 * 1024);
    const int64_t fileMb = (fileBytes * kMaxPicturePixelsPerByte * 4 + (1024 * 1024 - 1)) / (1024 * 1024);
    return int(fileBytes > 0 ? std::min(fileMb, largestMb) : largestMb);
}

QImage readPatternPicture(QIODevice &device, Prompt &prompt)
{
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    // No picture format packs more than a few hundred pixels into a byte:
    // a picture far larger than its file comes from a cut or damaged file
    // (a 30-byte GIF claiming 11268 x 13315), whose missing pixels the
    // decoder would spend seconds filling in. Its memory is bounded by the
    // file's size as well as by the largest sides.
    reader.setAllocationLimit(
        pictureAllocationLimitMb(device.isSequential() ? 0 : device.size() - device.pos(), kMaxPictureSide));
    // The header's size first: a huge picture is refused before its pixels
    // take any memory.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)) {
        prompt.inform(formatText(lookedUpText("Message", "PictureTooLarge", QStringLiteral("图片太大：最多 %d × %d 像素"),
                                              QStringLiteral("The picture is too large: at most %d × %d pixels")),
                                 QStringLiteral("图片太大：最多 %d × %d 像素"), {kMaxPictureSide, kMaxPictureSide}),
                      PromptIcon::Warning);
        return QImage();
    }
    QImage image;
    if (!size.isValid() || !reader.read(&image) || image.isNull()
        || image.width() > kMaxPictureSide || image.height() > kMaxPictureSide) {
        pictureCannotBeOpened(prompt);
        return QImage();
    }
    return image;
}

QImage loadPatternPicture(const QString &path, Prompt &prompt)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        pictureCannotBeOpened(prompt);
        return QImage();
    }
    return readPatternPicture(file, prompt);
}

void drawIntoPagePicture(QImage &picture, const QImage &source, int cols, int rows)
{
    if (cols <= 0 || rows <= 0 || source.isNull())
        return;
    if (picture.isNull() || picture.size() != QSize(cols, rows)) {
        picture = QImage(cols, rows, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
    }
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, cols, rows), source);
}

QString pictureFileFilter()
{
    return lookedUpText("AutoLabel", "PictureFilter",
                        QStringLiteral("图片文件 (*.bmp *.jpg *.jpeg *.png *.gif);;所有文件 (*)"),
                        QStringLiteral("Picture files (*.bmp *.jpg *.jpeg *.png *.gif);;All files (*)"));
}

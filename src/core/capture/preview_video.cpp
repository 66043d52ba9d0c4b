#include "capture/preview_video.h"

#include "capture/video_file.h"

#include <QPainter>

QImage previewPicture(const Frame &frame, const GridGeometry &g, int scale, bool round)
{
    QImage image(g.cols * scale, g.rows * scale, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::black);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    if (round)
        p.setRenderHint(QPainter::Antialiasing);
    // A dark line between cells once a cell has room for it.
    const int gap = scale >= 4 ? 1 : 0;
    for (int y = 0; y < g.rows; ++y) {
        for (int x = 0; x < g.cols; ++x) {
            const ColorValue c = frame.size() > size_t(y) * size_t(g.cols) + size_t(x) ? frame.at(x, y, g.cols) : 0;
            const QRect cell(x * scale, y * scale, scale - gap, scale - gap);
            const QColor colour(int(redOf(c)), int(greenOf(c)), int(blueOf(c)));
            if (round) {
                p.setBrush(colour);
                p.drawEllipse(cell);
            } else {
                p.fillRect(cell, colour);
            }
        }
    }
    return image;
}

bool writePreviewVideo(const QString &path, const GridGeometry &g, const FrameSequence &frames, int fps, int scale,
                       bool round, QString *error, const RunProgress &progress)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (scale < 1 || scale > kMaxPreviewScale)
        return fail(QStringLiteral("the cell size must be 1 to %1 pixels").arg(kMaxPreviewScale));
    if (int64_t(g.cols) * scale > kMaxPreviewSide || int64_t(g.rows) * scale > kMaxPreviewSide)
        return fail(QStringLiteral("%1 x %2 cells of %3 pixels pass %4 pixels a side")
                        .arg(g.cols)
                        .arg(g.rows)
                        .arg(scale)
                        .arg(kMaxPreviewSide));
    if (frames.empty())
        return fail(QStringLiteral("the project has no frame"));
    VideoWriter writer;
    if (!writer.open(path, g.cols * scale, g.rows * scale, fps))
        return fail(writer.error());
    for (int i = 0; i < frames.count(); ++i) {
        if (!writer.write(previewPicture(frames.at(i), g, scale, round)))
            return fail(writer.error());
        if (!runGoesOn(progress, i + 1, frames.count()))
            return fail(QStringLiteral("stopped"));
    }
    if (!writer.finish())
        return fail(writer.error());
    return true;
}

#include "capture/picture_fit.h"

#include <QPainter>

#include <algorithm>

DisplayMode displayModeFromIndex(int index)
{
    switch (index) {
    case 0:
        return DisplayMode::Centre;
    case 1:
        return DisplayMode::Fit;
    default:
        return DisplayMode::Stretch;
    }
}

QRect placedRect(QSize picture, QSize area, DisplayMode mode)
{
    switch (mode) {
    case DisplayMode::Centre:
        return QRect((area.width() - picture.width()) / 2, (area.height() - picture.height()) / 2,
                     picture.width(), picture.height());
    case DisplayMode::Fit: {
        if (picture.isEmpty())
            return QRect();
        const QSize scaled = picture.scaled(area, Qt::KeepAspectRatio);
        const QSize kept(std::max(scaled.width(), 1), std::max(scaled.height(), 1));
        return QRect((area.width() - kept.width()) / 2, (area.height() - kept.height()) / 2, kept.width(),
                     kept.height());
    }
    case DisplayMode::Stretch:
        break;
    }
    return QRect(QPoint(0, 0), area);
}

QImage fitPicture(const QImage &picture, QSize size, DisplayMode mode, bool vectorZoom)
{
    if (picture.size() == size && picture.format() == QImage::Format_RGB32)
        return picture;
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(Qt::black);
    if (picture.isNull())
        return out;
    const QRect target = vectorZoom ? placedRect(picture.size(), size, mode) : QRect(QPoint(0, 0), size);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (target.size() == picture.size()) {
        painter.drawImage(target.topLeft(), picture);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, picture);
    }
    return out;
}

Frame frameFromPicture(const QImage &picture, const GridRect &region, int rows, int cols, DisplayMode mode,
                       bool vectorZoom)
{
    Frame frame(size_t(std::max(rows, 0)) * size_t(std::max(cols, 0)), 0);
    const QRect inGrid = QRect(region.left, region.top, region.width(), region.height()) & QRect(0, 0, cols, rows);
    if (inGrid.isEmpty())
        return frame;
    const QImage fitted = fitPicture(picture, QSize(region.width(), region.height()), mode, vectorZoom);
    if (fitted.isNull())
        return frame;
    for (int y = inGrid.top(); y <= inGrid.bottom(); ++y) {
        const auto *line = reinterpret_cast<const uint32_t *>(fitted.constScanLine(y - region.top));
        ColorValue *out = frame.data() + size_t(y) * size_t(cols);
        for (int x = inGrid.left(); x <= inGrid.right(); ++x)
            out[x] = colorFromPixel(line[x - region.left]);
    }
    return frame;
}

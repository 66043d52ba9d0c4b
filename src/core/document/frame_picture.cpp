#include "document/frame_picture.h"

QImage framePicture(const Frame &frame, int rows, int cols)
{
    if (rows <= 0 || cols <= 0 || frame.size() != size_t(rows) * size_t(cols))
        return QImage();
    QImage picture(cols, rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        const ColorValue *from = frame.data() + size_t(y) * size_t(cols);
        for (int x = 0; x < cols; ++x)
            line[x] = qRgb(int(redOf(from[x])), int(greenOf(from[x])), int(blueOf(from[x])));
    }
    return picture;
}

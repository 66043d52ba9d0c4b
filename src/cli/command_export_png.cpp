// brightloom-cli export-png FILE --frame N [--scale S] OUT.png
#include "cli_command.h"
#include "cli_support.h"

#include <QImage>

#include <algorithm>

namespace {

// A picture side larger than this is refused rather than allocated.
constexpr int kMaxPictureSide = 32767;

// One S x S block per grid point, in the frame's own colours.
QImage framePicture(const Frame &frame, const GridGeometry &g, int scale)
{
    QImage image(g.cols * scale, g.rows * scale, QImage::Format_RGB32);
    for (int y = 0; y < g.rows; ++y) {
        for (int dy = 0; dy < scale; ++dy) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y * scale + dy));
            for (int x = 0; x < g.cols; ++x) {
                const ColorValue c = frame.at(x, y, g.cols);
                std::fill_n(line + x * scale, scale, qRgb(int(redOf(c)), int(greenOf(c)), int(blueOf(c))));
            }
        }
    }
    return image;
}

} // namespace

int runExportPng(const QStringList &args)
{
    const CliArgs a = parseCliArgs(args, {{QStringLiteral("--frame"), QStringLiteral("--scale")}, {}, {}});
    if (const std::optional<int> done = endsAtParse(a, "export-png"))
        return *done;
    if (a.positional.size() != 2)
        return usageError("export-png", QStringLiteral("expected a project file and an output picture"));
    if (!a.options.contains(QStringLiteral("--frame")))
        return usageError("export-png", QStringLiteral("--frame N is required"));

    const std::optional<int> frameNumber = parseNumber(a.options.value(QStringLiteral("--frame")), 1);
    if (!frameNumber)
        return usageError("export-png", QStringLiteral("--frame needs a frame number from 1, not '%1'")
                                            .arg(a.options.value(QStringLiteral("--frame"))));
    const std::optional<int> scale = parseNumber(a.options.value(QStringLiteral("--scale"), QStringLiteral("1")), 1);
    if (!scale)
        return usageError("export-png", QStringLiteral("--scale needs a whole number from 1, not '%1'")
                                            .arg(a.options.value(QStringLiteral("--scale"))));

    const QString &file = a.positional.at(0);
    const QString &out = a.positional.at(1);
    const std::optional<ProjectData> data = loadProject("export-png", file);
    if (!data)
        return ExitFailure;
    const int count = int(data->frames.size());
    if (*frameNumber > count) {
        complain("export-png", QStringLiteral("%1: there is no frame %2; the project has %3 frame(s)")
                                   .arg(file)
                                   .arg(*frameNumber)
                                   .arg(count));
        return ExitFailure;
    }
    const GridGeometry &g = data->geometry;
    if (qint64(g.cols) * *scale > kMaxPictureSide || qint64(g.rows) * *scale > kMaxPictureSide) {
        complain("export-png", QStringLiteral("scale %1 makes a picture larger than %2 pixels a side")
                                   .arg(*scale)
                                   .arg(kMaxPictureSide));
        return ExitFailure;
    }

    const QImage image = framePicture(data->frames[size_t(*frameNumber - 1)], g, *scale);
    if (image.isNull()) {
        complain("export-png", QStringLiteral("not enough memory for a %1 x %2 picture").arg(image.width()).arg(image.height()));
        return ExitFailure;
    }
    if (!image.save(out, "PNG")) {
        complain("export-png", QStringLiteral("%1: cannot write the picture").arg(out));
        return ExitFailure;
    }
    return data->truncated ? ExitTruncated : ExitOk;
}

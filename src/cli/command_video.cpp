// brightloom-cli import-video and export-video.
#include "cli_command.h"
#include "cli_support.h"

#include "capture/movie_import.h"
#include "capture/preview_video.h"
#include "document/document.h"

#include <QFileInfo>

#include <cmath>

namespace {

std::optional<double> parseSeconds(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || v > 1e7)
        return std::nullopt;
    return v;
}

std::optional<DisplayMode> parseMode(const QString &text)
{
    if (text == QLatin1String("centre") || text == QLatin1String("center"))
        return DisplayMode::Centre;
    if (text == QLatin1String("fit"))
        return DisplayMode::Fit;
    if (text == QLatin1String("stretch"))
        return DisplayMode::Stretch;
    return std::nullopt;
}

} // namespace

int runImportVideo(const QStringList &args)
{
    const char *command = "import-video";
    const CliArgs a = parseCliArgs(args, {{QStringLiteral("--rows"), QStringLiteral("--cols"), QStringLiteral("--in"),
                                           QStringLiteral("--fps"), QStringLiteral("--from"), QStringLiteral("--to"),
                                           QStringLiteral("--mode"), QStringLiteral("--area")},
                                          {},
                                          {}});
    if (const std::optional<int> done = endsAtParse(a, command))
        return *done;
    if (a.positional.size() != 2)
        return usageError(command, QStringLiteral("expected a video file and an output project"));
    const bool fromProject = a.has(QStringLiteral("--in"));
    if (fromProject == (a.has(QStringLiteral("--rows")) || a.has(QStringLiteral("--cols"))))
        return usageError(command, QStringLiteral("give either --rows and --cols or --in"));

    CliNumbers numbers(a);
    const int rows = numbers.number("--rows", 1, 1, kMaxGridSide);
    const int cols = numbers.number("--cols", 1, 1, kMaxGridSide);
    const int fps = numbers.number("--fps", 20, 1, 1000);
    if (!numbers.error().isEmpty())
        return usageError(command, numbers.error());
    if (!fromProject && (!a.has(QStringLiteral("--rows")) || !a.has(QStringLiteral("--cols"))))
        return usageError(command, QStringLiteral("--rows and --cols go together"));
    if (!fromProject && !gridSizeAllowed(rows, cols))
        return usageError(command, QStringLiteral("%1 x %2 points is too large a grid").arg(rows).arg(cols));

    MovieImportOptions o;
    o.fps = fps;
    for (const char *name : {"--from", "--to"}) {
        const QString key = QString::fromLatin1(name);
        if (!a.has(key))
            continue;
        const std::optional<double> v = parseSeconds(a.text(key));
        if (!v)
            return usageError(command, QStringLiteral("%1 needs seconds from 0, not '%2'").arg(key, a.text(key)));
        (key == QLatin1String("--from") ? o.from : o.to) = *v;
    }
    if (o.to > 0 && o.to <= o.from)
        return usageError(command, QStringLiteral("--to must come after --from"));
    const std::optional<DisplayMode> mode = parseMode(a.text(QStringLiteral("--mode")).isEmpty()
                                                          ? QStringLiteral("fit")
                                                          : a.text(QStringLiteral("--mode")));
    if (!mode)
        return usageError(command, QStringLiteral("--mode is centre, fit or stretch"));
    o.mode = *mode;

    Document doc;
    bool truncated = false;
    if (fromProject) {
        std::optional<ProjectData> data = loadProject(command, a.text(QStringLiteral("--in")));
        if (!data)
            return ExitFailure;
        truncated = data->truncated;
        doc.replaceContents(data->geometry, std::move(data->frames));
        doc.goToFrame(doc.frameCount() - 1);
    } else {
        GridGeometry g;
        g.rows = int16_t(rows);
        g.cols = int16_t(cols);
        doc.setGeometry(g);
        doc.startNew(g);
    }
    BlockArea area;
    if (a.has(QStringLiteral("--area"))) {
        const auto v = parseNumberList(a.text(QStringLiteral("--area")), 4, 0, kMaxGridSide);
        if (!v || (*v)[2] < 1 || (*v)[3] < 1)
            return usageError(command, QStringLiteral("--area is X,Y,W,H with W and H from 1"));
        area.defined = true;
        area.x0 = (*v)[0];
        area.y0 = (*v)[1];
        area.x1 = (*v)[0] + (*v)[2] - 1;
        area.y1 = (*v)[1] + (*v)[3] - 1;
        if (!area.usable(doc.rows(), doc.cols()))
            return usageError(command, QStringLiteral("--area does not fit the %1 x %2 grid").arg(doc.rows()).arg(doc.cols()));
    }

    const QString &file = a.positional.at(0);
    const QString suffix = QFileInfo(file).suffix().toLower();
    const bool animated = suffix == QLatin1String("gif") || suffix == QLatin1String("webp")
                          || suffix == QLatin1String("apng") || suffix == QLatin1String("png");
    QString why;
    std::unique_ptr<MovingPicture> movie = openMovie(file, &why, animated);
    if (!movie) {
        complain(command, QStringLiteral("%1: %2").arg(file, why));
        return ExitFailure;
    }
    const bool freshGrid = !fromProject;
    CliPrompt prompt(command, CliPrompt::Messages::ToStandardError, [](PromptButtons) { return PromptAnswer::No; });
    PatternTarget target(doc, 0, area);
    const int made = importMovie(target, *movie, o, prompt);
    if (made <= 0)
        return ExitFailure;
    if (freshGrid)
        doc.frames().remove(0); // the black frame the new grid started with
    QString reason;
    if (!writeProjectFile(a.positional.at(1), doc.geometry(), doc.frames(), &reason)) {
        complain(command, QStringLiteral("%1: %2").arg(a.positional.at(1), reason));
        return ExitFailure;
    }
    printOut(QStringLiteral("%1 frames imported, %2 in the project\n").arg(made).arg(doc.frameCount()));
    return truncated ? ExitTruncated : ExitOk;
}

int runExportVideo(const QStringList &args)
{
    const char *command = "export-video";
    const CliArgs a = parseCliArgs(
        args, {{QStringLiteral("--fps"), QStringLiteral("--scale")}, {QStringLiteral("--round")}, {}});
    if (const std::optional<int> done = endsAtParse(a, command))
        return *done;
    if (a.positional.size() != 2)
        return usageError(command, QStringLiteral("expected a project file and an output video"));
    CliNumbers numbers(a);
    const int fps = numbers.number("--fps", 20, 1, 1000);
    const int scale = numbers.number("--scale", 8, 1, kMaxPreviewScale);
    if (!numbers.error().isEmpty())
        return usageError(command, numbers.error());
    if (!videoSuffixWritable(a.positional.at(1)))
        return usageError(command, QStringLiteral("the video's name ends in .mp4, .avi, .gif, .webm, .mkv or .mov"));
    const std::optional<ProjectData> data = loadProject(command, a.positional.at(0));
    if (!data)
        return ExitFailure;
    FrameSequence frames;
    frames.assign(data->frames, 0);
    QString why;
    if (!writePreviewVideo(a.positional.at(1), data->geometry, frames, fps, scale, a.has(QStringLiteral("--round")),
                           &why)) {
        complain(command, QStringLiteral("%1: %2").arg(a.positional.at(1), why));
        return ExitFailure;
    }
    return data->truncated ? ExitTruncated : ExitOk;
}

#include "capture/gather.h"

#include "capture/gather_texts.h"
#include "capture/video_file.h"
#include "document/frame_budget.h"
#include "document/project_file.h"
#include "settings/file_access.h"
#include "settings/prompt.h"

int convertSamples(PatternTarget &target, const SampleList &samples, DisplayMode mode, bool vectorZoom,
                   Prompt &prompt)
{
    Document &doc = target.doc;
    if (doc.frameCount() == 0) {
        prompt.inform(GatherText::gridFirst(), PromptIcon::Warning, GatherText::caption());
        return -1;
    }
    if (samples.empty())
        return 0;
    if (!checkFramesToAdd(doc, samples.count(), prompt))
        return -1;
    const GridRect region = generationArea(target.area, doc.rows(), doc.cols());
    FrameSink sink(target, AddRule::FollowAddMode, samples.count(), EditNames::ScreenGather);
    for (int i = 0; i < samples.count(); ++i) {
        if (!sink.hand(frameFromPicture(samples.at(i), region, doc.rows(), doc.cols(), mode, vectorZoom)))
            break;
    }
    return sink.made();
}

bool writeSamplesProject(const QString &path, const SampleList &samples, const GridGeometry &current,
                         QString *reason)
{
    GridGeometry g = current;
    g.rows = int16_t(samples.height());
    g.cols = int16_t(samples.width());
    Frame frame(size_t(samples.width()) * size_t(samples.height()));
    return writeProjectFrames(
        path, g, samples.count(),
        [&](int index) -> const Frame & {
            const QImage &sample = samples.at(index);
            ColorValue *out = frame.data();
            for (int y = 0; y < sample.height(); ++y) {
                const auto *line = reinterpret_cast<const uint32_t *>(sample.constScanLine(y));
                for (int x = 0; x < sample.width(); ++x)
                    *out++ = colorFromPixel(line[x]);
            }
            return frame;
        },
        reason);
}

bool writeSamplesVideo(const QString &path, const SampleList &samples, int rate, QString *reason)
{
    VideoWriter writer;
    bool ok = writer.open(path, samples.width(), samples.height(), rate < 2 ? 1 : rate);
    for (int i = 0; ok && i < samples.count(); ++i)
        ok = writer.write(samples.at(i));
    ok = ok && writer.finish();
    if (!ok && reason)
        *reason = writer.error();
    return ok;
}

bool saveSamples(const QString &path, const SampleList &samples, const GridGeometry &current, int rate,
                 Prompt &prompt)
{
    QString reason;
    if (path.endsWith(QLatin1String(".avi"), Qt::CaseInsensitive)) {
        if (writeSamplesVideo(path, samples, rate, &reason))
            return true;
    } else if (!gridSizeAllowed(samples.height(), samples.width())) {
        reason = QStringLiteral("%1 x %2 pixels is larger than a project grid can be")
                     .arg(samples.width())
                     .arg(samples.height());
    } else if (writeSamplesProject(path, samples, current, &reason)) {
        return true;
    }
    prompt.inform(withSystemReason(GatherText::saveFailed(), reason), PromptIcon::Error, GatherText::caption());
    return false;
}

bool confirmSizeChange(const SampleList &samples, Prompt &prompt, const QString &title)
{
    if (samples.empty())
        return true;
    return prompt.ask(GatherText::sizeChangeQuestion(), PromptButtons::YesNo, PromptIcon::Question, title)
           == PromptAnswer::Yes;
}

namespace {

// A project's frames as samples of Cols x Rows pixels.
bool samplesFromProject(ProjectData &data, SampleList &into, Prompt &prompt)
{
    const int cols = data.geometry.cols;
    const int rows = data.geometry.rows;
    SampleList read(cols, rows, into.budget());
    if (!read.fits(int64_t(data.frames.size()))) {
        prompt.inform(GatherText::memoryFull(), PromptIcon::Warning, GatherText::caption());
        return false;
    }
    for (Frame &frame : data.frames) {
        QImage sample(cols, rows, QImage::Format_RGB32);
        if (sample.isNull() || frame.size() < size_t(cols) * size_t(rows)) {
            prompt.inform(GatherText::memoryFull(), PromptIcon::Warning, GatherText::caption());
            return false;
        }
        const ColorValue *in = frame.data();
        for (int y = 0; y < rows; ++y) {
            auto *line = reinterpret_cast<uint32_t *>(sample.scanLine(y));
            for (int x = 0; x < cols; ++x)
                line[x] = pixelFromColor(*in++);
        }
        Frame().pixels().swap(frame.pixels()); // the frame's memory goes as its sample comes
        read.append(sample);
    }
    into.replace(std::move(read));
    return true;
}

// Every picture of a video as a sample of the video's size.
bool samplesFromVideo(VideoReader &video, SampleList &into, Prompt &prompt)
{
    SampleList read(video.size().width(), video.size().height(), into.budget());
    QImage picture;
    double seconds = 0;
    while (video.next(picture, seconds)) {
        if (!read.append(picture)) {
            prompt.inform(GatherText::memoryFull(), PromptIcon::Warning, GatherText::caption());
            return false;
        }
    }
    if (read.empty()) {
        prompt.inform(GatherText::movieUnreadable(video.error()), PromptIcon::Error, GatherText::caption());
        return false;
    }
    into.replace(std::move(read));
    return true;
}

} // namespace

bool openSamples(const QString &path, SampleList &samples, Prompt &prompt)
{
    if (!confirmSizeChange(samples, prompt, GatherText::caption()))
        return false;
    ProjectReadResult result = readProjectFile(path);
    if (!result.ok() && result.error.key == QLatin1String("FileFormatError")) {
        // Not a project: any video FFmpeg reads is taken too.
        VideoReader video;
        if (video.open(path))
            return samplesFromVideo(video, samples, prompt);
    }
    if (!result.ok()) {
        prompt.inform(result.error.message(), PromptIcon::Error, GatherText::caption());
        return false;
    }
    if (result.recovered())
        prompt.inform(truncatedMessage(*result.data), PromptIcon::Warning, GatherText::caption());
    return samplesFromProject(*result.data, samples, prompt);
}

int deleteSamples(SampleList &samples, int position, int count, Prompt &prompt)
{
    if (samples.empty() || count <= 0)
        return 0;
    if (prompt.ask(GatherText::deleteQuestion(position, count), PromptButtons::YesNo) != PromptAnswer::Yes)
        return 0;
    return samples.remove(position, count);
}

GatherPlatform gatherPlatform(const QString &platformName)
{
    if (platformName == QLatin1String("xcb"))
        return GatherPlatform::X11;
    if (platformName.startsWith(QLatin1String("wayland")))
        return GatherPlatform::Wayland;
    return GatherPlatform::Other;
}

QString samplingRefusal(const QString &platformName)
{
    return gatherPlatform(platformName) == GatherPlatform::Wayland ? GatherText::needsX11(platformName) : QString();
}

#include "output/fseq/fseq_sequence.h"

#include "document/document.h"
#include "output/fseq/fseq_texts.h"
#include "output/fseq/fseq_writer.h"
#include "settings/file_access.h"
#include "settings/prompt.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

int fseqStepForSpeed(int framesPerSecond)
{
    if (framesPerSecond <= 0)
        return 255;
    return std::clamp((1000 + framesPerSecond / 2) / framesPerSecond, 1, 255);
}

FseqExportResult exportFseqFile(const QString &path, int frameCount, const FrameAt &frameAt,
                                const FseqChannelMap &map, const FseqExportOptions &options,
                                const std::function<void(uint32_t)> &progress)
{
    FseqExportResult result;
    StagedSaveFile file(path);
    if (!file.open()) {
        result.error = FseqText::cannotWrite(path, file.failureReason());
        return result;
    }
    FseqWriteSpec spec;
    spec.channelsPerFrame = map.channelCount();
    spec.frameCount = uint32_t(std::max(0, frameCount));
    spec.stepMs = uint8_t(std::clamp(options.stepMs, 1, 255));
    spec.compression = options.compression;
    spec.creator = fseqCreatorText();
    QString reason;
    const bool written = writeFseq(
        file.device(), spec, [&](uint32_t f, uint8_t *out) { map.fill(frameAt(int(f)), out); }, progress, &reason);
    if (!written || !file.commit()) {
        result.error = FseqText::cannotWrite(path, reason.isEmpty() ? file.failureReason() : reason);
        file.cancel();
        return result;
    }
    result.ok = true;
    result.channels = spec.channelsPerFrame;
    result.frames = spec.frameCount;
    return result;
}

QString fseqTargetName(const QString &chosen)
{
    if (chosen.isEmpty() || chosen.endsWith(QStringLiteral(".fseq"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QStringLiteral(".fseq");
}

QString confirmFseqTarget(const QString &chosen, Prompt &prompt, bool fromFileDialog)
{
    const QString target = fseqTargetName(chosen);
    const bool asked = fromFileDialog && target == chosen;
    if (!asked && QFileInfo::exists(target)
        && prompt.ask(FseqText::replaceQuestion(target), PromptButtons::YesNo, PromptIcon::Warning) != PromptAnswer::Yes)
        return QString();
    return target;
}

bool exportDocumentFseq(const Document &doc, const QString &path, const FseqExportOptions &options, Prompt &prompt,
                        const FrameLoadProgress &progress)
{
    struct EndProgress
    {
        const FrameLoadProgress &p;
        ~EndProgress()
        {
            if (p)
                p(0);
        }
    } endProgress{progress};

    uint64_t needed = 0;
    const std::optional<FseqChannelMap> map =
        FseqChannelMap::forProject(doc.wiring(), doc.rows(), doc.cols(), options.order, &needed);
    if (!map) {
        prompt.inform(FseqText::tooManyChannels(qint64(needed)), PromptIcon::Error);
        return false;
    }
    const int count = doc.frameCount();
    const FseqExportResult result = exportFseqFile(
        path, count, [&](int i) -> const Frame & { return doc.frames().at(i); }, *map, options,
        [&](uint32_t done) {
            if (progress && count > 0)
                progress(int(50LL * done / count));
        });
    if (!result.ok) {
        prompt.inform(result.error, PromptIcon::Error);
        return false;
    }
    prompt.inform(FseqText::written(path, result.frames, result.channels));
    return true;
}

FseqImportResult importFseqData(const uint8_t *data, size_t size, const FseqChannelMap &map, int points)
{
    FseqImportResult result;
    FseqParseResult parsed = parseFseq(data, size);
    if (!parsed.ok()) {
        result.error = parsed.error;
        return result;
    }
    const FseqLayout &layout = *parsed.layout;
    const FseqHeader &h = layout.header;
    const size_t framePoints = size_t(std::max(0, points));
    // Each frame costs its colours and its own allocation.
    const uint64_t frameCost = framePoints * sizeof(ColorValue) + sizeof(Frame) + 16;
    if (uint64_t(h.frameCount) * frameCost > kFseqMaxImportBytes
        || h.frameCount > uint32_t(std::numeric_limits<int32_t>::max())) {
        result.error = FseqText::tooLarge(h.frameCount, h.channelsPerFrame);
        return result;
    }

    // With sparse ranges the stored channels are put back at their places
    // in the player's channels before the map reads them.
    const bool sparse = !h.sparseRanges.empty();
    const size_t wanted = map.channelCount();
    std::vector<uint8_t> placed(sparse ? wanted : 0);
    uint64_t covered = 0;
    if (sparse) {
        for (const FseqSparseRange &r : h.sparseRanges)
            covered += r.start < wanted ? std::min<uint64_t>(r.count, wanted - r.start) : 0;
    } else {
        covered = std::min<uint64_t>(h.channelsPerFrame, wanted);
    }

    FseqImport import;
    import.header = h;
    import.missingChannels = wanted > covered ? wanted - covered : 0;
    import.frames.reserve(h.frameCount);
    const std::optional<QString> failed =
        readFseqFrames(data, size, layout, [&](uint32_t, const uint8_t *channels) {
            Frame frame(framePoints, 0);
            if (sparse) {
                size_t stored = 0;
                for (const FseqSparseRange &r : h.sparseRanges) {
                    if (r.start < wanted) {
                        const size_t n = std::min<size_t>(r.count, wanted - r.start);
                        std::memcpy(placed.data() + r.start, channels + stored, n);
                    }
                    stored += r.count;
                }
                map.read(placed.data(), placed.size(), frame);
            } else {
                map.read(channels, h.channelsPerFrame, frame);
            }
            import.frames.push_back(std::move(frame));
            return true;
        });
    if (failed) {
        result.error = *failed;
        return result;
    }
    result.data = std::move(import);
    return result;
}

namespace {

// Runs `use` over the bytes of the file at `path`, mapped when it can be.
template <class Result, class Use>
Result withFileBytes(const QString &path, Use use)
{
    const auto failed = [&](const QString &reason) {
        Result r;
        r.error = FseqText::cannotOpen(path, reason);
        return r;
    };
    QFile file;
    QString reason;
    if (!openRegularFile(file, path, &reason))
        return failed(reason);
    const qint64 size = file.size();
    if (size > 0) {
        if (uchar *mapped = file.map(0, size)) {
            Result r = use(mapped, size_t(size));
            file.unmap(mapped);
            return r;
        }
    }
    // No more than the file held when it was opened.
    const QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    return use(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
}

} // namespace

FseqImportResult importFseqFile(const QString &path, const FseqChannelMap &map, int points)
{
    return withFileBytes<FseqImportResult>(
        path, [&](const uint8_t *data, size_t size) { return importFseqData(data, size, map, points); });
}

FseqParseResult readFseqHeaderFile(const QString &path)
{
    return withFileBytes<FseqParseResult>(path, [&](const uint8_t *data, size_t size) { return parseFseq(data, size); });
}

#include "output/port_data_files.h"

#include "document/document.h"
#include "output/output_checks.h"
#include "output/port_stream.h"
#include "settings/file_access.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QFileInfo>
#include <memory>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Open files at a time; far below the usual limit of the process.
constexpr size_t kPortsAtOnce = 64;

// A port whose blocks cannot be built (a pixel number or order list far
// beyond any real installation, from a damaged file): named, nothing written.
QString portTooLargeText(int port)
{
    return pairedText(QStringLiteral("Port %1 is too large to write: check the wiring and the RGB order list."),
                      QStringLiteral("端口 %1 的数据过大，无法生成：请检查线路和RGB顺序。"))
        .arg(port + 1);
}

QString cannotCreateText(const QString &path, const QString &reason)
{
    return pairedText(QStringLiteral("Cannot create the file %1: %2"), QStringLiteral("无法创建文件 %1：%2"))
        .arg(path, reason);
}

QString cannotWriteText(const QString &path, const QString &reason)
{
    return pairedText(QStringLiteral("Writing the file %1 failed: %2"), QStringLiteral("写入文件 %1 失败：%2"))
        .arg(path, reason);
}

} // namespace

QString portFileName(const QString &chosenPath, CircuitryKind circuitry, int port)
{
    const QString extension = circuitry == CircuitryKind::Neon ? QStringLiteral(".bin") : QStringLiteral(".led");
    // Only the command's own extension is cut: "show.led" gives
    // "show_01.led", while "myshow" stays whole ("myshow_01.led").
    QString base = chosenPath;
    if (base.endsWith(extension, Qt::CaseInsensitive))
        base.chop(extension.size());
    return base + QStringLiteral("_0%1.led").arg(port + 1);
}

bool timingAllows(const ControllerParams &params, int64_t pixelCount, int speed)
{
    if (params.controllerModel != 0)
        return true;
    // Real arithmetic, in this order, as the controller's own tool checks it.
    const double value = double(params.rate) * 1000000.0 / double(params.greyLevels)
        / double(pixelCount * 3) / double(speed);
    return !(value < 1.0);
}

PortDataResult writePortDataFiles(const Document &doc, const ControllerParams &params,
                                  const PortDataRequest &request, Prompt &prompt,
                                  const FrameLoadProgress &progress, QStringList *written)
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

    const OutputRangeProblem problem =
        checkOutputRange(request.fromFrame, request.toFrame, request.speed, doc.frameCount());
    if (problem != OutputRangeProblem::None) {
        prompt.inform(outputRangeMessage(problem), PromptIcon::Warning);
        return PortDataResult::Failed;
    }

    const std::vector<PortTaps> ports = collectPortTaps(doc.wiring(), doc.rows(), doc.cols());
    if (ports.empty()) {
        prompt.inform(LanguageText("Message", "DefineLineFirst", QStringLiteral("请先进行线路定义。")));
        return PortDataResult::Failed;
    }

    const BlockLayout layout = BlockLayout::from(params, doc.geometry().baseColorNum);

    // Every port is checked before the first file is created, so a refused
    // run leaves no mixture of new and old files behind.
    for (const PortTaps &port : ports) {
        if (port.pixelCount > std::numeric_limits<int>::max() / 3
            || !FrameBlockEncoder(layout, int(port.pixelCount)).fits()) {
            prompt.inform(portTooLargeText(port.port), PromptIcon::Error);
            return PortDataResult::Failed;
        }
        if (!timingAllows(params, port.pixelCount, request.speed)) {
            prompt.inform(QStringLiteral("err 参数"), PromptIcon::Error);
            return PortDataResult::TimingRefused;
        }
    }

    PortHeaderValues header;
    header.dividerA = params.dividerA;
    header.dividerB = params.dividerB;
    header.greyLevels = params.greyLevels;
    header.frameCount = doc.frameCount();
    header.scan = params.scanEnhancement;
    header.speed = request.speed;
    header.format = params.communicationFormat;
    header.sdCardSpeed = params.sdCardSpeed;

    const int first = request.fromFrame - 1;
    const int last = std::min(request.toFrame, doc.frameCount()) - 1;
    const int rangeLength = request.toFrame - request.fromFrame + 1;
    // Ports are written a batch at a time, all files of a batch open
    // together, so each frame is read once per batch.
    for (size_t begin = 0; begin < ports.size(); begin += kPortsAtOnce) {
        const size_t end = std::min(ports.size(), begin + kPortsAtOnce);
        std::vector<std::unique_ptr<StagedSaveFile>> files;
        QStringList paths;
        std::vector<QIODevice *> devices;
        std::vector<PortBlockWriter> writers;
        writers.reserve(end - begin);
        for (size_t i = begin; i < end; ++i) {
            paths << portFileName(request.chosenPath, request.circuitry, ports[i].port);
            files.push_back(std::make_unique<StagedSaveFile>(paths.back()));
            if (!files.back()->open()) {
                prompt.inform(cannotCreateText(paths.back(), files.back()->failureReason()), PromptIcon::Error);
                return PortDataResult::Failed;
            }
            devices.push_back(&files.back()->device());
            writers.emplace_back(ports[i], layout);
        }
        size_t failed = 0;
        const bool ok = writePortStreams(devices, writers, header, doc.frames(), first, last,
                                         [&](int done) {
                                             if (progress)
                                                 progress(int(50LL * done / rangeLength));
                                         },
                                         &failed);
        if (!ok) {
            prompt.inform(cannotWriteText(paths[qsizetype(failed)], files[failed]->failureReason()),
                          PromptIcon::Error);
            return PortDataResult::Failed; // the open files are dropped unwritten
        }
        // The folders wait for the disk once per batch, not once per file:
        // a card of many ports would otherwise wait a journal commit each.
        QStringList folders;
        for (size_t i = 0; i < files.size(); ++i) {
            if (!files[i]->commit(StagedSaveFile::FolderSync::Later)) {
                prompt.inform(cannotWriteText(paths[qsizetype(i)], files[i]->failureReason()), PromptIcon::Error);
                return PortDataResult::Failed;
            }
            const QString folder = QFileInfo(files[i]->target()).absolutePath();
            if (!folders.contains(folder))
                folders << folder;
        }
        for (const QString &folder : folders) {
            const QString reason = syncSavedFolder(folder);
            if (!reason.isEmpty()) {
                prompt.inform(cannotWriteText(folder, reason), PromptIcon::Error);
                return PortDataResult::Failed;
            }
        }
        if (written)
            *written << paths;
    }
    prompt.inform(outputSuccessMessage());
    return PortDataResult::Written;
}

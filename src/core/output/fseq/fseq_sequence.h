#pragma once
// A project's frames as an FSEQ sequence and back: export through the
// channel map (from the wiring, or the grid row by row), import of a
// sequence's channels into frames through the same map.

#include "document/frame.h"
#include "document/project_file.h" // FrameLoadProgress
#include "output/fseq/fseq_channel_map.h"
#include "output/fseq/fseq_file.h"

#include <QString>
#include <functional>
#include <vector>

class Document;
class Prompt;

struct FseqExportOptions
{
    FseqCompression compression = FseqCompression::Zstd;
    int stepMs = 50; // 1..255
    ChannelOrder order;
};

// The step time that plays at the play panel's speed (frames per second):
// 1000 / speed, within the 1..255 ms a file can hold.
int fseqStepForSpeed(int framesPerSecond);

// Frame `i` (0 .. count - 1) of what is exported.
using FrameAt = std::function<const Frame &(int)>;

struct FseqExportResult
{
    bool ok = false;
    QString error; // when not ok, in the active language
    uint32_t channels = 0;
    uint32_t frames = 0;
};

// Writes `frameCount` frames through `map` into `path`, atomically: on any
// failure the old file stays as it was. Progress after every frame.
FseqExportResult exportFseqFile(const QString &path, int frameCount, const FrameAt &frameAt,
                                const FseqChannelMap &map, const FseqExportOptions &options,
                                const std::function<void(uint32_t)> &progress = {});

// The file an export writes for the name chosen in the file dialog: the
// name with ".fseq" added when it has no such ending.
QString fseqTargetName(const QString &chosen);
// The real name of a chosen one, or empty when nothing is to be written.
// When a file of the real name exists, `prompt` asks whether to replace
// it, unless the file dialog already asked about that very name (the
// name came from the dialog and needed no ending).
QString confirmFseqTarget(const QString &chosen, Prompt &prompt, bool fromFileDialog = true);

// The document's export: every frame through the map of its wiring (the
// grid's when it has none); success or failure is shown through `prompt`
// and the progress goes 0..50 over the frames, then 0. True when written.
bool exportDocumentFseq(const Document &doc, const QString &path, const FseqExportOptions &options, Prompt &prompt,
                        const FrameLoadProgress &progress = {});

// An import never takes more memory for its frames than this.
constexpr uint64_t kFseqMaxImportBytes = uint64_t(4) << 30;

struct FseqImport
{
    std::vector<Frame> frames;
    FseqHeader header;
    // Channels the map needs that the sequence does not carry (they read
    // as 0): the sequence was made for a smaller installation.
    uint64_t missingChannels = 0;
};

struct FseqImportResult
{
    std::optional<FseqImport> data;
    QString error; // when data is empty, in the active language
    bool ok() const { return data.has_value(); }
};

// Reads a sequence into frames of `points` colours (Rows x Cols) through
// `map`; points the map does not reach stay black. Any bytes may be given.
FseqImportResult importFseqData(const uint8_t *data, size_t size, const FseqChannelMap &map, int points);
FseqImportResult importFseqFile(const QString &path, const FseqChannelMap &map, int points);

// The header of a file alone, checked as the import checks it.
FseqParseResult readFseqHeaderFile(const QString &path);

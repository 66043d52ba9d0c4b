#pragma once
// Controller port data files (".led"): one file per controller port, each a
// 512-byte PortFileHeader followed by one frame block per written frame,
// every block padded with zeros to whole 512-byte sectors.

#include "document/project_file.h" // FrameLoadProgress
#include "document/wiring.h"
#include "links/controller_params.h"

#include <QString>
#include <QStringList>

class Document;
class Prompt;

struct PortDataRequest
{
    int fromFrame = 1; // first frame to write, counted from 1
    int toFrame = 1;   // last frame, counted from 1; frames past the end are not written
    int speed = 30;    // frames per second
    CircuitryKind circuitry = CircuitryKind::Led;
    QString chosenPath; // the name the user chose in the file dialog
};

enum class PortDataResult {
    Written,
    // The timing check of a "KV-M2" refused the values ("err 参数"); no
    // file was created.
    TimingRefused,
    // Nothing to write, a port too large, or a file that could not be
    // created or written; the user was told.
    Failed,
};

// The file of port `port` (counted from 0): the chosen name without its
// extension (".led" for LED circuitry, ".bin" for neon, in any case) and
// "_0%d.led" with port + 1. A name without that extension is kept whole.
QString portFileName(const QString &chosenPath, CircuitryKind circuitry, int port);

// The controller's timing limit for a "KV-M2" (controller index 0):
// rate × 1,000,000 ÷ grey levels ÷ (3n) ÷ speed must reach 1. Other models
// are not checked.
bool timingAllows(const ControllerParams &params, int64_t pixelCount, int speed);

// Writes every port file from port 0 to the highest port of the document's
// wiring. Grey levels and the order list are taken from `params` as they
// are now. The timing check runs for every port before the first file is
// created; each file is saved atomically and every write is checked. Shows
// "err 参数", a failure naming the file, or the success message through
// `prompt`; progress goes 0..50 over the frames (once per batch of 64
// ports), then 0. `written` receives the names of the files written.
PortDataResult writePortDataFiles(const Document &doc, const ControllerParams &params,
                                  const PortDataRequest &request, Prompt &prompt,
                                  const FrameLoadProgress &progress = {}, QStringList *written = nullptr);

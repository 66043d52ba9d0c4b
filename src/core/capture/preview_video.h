#pragma once
// A video of the animation for sharing: every frame drawn as the canvas
// shows it (one cell of S x S pixels per lamp, square or round, with a dark
// line between cells once there is room for one) and written through
// VideoWriter.

#include "document/frame_sequence.h"
#include "document/run_progress.h"
#include "settings/grid_geometry.h"

#include <QImage>
#include <QString>

// Cell sizes a preview may use, and the largest picture side it makes.
constexpr int kMaxPreviewScale = 64;
constexpr int kMaxPreviewSide = 4096;

QImage previewPicture(const Frame &frame, const GridGeometry &g, int scale, bool round);

// Writes every frame at `fps`; false with the reason. The progress listener
// hears after each frame and may stop the writing (the file is then not
// written).
bool writePreviewVideo(const QString &path, const GridGeometry &g, const FrameSequence &frames, int fps, int scale,
                       bool round, QString *error, const RunProgress &progress = {});

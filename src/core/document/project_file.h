#pragma once
// Project files (".wst"): the grid geometry and every frame.
//
// Three layouts are read: the current "WST1", the old "VISSP"+0x01 and the
// scrambled "VISSP2"; only "WST1" is written. Readers never touch the open
// document: they return the new contents or an error, and the caller
// replaces the document only on success.

#include "document/frame.h"
#include "document/frame_sequence.h"
#include "settings/grid_geometry.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class Prompt;
class Document;

enum class ProjectFormat { Wst1, Vissp, Vissp2 };
QString projectFormatName(ProjectFormat f); // "WST1", "VISSP", "VISSP2"

// A reader's complaint: the language key and built-in text of the message
// to show, plus where it went wrong for the details.
struct FileError
{
    QString section;
    QString key;
    QString defaultText;
    QString detail;
    // The message in the active language, with the detail appended.
    QString message() const;
    // The message in the active language alone.
    QString text() const;
};

struct ProjectData
{
    ProjectFormat format = ProjectFormat::Wst1;
    GridGeometry geometry;
    std::vector<Frame> frames;
    int declaredFrames = 0;
    // The file ended before the frames its header promised: `frames` holds
    // the complete ones. Also set when a file whose frames hold no bytes
    // (a stored Rows or Cols of 0) promises more frames than the file's size
    // allows (their points together at most one per byte of the file, one
    // such frame at least); those are not made.
    bool truncated = false;
};

struct ProjectReadResult
{
    std::optional<ProjectData> data;
    FileError error; // when data is empty
    bool ok() const { return data.has_value(); }
    // The file ended early and its complete frames (at least one: a file
    // cut before its first frame is an error) were read. What opens is a
    // recovered copy: it is saved under another name, never silently over
    // the damaged file, which may still hold more than was read.
    bool recovered() const { return data && data->truncated; }
    int recoveredFrames() const { return recovered() ? int(data->frames.size()) : 0; }
};

// Progress while frames load: the frame's index modulo 50 after each frame,
// then a final 0.
using FrameLoadProgress = std::function<void(int position)>;

// Any bytes may be given. A header that cannot be right (unknown header
// text, a cut header, a negative frame count, a grid outside 1..32767 a side
// or above 16 M points, a scrambled modulus below 2) is a "FileFormatError";
// a file that cannot be opened is an "OpenFileError". Rows, Cols, CelWidth
// and CelHeight come out at least 1, BaseColorNum in 1..3 and ScanMode in
// 0..1 (else 3 and 1).
ProjectReadResult readProjectBytes(const QByteArray &bytes, const FrameLoadProgress &progress = {});
ProjectReadResult readProjectFile(const QString &path, const FrameLoadProgress &progress = {});
// The same reader over any block of bytes (a mapped file, a fuzz input).
ProjectReadResult readProjectData(const uint8_t *data, size_t size, const FrameLoadProgress &progress = {});

// The name Save suggests for a recovered copy of `path`: "<name>
// (recovered).wst" in the same folder ("show.wst" -> "show (recovered).wst").
QString recoveredProjectName(const QString &path);

// The message for a file that ended early: how many frames were read of
// how many the header promised, in the active language.
QString truncatedMessage(const ProjectData &data);

// Fixed size of every layout's header text field.
constexpr int kProjectHeaderTextSize = 10;
// Bytes before the first frame in each layout.
constexpr int kCurrentHeaderSize = 32;
constexpr int kOldHeaderSize = 24;
constexpr int kScrambledHeaderSize = 32;
// Format number written into current-layout files (readers ignore it).
constexpr int32_t kCurrentFormatNumber = 11;

// Writes the current layout atomically: on any failure (the file cannot be
// created, a write fails, the disk is full) the old file is left as it was
// and false is returned. Every grid point's colour is stored.
bool writeProjectFile(const QString &path, const GridGeometry &g, const FrameSequence &frames,
                      QString *errorDetail = nullptr);
QByteArray projectBytes(const GridGeometry &g, const FrameSequence &frames);
// The same for frames made one at a time while the file is written (screen
// samples saved as a project): `frameAt(i)` gives frame i, valid until the
// next call.
using ProjectFrameSource = std::function<const Frame &(int index)>;
bool writeProjectFrames(const QString &path, const GridGeometry &g, int frameCount, const ProjectFrameSource &frameAt,
                        QString *errorDetail = nullptr);

// The document's open and save steps, with their messages shown through
// the prompt. Open replaces the document only when the file was read;
// a truncated file opens with its complete frames and a message saying so,
// as a recovered copy: the document's file path stays empty (so Save asks
// for a name) and Document::recoveredFrom() names the damaged file. A
// failed save names the system's reason after "Save file failure!". Both
// leave the document unmodified on success.
bool openProjectInto(Document &doc, const QString &path, Prompt &prompt,
                     const FrameLoadProgress &progress = {});
bool saveProjectFrom(Document &doc, const QString &path, Prompt &prompt);

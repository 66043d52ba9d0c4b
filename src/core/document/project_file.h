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
};

struct ProjectData
{
    ProjectFormat format = ProjectFormat::Wst1;
    GridGeometry geometry;
    std::vector<Frame> frames;
    int declaredFrames = 0;
    // The file ended before the frames its header promised: `frames` holds
    // the complete ones.
    bool truncated = false;
};

struct ProjectReadResult
{
    std::optional<ProjectData> data;
    FileError error; // when data is empty
    bool ok() const { return data.has_value(); }
};

// Progress while frames load: the frame's index modulo 50 after each frame,
// then a final 0.
using FrameLoadProgress = std::function<void(int position)>;

ProjectReadResult readProjectBytes(const QByteArray &bytes, const FrameLoadProgress &progress = {});
ProjectReadResult readProjectFile(const QString &path, const FrameLoadProgress &progress = {});

// Writes the current layout atomically: on any failure (the file cannot be
// created, a write fails, the disk is full) the old file is left as it was
// and false is returned. Every grid point's colour is stored.
bool writeProjectFile(const QString &path, const GridGeometry &g, const FrameSequence &frames,
                      QString *errorDetail = nullptr);
QByteArray projectBytes(const GridGeometry &g, const FrameSequence &frames);

// The document's open and save steps, with their messages shown through
// the prompt. Open replaces the document only when the file was read;
// a truncated file opens with its complete frames and a message saying so.
// Both leave the document unmodified on success.
bool openProjectInto(Document &doc, const QString &path, Prompt &prompt,
                     const FrameLoadProgress &progress = {});
bool saveProjectFrom(Document &doc, const QString &path, Prompt &prompt);

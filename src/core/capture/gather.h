#pragma once
// The screen gather's work on its samples, apart from the dialog: turning
// them into frames of the document, saving them as a project file (or a
// video) and opening such a file back as samples. Every message goes
// through the prompt.

#include "capture/picture_fit.h"
#include "capture/sample_list.h"
#include "patterns/pattern_target.h"

#include <QString>

class Prompt;

// "确定": every sample becomes a frame of the document, in order, through
// the AddMode: scaled (unless it already has the size) into the defined
// area or the whole grid, the rest of the frame black. With no frame in the
// document nothing is made, the samples stay and the user is told to make
// or open a grid first (-1 comes back); a run that would not fit in memory
// is refused with "TooManyFrames" (also -1). Otherwise the number of
// frames made (fewer when the progress listener cancelled).
int convertSamples(PatternTarget &target, const SampleList &samples, DisplayMode mode, bool vectorZoom,
                   Prompt &prompt);

// The samples as a project file of the current layout: Rows and Cols are
// the samples' height and width, cell size, base colours and program mode
// come from `current`. Written atomically; false with the system's reason.
bool writeSamplesProject(const QString &path, const SampleList &samples, const GridGeometry &current,
                         QString *reason = nullptr);

// The samples as a video (MJPEG in AVI for ".avi") at `rate` frames a
// second, a rate below 2 counting as 1.
bool writeSamplesVideo(const QString &path, const SampleList &samples, int rate, QString *reason = nullptr);

// "保存": a name ending in ".avi" (any case) gets a video at `rate` frames
// a second, any other name a project file. A failed write says "保存文件失败！"
// with the reason; the samples are never changed.
bool saveSamples(const QString &path, const SampleList &samples, const GridGeometry &current, int rate,
                 Prompt &prompt);

// "打开": when samples exist the size-change question comes first (No: nothing
// happens). A project file (any of its layouts) replaces the samples with
// its frames, each Cols x Rows pixels; any other file is tried as a video.
// A file that is neither says "FileFormatError", an unreadable one
// "OpenFileError"; too many samples for the memory budget says the memory
// message. The samples stay as they were on every failure.
bool openSamples(const QString &path, SampleList &samples, Prompt &prompt);

// A new width or height was typed while samples exist: true when the user
// agrees to drop them (the caller then resizes); false keeps the samples
// and the caller puts the old value back in its edit.
bool confirmSizeChange(const SampleList &samples, Prompt &prompt, const QString &title = QString());

// "删除": asks "确实要从第%d帧开始,删除%d帧吗?" for the 1-based position and
// count; Yes removes them. Returns how many went.
int deleteSamples(SampleList &samples, int position, int count, Prompt &prompt);

// What screen gathering can do where the editor runs, by Qt's platform name
// (QGuiApplication::platformName()).
enum class GatherPlatform {
    X11,     // "xcb": the screen's pixels, and the Gather / Stop keys for the
             // whole display, whichever program has the focus
    Wayland, // "wayland", "wayland-egl", ...: no program may read the screen
             // there, so sampling is refused with a message
    Other,   // "offscreen", "eglfs", "vnc", ...: what the platform's grabWindow
             // gives; the keys only while one of the editor's windows has the focus
};
GatherPlatform gatherPlatform(const QString &platformName);

// Why sampling cannot start on `platformName`: GatherText::needsX11 on
// Wayland, empty wherever sampling is tried.
QString samplingRefusal(const QString &platformName);

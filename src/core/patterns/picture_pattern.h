#pragma once
// The picture page ("图片"): a loaded picture or the current frame comes
// into the area with one transition effect, stays for a number of frames
// and leaves with the same effect. Honours the defined area; every frame
// is inserted after the current one, whatever the AddMode.

#include "patterns/pattern_target.h"

#include <QImage>
#include <QString>

class Prompt;
class QIODevice;

// The largest picture side the page decodes; larger files are refused from
// their header, before any pixel is read.
constexpr int kMaxPictureSide = 16384;
// A picture may not claim more pixels than this many per byte of its file
// (a cut file would otherwise be filled in at full size); it cannot be opened.
constexpr qint64 kMaxPicturePixelsPerByte = 1024;

// The memory, in MB, a picture decoder may take for one picture of a file
// of `fileBytes` (unknown when 0 or less) whose sides are at most `maxSide`.
int pictureAllocationLimitMb(qint64 fileBytes, int maxSide);

// The page's effect list holds entries 2..55: list item k is effect k
// (0..52), item 53 is "随机".
constexpr int kPictureRandomItem = 53;

struct PicturePatternParams
{
    int effectItem = 0; // list item of the page
    int entrance = 20;  // frames; less than 1 counts as 1
    int wait = 10;      // copies of the last entrance frame; none when 0 or less
    int exit = 0;       // frames; none when 0 or less
};

// max(entrance, 1) + max(wait, 0) + max(exit, 0).
int64_t picturePatternFrameCount(const PicturePatternParams &p);

// The effect a run uses: the item itself, or for "随机" one drawn from the
// program's random numbers (once per run).
int pictureRunEffect(int effectItem);

// Makes the frames with `picture` (the page's picture, drawn scaled to the
// area). Returns the number made.
int generatePicturePattern(PatternTarget &target, const QImage &picture, const PicturePatternParams &p);
// The confirm button: nothing without a picture; a run that would not fit
// in memory is refused with "TooManyFrames".
int runPicturePattern(PatternTarget &target, const QImage &picture, const PicturePatternParams &p,
                      Prompt &prompt);

// "装入图片": reads the file as a picture. A file that is not a picture
// this program can read, whose sides exceed kMaxPictureSide or whose pixels
// exceed kMaxPicturePixelsPerByte per byte of the file, is refused
// with a message through the prompt and a null image comes back.
QImage loadPatternPicture(const QString &path, Prompt &prompt);
// The same for bytes already open for reading.
QImage readPatternPicture(QIODevice &device, Prompt &prompt);

// Draws `source` scaled over the page's cols x rows picture (made first,
// transparent black, when `picture` is null or of another size).
void drawIntoPagePicture(QImage &picture, const QImage &source, int cols, int rows);

// The file-open dialog's filter: pictures first, then every file.
QString pictureFileFilter();

#pragma once
// A run of frames chosen in a range dialog. Dialogs count frames from 1 and
// take the end frame inclusively; inside the program a range is the 0-based
// first frame and the index one past the last.

#include <QString>
#include <optional>

struct FrameRange
{
    int first = 0; // 0-based
    int end = 0;   // one past the last frame

    int count() const { return end - first; }
    bool contains(int index) const { return index >= first && index < end; }
    bool operator==(const FrameRange &) const = default;

    // The range of the dialog fields `start` .. `last` (1-based, inclusive)
    // when 1 <= start <= last <= frameCount; nothing otherwise.
    static std::optional<FrameRange> fromDialog(int start, int last, int frameCount);
};

// "输入错误！开始帧或结束帧超出范围。", shown with the error icon when a range
// dialog is confirmed with a range that does not fit.
QString frameRangeErrorText();

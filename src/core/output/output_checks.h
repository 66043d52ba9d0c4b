#pragma once
// The checks around data generation: whether the wiring is ready before the
// output dialog opens, and whether the dialog's frame range and speed can
// be written.

#include "document/wiring.h"

#include <QString>

class Document;
class Prompt;

// Before the output dialog: the wiring must have at least one point and be
// of the command's kind, else "请先进行线路定义。" is shown. With fewer wired
// points than grid points the user is asked whether to go on. True when
// the dialog should open.
bool confirmWiringForOutput(const Document &doc, CircuitryKind circuitry, Prompt &prompt);

enum class OutputRangeProblem {
    None,
    FromNotPositive,  // "请输入一个大于0的整数!", focus on the from edit
    ToNotPositive,    // the same, focus on the to edit
    SpeedNotPositive, // the same, focus on the speed edit (the timing check divides by it)
    FromAfterTo,      // "起始帧小于结束帧,请重新选择!"
    FromBeyondEnd,    // "起始帧超出最后一帧,请重新选择!": there would be no frame to write
};

// The dialog's values (frames counted from 1) against a document of
// `frameCount` frames.
OutputRangeProblem checkOutputRange(int fromFrame, int toFrame, int speed, int frameCount);
QString outputRangeMessage(OutputRangeProblem problem);
// A start frame past the project's last frame (data output and frame send
// alike): "起始帧超出最后一帧,请重新选择!".
QString startFrameBeyondLastText();

// The file dialog's filter: "Led file(*.led)" for LED, "Bin file(*.bin)"
// for neon circuitry.
QString outputFileFilter(CircuitryKind circuitry);
// The filter's extension without the dot: "led" or "bin".
QString outputFileSuffix(CircuitryKind circuitry);
// "数据生成成功!"
QString outputSuccessMessage();

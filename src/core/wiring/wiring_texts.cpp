#include "wiring/wiring_texts.h"

#include "settings/language.h"

namespace {

QString pair(const char *english, const char *chinese)
{
    return pairedText(QString::fromUtf8(english), QString::fromUtf8(chinese));
}

QString pairWith(const char *english, const char *chinese, std::initializer_list<QVariant> args)
{
    const QString text = pair(english, chinese);
    return formatText(text, text, args);
}

} // namespace

namespace WiringText {

QString pageTitle()
{
    return threeWayText(QStringLiteral("Wiring ---- LED"), QStringLiteral("线路定义----LED"));
}

QString enterWiringMode()
{
    return pair("Control mode with Ctrl, Shift and Alt. Mouse decides directions.",
                "Ctrl,Shift,Alt键控制模式,鼠标决定方向");
}

QString portZero() { return pair("Port set error!", "端口号不能为0"); }

QString neonHasNoCopy()
{
    return pair("Neon light circuitry setup without copy function.", "霓虹灯线路设置没有复制功能。");
}

QString copyStatus()
{
    return pair("Only one port data can be chose for pixel copy, and port copy must include head pixel. "
                "To exit copy, click right mouse.",
                "像素复制只能选一个端口的数据,端口复制必须包括首像素.右击退出复制状态");
}

QString pasteStatus()
{
    return pair("Click the position where need pasting. Press Ctrl for port copy. To exit copy, click right mouse.",
                "在需粘贴的位置单击,端口复制须按Ctrl.右击退出粘贴状态");
}

QString clipboardEmpty() { return pair("Clipboard without data.", "剪贴板没有数据。"); }

QString multiplePorts()
{
    return pair("There are datas of multiple ports, can't process pasting pixels.",
                "剪贴板中有多个端口的数据，不能进行像素粘贴。");
}

QString pasteTargetTaken()
{
    return pair("Paste position falsely. The pixels of objective have been defined. Please choose new position.",
                "粘贴位置不正确，目标范围有像素已经定义过。\n请重新选择位置。");
}

QString deleteZoneQuestion(int left, int top, int right, int bottom)
{
    return pairWith("Are you sure you want to delete the pixels in the zone(%d,%d,%d,%d)?",
                    "确实要删除区域(%d,%d,%d,%d)中的像素吗?", {left, top, right, bottom});
}

QString nothingToUndo() { return pair("Nothing to undo!", "没有操作可撤消!"); }

QString undoFileUnusable()
{
    return pair("The undo file is missing or damaged. The wiring was left as it is.",
                "撤消文件丢失或已损坏,线路保持不变。");
}

QString snapshotFailedQuestion()
{
    return pair("The undo file could not be written, so this deletion cannot be undone. Delete anyway?",
                "无法写入撤消文件,这次删除将不能撤消。是否仍然删除?");
}

QString rubberRectangle(int x, int y, int w, int h)
{
    const QString text = QStringLiteral("X:%d,Y:%d,W:%d,H:%d");
    return formatText(text, text, {x, y, w, h});
}

QString cellAssignment(int port, int pixel)
{
    return pairWith("Port %d, pixel %d", "第%d口,第%d像素", {port, pixel});
}

QString noLineData() { return pair("No line data.", "没有线路数据!"); }
QString saveFileFail() { return QStringLiteral("Save file fail."); }
QString openFileFail() { return QStringLiteral("Open file fail."); }
QString suddennessError() { return QStringLiteral("suddenness error."); }

QString lineFileTooShort()
{
    return pair("The file is too short to be a line file.", "文件太短,不是线路文件。");
}

QString lineFileMismatch()
{
    return pair("Rows or cols no matching or control unlikeliness, Can't use this file.",
                "行数列数不匹配或控制器不一样,不能使用此线路文件!");
}

QString replaceWiringQuestion()
{
    return pair("This operate would clear currently data,", "这个操作将清除现在已定义的线路数据,是否继续?");
}

QString recordsSkipped(int count)
{
    return pairWith("%d records with an impossible port, pixel number or grid point were skipped.",
                    "有%d条记录的端口、像素号或网格点不合理,已跳过。", {count});
}

QString lineFileIncomplete(int declared, int read)
{
    return pairWith("The file promises %d records but holds only %d complete ones; those were loaded.",
                    "文件声明有%d条记录,但只有%d条完整记录,已读入这些记录。", {declared, read});
}

} // namespace WiringText

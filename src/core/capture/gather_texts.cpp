#include "capture/gather_texts.h"

#include "settings/language.h"

namespace GatherText {

namespace {

QString both(const char *english, const char *chinese)
{
    return threeWayText(QString::fromUtf8(english), QString::fromUtf8(chinese));
}

} // namespace

QString caption() { return both("DataGather", "数据采集"); }
QString startGroup() { return both("GatherStartPos", "采样起点位置"); }
QString sizeGroup() { return both("GatherSize", "采样区域大小"); }
QString paramGroup() { return both("GatherParamSet", "采样参数设置"); }
QString deleteLabel() { return both("Delete frames form current pos", "从当前帧删除帧数目:"); }
QString widthLabel() { return both("Width", "宽度:"); }
QString heightLabel() { return both("Height", "高度:"); }
QString rateLabel() { return both("Speed(F/S)", "每秒帧数"); }
QString countLabel() { return both("GatherCount", "采样帧数"); }
QString displayLabel() { return both("DisplayUsage", "显示方式:"); }
QString vectorZoom() { return both("VectorZoom", "矢量缩放"); }

QString displayMode(int index)
{
    switch (index) {
    case 0:
        return both("Center", "居中");
    case 1:
        return both("Zoom", "缩放");
    default:
        return both("Stretch", "拉伸");
    }
}

QString deleteButton() { return both("Delete", "删除"); }
QString sampleButton() { return both("Gather", "采样"); }
QString playButton() { return both("Play", "播放"); }
QString stopButton() { return both("Stop", "停止"); }
QString openButton() { return both("Open", "打开"); }
QString saveButton() { return both("Save", "保存"); }
QString okButton() { return both("OK", "确定"); }

QString markerText()
{
    return Language::code() == Language::Chinese ? QString() : QStringLiteral("Gather window");
}

QString sliderTip(int position, int total)
{
    const QString builtIn = both("%dTh,%d in total", "第%d帧,共%d帧");
    return formatText(builtIn, builtIn, {position, total});
}

QString deleteQuestion(int position, int count)
{
    const QString builtIn = both("Are you sure it will start from %dth frame, and delete %dth frame?",
                                 "确实要从第%d帧开始,删除%d帧吗?");
    return formatText(builtIn, builtIn, {position, count});
}

QString sizeChangeQuestion()
{
    return both("Maintain the length and width while sampling.\nIf change the length and width, the collected "
                "datas will lose completely. Yes/No?",
                "采样时长宽应保持不变。\n若改变长或宽，前面采集的数据将全部丢弃。\n是否继续？");
}

QString displayMemoryFull()
{
    return both("Out of display memory. Save the samples, clear them and try again.",
                "显存不足,请保存后清空数据再试.");
}

QString memoryFull()
{
    return both("Memory is full. Save the samples, clear them and try again.", "内存已满,请保存后清空数据再试.");
}

QString gridFirst()
{
    return both("There is no grid to put the samples in. Make or open a project first; the samples are kept.",
                "还没有可放入采样的网格。请先新建或打开一个项目；采样数据仍然保留。");
}

QString saveFailed() { return both("Save file failure!", "保存文件失败！"); }

QString needsX11(const QString &platform)
{
    const QString builtIn = both("Screen sampling needs an X11 session: this session runs on \"%s\", which "
                                 "lets no program read the screen. Choose an X11 (Xorg) session when you log in.",
                                 "屏幕采样需要 X11 会话：当前会话为“%s”，不允许程序读取屏幕。请在登录时选择 X11（Xorg）会话。");
    return formatText(builtIn, builtIn, {platform});
}

QString hotKeysHeld(const QString &keys)
{
    const QString builtIn = both("Another program holds %s: these keys go to it, not to the editor, until it lets "
                                 "them go. Use the Gather and Stop buttons.",
                                 "%s 已被其他程序占用：在它释放之前，这些键只到达该程序，不到达本程序。"
                                 "请使用“采样”和“停止”按钮。");
    return formatText(builtIn, builtIn, {keys});
}

QString consoleKeys(const QString &keys)
{
    const QString builtIn =
        both("On this X server %s switch to a text console and reach no program. Use the Gather and Stop "
             "buttons, or free the keys with the command: setxkbmap -option srvrkeys:none",
             "在此 X 服务器上 %s 用于切换到文本控制台，任何程序都收不到。请使用“采样”和“停止”按钮，"
             "或用命令 setxkbmap -option srvrkeys:none 释放这些键。");
    return formatText(builtIn, builtIn, {keys});
}

QString fileFilter()
{
    return both("Wst document (*.wst);;AVI file (*.avi);;Video (*.mp4 *.mkv *.webm *.avi *.mov *.gif)",
                "Wst document (*.wst);;AVI文件 (*.avi);;视频 (*.mp4 *.mkv *.webm *.avi *.mov *.gif)");
}

QString videoCaption() { return both("Import video", "导入视频"); }
QString animatedCaption() { return both("Import animated picture", "导入动画图片"); }
QString chooseFile() { return both("File...", "文件..."); }
QString rangeFrom() { return both("From (s):", "起始(秒):"); }
QString rangeTo() { return both("To (s, 0 = end):", "结束(秒, 0 = 到末尾):"); }
QString targetRate() { return both("Frames per second:", "每秒帧数:"); }
QString scaling() { return both("Scaling:", "缩放方式:"); }
QString firstFrame() { return both("First frame", "第一帧"); }
QString lastFrame() { return both("Last frame", "最后一帧"); }
QString importButton() { return both("Import", "导入"); }

QString videoFilter()
{
    return both("Video (*.mp4 *.mkv *.webm *.avi *.mov *.mpg *.m4v *.ogv);;All files (*)",
                "视频 (*.mp4 *.mkv *.webm *.avi *.mov *.mpg *.m4v *.ogv);;所有文件 (*)");
}

QString animatedFilter()
{
    return both("Animated picture (*.gif *.webp *.png *.apng);;All files (*)",
                "动画图片 (*.gif *.webp *.png *.apng);;所有文件 (*)");
}

QString movieUnreadable(const QString &reason)
{
    const QString builtIn = both("The file gives no picture: %s.", "文件中没有可读的画面：%s。");
    return formatText(builtIn, builtIn, {reason.isEmpty() ? QStringLiteral("?") : reason});
}

QString movieSummary(int width, int height, double seconds)
{
    if (seconds <= 0)
        return both("%1 x %2 pixels", "%1 x %2 像素").arg(width).arg(height);
    return both("%1 x %2 pixels, %3 s", "%1 x %2 像素, %3 秒").arg(width).arg(height).arg(seconds, 0, 'f', 2);
}

QString importProgress() { return both("Importing frames...", "正在导入帧..."); }

} // namespace GatherText

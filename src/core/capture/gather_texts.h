#pragma once
// The gather dialog's and its marker window's texts in the three
// languages: simplified Chinese as the dialog always had them, the English
// built in, traditional converted from the Chinese.

#include <QString>

namespace GatherText {

QString caption();          // "数据采集"
QString startGroup();       // "采样起点位置"
QString sizeGroup();        // "采样区域大小"
QString paramGroup();       // "参数设置"
QString deleteLabel();      // "从当前帧删除帧数目:"
QString widthLabel();
QString heightLabel();
QString rateLabel();
QString countLabel();
QString displayLabel();
QString vectorZoom();
QString displayMode(int index); // centre, fit, stretch
QString deleteButton();
QString sampleButton();
QString playButton();
QString stopButton();
QString openButton();
QString saveButton();
QString okButton();
QString markerText();       // "Gather window" (none in simplified Chinese)

QString sliderTip(int position, int total);
QString deleteQuestion(int position, int count);
QString sizeChangeQuestion();
QString displayMemoryFull();   // a screen picture could not be made
QString memoryFull();          // the samples reached their memory budget
QString gridFirst();           // OK with samples but no frame in the document
QString saveFailed();          // "保存文件失败！"
QString needsX11(const QString &platform);
// The Gather / Stop keys (as "Ctrl+Alt+F5, Ctrl+Alt+F7") could not be made
// global because another program holds them (so they reach only it).
QString hotKeysHeld(const QString &keys);
// The keymap of the X server switches to a text console with those keys.
QString consoleKeys(const QString &keys);
QString fileFilter();          // project files and AVI, then every video

// The video and animated-picture import forms.
QString videoCaption();          // "Import video"
QString animatedCaption();       // "Import animated picture"
QString chooseFile();            // "File..."
QString rangeFrom();
QString rangeTo();
QString targetRate();
QString scaling();
QString firstFrame();
QString lastFrame();
QString importButton();
QString videoFilter();
QString animatedFilter();
QString movieUnreadable(const QString &reason);
QString movieSummary(int width, int height, double seconds);
QString importProgress(); // status bar while importing

} // namespace GatherText

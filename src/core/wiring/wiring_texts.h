#pragma once
// The wiring editor's texts. Its messages are fixed Chinese/English pairs,
// never looked up in the language files; the page's captions follow the
// traditional setting too. The circuitry check's texts are in
// circuitry_check.cpp, looked up in the language files.

#include <QString>

namespace WiringText {

QString pageTitle();
QString enterWiringMode();
QString portZero();
QString neonHasNoCopy();
QString copyStatus();
QString pasteStatus();
QString clipboardEmpty();
QString multiplePorts();
QString pasteTargetTaken();
QString deleteZoneQuestion(int left, int top, int right, int bottom);
QString nothingToUndo();
QString undoFileUnusable();
QString snapshotFailedQuestion();
// The drag under way: anchor cell counted from 1, signed width and height.
QString rubberRectangle(int x, int y, int w, int h);
QString cellAssignment(int port, int pixel);

QString noLineData();
QString saveFileFail();
QString openFileFail();
QString suddennessError();
QString lineFileTooShort();
QString lineFileMismatch();
QString replaceWiringQuestion();
QString recordsSkipped(int count);
QString lineFileIncomplete(int declared, int read);

} // namespace WiringText

#pragma once
// The start and end frame fields of a range dialog, 1-based, with the
// "第一帧" / "最后一帧" buttons where a dialog offers them. Both fields open at
// the current frame's 1-based index.

#include "document/frame_range.h"

#include <QObject>
#include <optional>

class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

class FrameRangeFields : public QObject
{
    Q_OBJECT
public:
    // Adds the labelled fields (and the two buttons when `withButtons`) to
    // `grid` from `row` on. Labels come from the sections and keys given.
    FrameRangeFields(QWidget *owner, QGridLayout *grid, int row, int currentIndex, int frameCount,
                     bool withButtons, const char *labelSection, const char *startKey,
                     const char *startDefault, const char *endKey, const char *endDefault);

    int start() const;
    int end() const;
    void setStart(int v);
    void setEnd(int v);
    // The range when it fits the frames, else nothing.
    std::optional<FrameRange> range() const;

    QLineEdit *startEdit() const { return m_start; }
    QLineEdit *endEdit() const { return m_end; }
    QPushButton *firstButton() const { return m_first; }
    QPushButton *lastButton() const { return m_last; }

private:
    QLineEdit *m_start = nullptr;
    QLineEdit *m_end = nullptr;
    QPushButton *m_first = nullptr;
    QPushButton *m_last = nullptr;
    int m_frameCount = 0;
};

// A whole number field that accepts an optional minus sign and nine digits.
QLineEdit *makeNumberField(QWidget *owner, int value);
// The text of a field as a number; 0 when it holds none.
int numberIn(const QLineEdit *edit);

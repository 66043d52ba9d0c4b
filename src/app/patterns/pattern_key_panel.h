#pragma once
// The pattern keys of the operation panel: the six buttons "A", "D", "W",
// "S", "B", "F" with pictures of what they do, the action type list
// ("移动" … "陀螺") and the command count. A button, or the same letter on
// the canvas, makes one new frame (see pattern_key_run.h).

#include "patterns/pattern_keys.h"

#include <QWidget>
#include <array>

struct AppContext;
class QComboBox;
class QLineEdit;
class QToolButton;

class PatternKeyPanel : public QWidget
{
    Q_OBJECT
public:
    explicit PatternKeyPanel(AppContext &ctx, QWidget *parent = nullptr);

    QToolButton *keyButton(PatternKey key) const { return m_keys[size_t(key)]; }
    QComboBox *actionBox() const { return m_action; }
    QLineEdit *countEdit() const { return m_count; }

    PatternAction action() const;
    // The command count as typed; an unreadable edit counts as 1.
    int count() const;

    // One key press; returns whether a frame was made.
    bool press(PatternKey key);
    // A letter from the canvas ('A', 'D', 'W', 'S', 'B', 'F').
    bool pressLetter(char letter);

    void applyTexts();

private:
    void updateKeys();

    AppContext &m_ctx;
    std::array<QToolButton *, kPatternKeyCount> m_keys{};
    QComboBox *m_action = nullptr;
    QLineEdit *m_count = nullptr;
};

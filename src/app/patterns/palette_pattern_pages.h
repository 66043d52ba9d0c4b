#pragma once
// The two palette pages: jumping notes ("音符跳动") and palette fill
// ("调色盘填充"). They take their colours from the palette bar instead of
// the colour drop-downs, so they have no colour group.

#include "patterns/pattern_page.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

class NoteJumpPage : public PatternPage
{
    Q_OBJECT
public:
    explicit NoteJumpPage(AppContext &ctx, QWidget *parent = nullptr);
    QRadioButton *verticalButton() const { return m_vertical; }
    QRadioButton *horizontalButton() const { return m_horizontal; }
    QComboBox *rangeBox() const { return m_range; }
    QLineEdit *framesEdit() const { return m_frames; }

protected:
    int generate(PatternTarget &target) override;

private:
    QRadioButton *m_vertical = nullptr;
    QRadioButton *m_horizontal = nullptr;
    QComboBox *m_range = nullptr;
    QLineEdit *m_frames = nullptr;
};

class PaletteFillPage : public PatternPage
{
    Q_OBJECT
public:
    explicit PaletteFillPage(AppContext &ctx, QWidget *parent = nullptr);
    QListWidget *modeList() const { return m_modes; }

protected:
    // The operation panel's colour action combines the colours of modes 0
    // to 5; a list without a selection runs nothing.
    int generate(PatternTarget &target) override;

private:
    QListWidget *m_modes = nullptr;
};

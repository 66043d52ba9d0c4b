#pragma once
// The text page ("文字输入"): a rich text box (each run with its own font
// and colour, on black, typed in red "Arial" 16 by default), the font
// button, the line width at which the box wraps, the step or frames per
// line, the appearance (scroll up, scroll left or one of the transition
// effects) and the palette flow. The page keeps its text while it exists.

#include "patterns/pattern_page.h"
#include "patterns/text_font_dialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QTextEdit;

class TextPatternPage : public PatternPage
{
    Q_OBJECT
public:
    explicit TextPatternPage(AppContext &ctx, QWidget *parent = nullptr);

    QTextEdit *textBox() const { return m_text; }
    QPushButton *fontButton() const { return m_fontButton; }
    QLineEdit *stepEdit() const { return m_step; }
    QComboBox *appearanceBox() const { return m_appearance; }
    QComboBox *colourBox() const { return m_colour; }
    QSlider *lineWidthSlider() const { return m_lineWidth; }

    // What the font dialog starts from: the selection's (or the typing)
    // format.
    TextFontChoice selectionFont() const;
    // The dialog's OK: the selection (or what is typed next) takes it.
    void applyFont(const TextFontChoice &choice);

protected:
    int generate(PatternTarget &target) override;

private:
    void chooseFont();
    void setLineWidth(int width);

    QTextEdit *m_text = nullptr;
    QPushButton *m_fontButton = nullptr;
    QSlider *m_lineWidth = nullptr;
    QLineEdit *m_step = nullptr;
    QComboBox *m_appearance = nullptr;
    QComboBox *m_colour = nullptr;
};

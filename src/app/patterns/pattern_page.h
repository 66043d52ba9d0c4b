#pragma once
// One page of the "自动花样" dialog: a small form whose confirm button
// ("确定") runs a pattern family; Enter in its fields does not. A page reads its controls only when the
// button is pressed and keeps nothing between creations; the dialog makes
// a new page, with its defaults, every time its tab is chosen.

#include "patterns/pattern_target.h"

#include <QString>
#include <QWidget>

struct AppContext;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class PatternPage : public QWidget
{
    Q_OBJECT
public:
    explicit PatternPage(AppContext &ctx, QWidget *parent = nullptr);

    QPushButton *confirmButton() const { return m_confirm; }
    // The page's generation; returns the number of frames made (0 when
    // the page refused, after its message). The status bar then says how
    // many frames were added and changed.
    int run();

signals:
    // `first` to `last`: the frames the run wrote (-1 when it made none).
    void ran(int frames, int first, int last);

protected:
    virtual int generate(PatternTarget &target) = 0;

    // The colour group ("颜色" with "前景色" and "背景色") and the confirm
    // button, then the rows that `form()` collects between them.
    QFormLayout *form() const { return m_form; }
    QComboBox *foregroundBox() const { return m_foreground; }
    QComboBox *backgroundBox() const { return m_background; }
    // Fills a colour drop-down with the eight BasicColourList items.
    static void addColourItems(QComboBox *box);
    // A number edit with its label in the form.
    QLineEdit *addNumber(const char *labelKey, const QString &labelDefault, int value, const char *objectName);
    // The direction drop-down "方式" with its four items.
    QComboBox *addDirection();
    QLabel *addLabel(const char *key, const QString &chineseDefault);
    // A number edit's value: anything that does not read as a whole number
    // is 0 (the rules then count it as 1 where they say so).
    static int numberOf(const QLineEdit *edit);

    AppContext &m_ctx;

private:
    QGroupBox *m_colourGroup = nullptr;
    QComboBox *m_foreground = nullptr;
    QComboBox *m_background = nullptr;
    QFormLayout *m_form = nullptr;
    QPushButton *m_confirm = nullptr;
};

#pragma once
// "自动花样": the pattern generator's dialog. Eight tabs, one page alive at
// a time: choosing a tab destroys the page on show and creates the chosen
// one with its defaults. The dialog stays open between runs and closes
// with its exit button; frames made so far stay in the document. With
// "Preview" checked, the frames of each run play beside the pages.

#include <QDialog>

struct AppContext;
class PatternPreview;
class QCheckBox;
class QPushButton;
class QTabWidget;

class AutoPatternDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kTabCount = 8;

    explicit AutoPatternDialog(AppContext &ctx, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    QPushButton *exitButton() const { return m_exit; }
    QCheckBox *previewBox() const { return m_previewBox; }
    PatternPreview *preview() const { return m_preview; }
    // The page on show (a PatternPage on every tab whose page is there).
    QWidget *page() const { return m_page; }

    // Tab text of tab 0..7 in the active language.
    static QString tabText(int tab);

protected:
    // Enter and Return run nothing: only the OK button of a page does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showPage(int tab);
    void pageRan(int frames, int first, int last);
    void showPreview(bool on);

    AppContext &m_ctx;
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_exit = nullptr;
    QWidget *m_page = nullptr;
    QCheckBox *m_previewBox = nullptr;
    PatternPreview *m_preview = nullptr;
    int m_lastFirst = -1; // the frames of the last run, for the preview
    int m_lastLast = -1;
};

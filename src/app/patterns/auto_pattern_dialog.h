#pragma once
// "自动花样": the pattern generator's dialog. Eight tabs, one page alive at
// a time: choosing a tab destroys the page on show and creates the chosen
// one with its defaults. The dialog stays open between runs and closes
// with its exit button; frames made so far stay in the document.

#include <QDialog>

struct AppContext;
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
    // The page on show (a PatternPage for tabs 0..3).
    QWidget *page() const { return m_page; }

    // Tab text of tab 0..7 in the active language.
    static QString tabText(int tab);

private:
    void showPage(int tab);

    AppContext &m_ctx;
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_exit = nullptr;
    QWidget *m_page = nullptr;
};

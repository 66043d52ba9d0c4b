#pragma once
// Edit > History: the document's undo history in a dock. A click on an
// entry undoes or redoes up to it; playback stops first, as for Undo.

#include <QDockWidget>

struct AppContext;
class QUndoView;

class HistoryPanel : public QDockWidget
{
    Q_OBJECT
public:
    HistoryPanel(AppContext &ctx, QWidget *parent = nullptr);
    QUndoView *view() const { return m_view; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyTexts();

    AppContext &m_ctx;
    QUndoView *m_view;
};

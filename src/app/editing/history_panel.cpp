#include "editing/history_panel.h"

#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "document/edit_history.h"
#include "settings/language.h"

#include <QEvent>
#include <QUndoView>

HistoryPanel::HistoryPanel(AppContext &ctx, QWidget *parent) : QDockWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("HistoryDock"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_view = new QUndoView(&ctx.doc.history().stack(), this);
    m_view->setObjectName(QStringLiteral("HistoryView"));
    // Entries are picked by mouse or keys; either may undo many at once, so
    // playback stops before the view sees the press.
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    setWidget(m_view);
    connect(&ctx.events, &AppEvents::languageChanged, this, &HistoryPanel::applyTexts);
    applyTexts();
}

bool HistoryPanel::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type t = event->type();
    if ((t == QEvent::MouseButtonPress || t == QEvent::KeyPress) && m_ctx.commands.isEnabled(Cmd::Stop))
        m_ctx.commands.trigger(Cmd::Stop);
    return QDockWidget::eventFilter(watched, event);
}

void HistoryPanel::applyTexts()
{
    setWindowTitle(lookedUpText("Undo", "HistoryTitle", QStringLiteral("历史记录"), QStringLiteral("History")));
    // The state before the first entry: where undoing everything leads.
    m_view->setEmptyLabel(
        lookedUpText("Undo", "HistoryStart", QStringLiteral("<打开或新建时>"), QStringLiteral("<as opened>")));
    // The entries' names in the new language, shown at once.
    m_ctx.doc.history().retext();
    m_view->viewport()->update();
}

#include "shell/status_pane_width.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

int statusPaneWidth(const QLabel &pane, const QStringList &texts)
{
    const QFontMetrics metrics(pane.font());
    int widest = 0;
    for (const QString &text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    // A label lays its text out inside its frame, contents margins, margin
    // and indent; a few pixels more keep the last digit off the pane edge.
    const QMargins m = pane.contentsMargins();
    const int indent = std::max(0, pane.indent());
    constexpr int kBreathingRoom = 6;
    return widest + m.left() + m.right() + 2 * pane.margin() + indent + kBreathingRoom;
}

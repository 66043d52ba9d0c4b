#include "links/rgb_order_view.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

RgbOrderView::RgbOrderView(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("RgbOrderList"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Pixel"), QStringLiteral("Color")});
    setColumnWidth(0, 60);
    setColumnWidth(1, 60);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
}

QIcon RgbOrderView::picture(int index)
{
    static const QColor colours[] = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255), QColor(160, 160, 160)};
    if (index < 0 || index > 3)
        return QIcon();
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(colours[index]);
    p.drawRect(1, 1, 9, 9);
    if (index == 3)
        p.drawLine(1, 10, 10, 1); // "null": an empty byte
    return QIcon(pm);
}

void RgbOrderView::showList(const RgbOrderList &list)
{
    clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(list.count());
    for (const RgbOrderRow &row : list.rows()) {
        auto *item = new QTreeWidgetItem({row.pixel, row.color});
        item->setIcon(0, picture(rgbPictureIndex(row.color)));
        // Rows are places in an order, not containers: nothing is dropped
        // into a row.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
        items << item;
    }
    addTopLevelItems(items);
}

void RgbOrderView::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeWidget::dragMoveEvent(event);
    event->acceptProposedAction();
}

void RgbOrderView::dropEvent(QDropEvent *event)
{
    // The list itself is the controller values'; the view only reports
    // the move, and the panel shows the list again.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (event->source() != this)
        return;
    const QTreeWidgetItem *dragged = currentItem();
    if (!dragged)
        return;
    const int from = indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(dragged));
    emit rowDropped(from, dropTarget(event->position().toPoint()));
}

int RgbOrderView::dropTarget(const QPoint &pos) const
{
    QTreeWidgetItem *under = itemAt(pos);
    return under ? indexOfTopLevelItem(under) : topLevelItemCount();
}

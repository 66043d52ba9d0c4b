#pragma once
// The "RGB顺序" list of the controller panel: two columns, "Pixel" and
// "Color", with a colour picture per row. The rows come from the
// controller values; a row dragged onto another asks for the move, and the
// panel shows the list again.

#include "links/rgb_order_list.h"

#include <QTreeWidget>

class RgbOrderView : public QTreeWidget
{
    Q_OBJECT
public:
    explicit RgbOrderView(QWidget *parent = nullptr);

    // Shows `list` top to bottom.
    void showList(const RgbOrderList &list);

    // The row a drop at `pos` (viewport coordinates) lands on: the row under
    // it, or the row count below the last row.
    int dropTarget(const QPoint &pos) const;

    // The picture of a colour text: red, green, blue, grey for "null".
    static QIcon picture(int index);

signals:
    // Row `from` was dropped on row `target` (the row count when it was
    // dropped below the last row).
    void rowDropped(int from, int target);

protected:
    void dropEvent(QDropEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
};

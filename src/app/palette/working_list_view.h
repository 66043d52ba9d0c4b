#pragma once
// The colours of the palette being built ("被选中的色板"), in list order,
// 32 small cells to a row.

#include "settings/color_value.h"

#include <QWidget>
#include <vector>

class WorkingListView : public QWidget
{
    Q_OBJECT
public:
    explicit WorkingListView(const std::vector<ColorValue> &colours, QWidget *parent = nullptr);
    QSize sizeHint() const override { return {32 * 14 + 1, 16 * 10 + 1}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const std::vector<ColorValue> &m_colours;
};

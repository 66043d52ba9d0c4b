#pragma once
// The colour panel's table: R rows x G columns of filled cells with grid
// lines, the selected cell marked "1". Clicks go to the panel's model; the
// colour under the mouse is reported for the readout.

#include <QWidget>

class ColourPanelModel;

class ColourTableView : public QWidget
{
    Q_OBJECT
public:
    ColourTableView(ColourPanelModel &model, QWidget *parent = nullptr);

    // Cell index under a point, -1 outside the cells.
    int cellAt(QPoint p) const;
    QRect cellRect(int row, int column) const;

    QSize sizeHint() const override { return {520, 160}; }

signals:
    void hovered(const QString &readout);
    // After a click changed the selection or the working list.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    ColourPanelModel &m_model;
};

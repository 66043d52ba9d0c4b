#pragma once
// The palette bar's strip: the palette list in equal cells, the selected
// entry marked "1". A left click selects an entry; a right click asks for
// the colour panel.

#include <QWidget>

struct PaletteState;

class PaletteStrip : public QWidget
{
    Q_OBJECT
public:
    PaletteStrip(PaletteState &palette, QWidget *parent = nullptr);

    // The entry under x (clipped to the last entry), -1 with an empty list.
    int entryAt(int x) const;
    // Left and right edge of cell i: edges are truncated from real cell
    // widths, so the cells fill the strip exactly.
    int cellLeft(int i) const;

    QSize sizeHint() const override { return {400, 28}; }

signals:
    void entrySelected(int index);
    void panelRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    PaletteState &m_palette;
};

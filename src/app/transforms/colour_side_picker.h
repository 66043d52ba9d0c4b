#pragma once
// One side of the colour replacement dialog: eight basic-colour cells, the
// "其他..." button that picks a custom colour with the system colour dialog,
// and a swatch of the colour the side stands for.

#include "settings/color_value.h"

#include <QColor>
#include <QWidget>
#include <functional>
#include <optional>

class QButtonGroup;
class QFrame;
class QPushButton;
class QToolButton;

class ColourSidePicker : public QWidget
{
    Q_OBJECT
public:
    // Asks for a colour, starting from `initial`; nothing when cancelled.
    using PickColour = std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)>;

    // `customIndex` is the index this side's custom colour has (8 for the
    // old side, 9 for the new side).
    ColourSidePicker(int customIndex, ColorValue custom, PickColour pick, QWidget *parent = nullptr);

    int index() const { return m_index; }
    ColorValue customColour() const { return m_custom; }
    // The colour of the chosen basic cell, or the custom colour.
    ColorValue colour() const;

    // Chooses a basic cell (0..7) or the custom colour (the custom index).
    void choose(int index);

    QToolButton *cell(int i) const { return m_cells[i]; }
    QPushButton *otherButton() const { return m_other; }
    QFrame *swatch() const { return m_swatch; }

signals:
    void changed();

private:
    void pickCustom();
    void refresh();

    int m_customIndex;
    int m_index;
    ColorValue m_custom;
    PickColour m_pick;
    QToolButton *m_cells[8] = {};
    QPushButton *m_other = nullptr;
    QFrame *m_swatch = nullptr;
};

// QColor from a ColorValue and back (red in the low byte).
QColor toQColor(ColorValue c);
ColorValue fromQColor(const QColor &c);

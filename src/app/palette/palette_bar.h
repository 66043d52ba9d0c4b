#pragma once
// The palette bar docked at the bottom of the main window: the eight base
// colour swatches, the current colour, the palette strip, the brush buttons
// and the palette-cycle check box.

#include "palette/palette_state.h"

#include <QWidget>
#include <array>

struct AppContext;
class PaletteStrip;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;

class PaletteBar : public QWidget
{
    Q_OBJECT
public:
    PaletteBar(AppContext &ctx, QWidget *parent = nullptr);

    PaletteStrip *strip() const { return m_strip; }
    QAbstractButton *brushButton(Brush brush) const;
    QToolButton *baseSwatch(int i) const { return m_base[size_t(i)]; }
    QFrame *currentSwatch() const { return m_current; }
    QCheckBox *cycleBox() const { return m_cycle; }

    // Repaints the swatch and the strip from the palette state.
    void refresh();
    void applyTexts();
    // The colour panel, modal; afterwards the first entry is selected.
    void openColourPanel();

signals:
    void paletteChanged();

private:
    void chooseBrush(int id);

    AppContext &m_ctx;
    std::array<QToolButton *, 8> m_base{};
    QFrame *m_current = nullptr;
    PaletteStrip *m_strip = nullptr;
    QButtonGroup *m_brushes = nullptr;
    QCheckBox *m_cycle = nullptr;
    QLabel *m_baseLabel = nullptr;
    QLabel *m_composeLabel = nullptr;
};

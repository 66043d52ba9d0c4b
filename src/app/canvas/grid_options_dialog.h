#pragma once
// The grid options dialog ("网格选项"): cell width and height, cell shape,
// grid line colour and background colour. OK runs applyGridOptions and
// keeps the dialog open when it refuses the values.

#include "canvas/grid_options.h"

#include <QDialog>

struct AppContext;
class CanvasView;
class ColourButton;
class QLineEdit;
class QRadioButton;

class GridOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    GridOptionsDialog(AppContext &ctx, CanvasView &view, QWidget *parent = nullptr);

    GridOptions values() const;

    QLineEdit *widthEdit() const { return m_width; }
    QLineEdit *heightEdit() const { return m_height; }
    QRadioButton *squareButton() const { return m_square; }
    QRadioButton *roundButton() const { return m_round; }
    ColourButton *gridLineButton() const { return m_gridLine; }
    ColourButton *backgroundButton() const { return m_background; }

    void accept() override;

private:
    AppContext &m_ctx;
    CanvasView &m_view;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QRadioButton *m_square = nullptr;
    QRadioButton *m_round = nullptr;
    ColourButton *m_gridLine = nullptr;
    ColourButton *m_background = nullptr;
};

// Grid options (command 32782): the dialog, modal over the main window.
void runGridOptionsDialog(AppContext &ctx, CanvasView &view);

#include "shell/canvas_printing.h"

#include "canvas/canvas_view.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

CanvasPrinting::CanvasPrinting(CanvasView &canvas, QWidget *window)
    : QObject(window), m_canvas(canvas), m_window(window)
{
}

CanvasPrinting::~CanvasPrinting() = default;

QPrinter &CanvasPrinting::printer()
{
    // Made on first use: looking up the printers takes a moment.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool CanvasPrinting::printTo(QPrinter &target)
{
    QPainter painter;
    if (!painter.begin(&target))
        return false;
    m_canvas.renderForPrint(painter, painter.viewport());
    return painter.end();
}

void CanvasPrinting::print()
{
    QPrintDialog dialog(&printer(), m_window);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer());
}

void CanvasPrinting::preview()
{
    QPrintPreviewDialog dialog(&printer(), m_window);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) { printTo(*p); });
    dialog.exec();
}

void CanvasPrinting::setup()
{
    QPageSetupDialog dialog(&printer(), m_window);
    dialog.exec();
}

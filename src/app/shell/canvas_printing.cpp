#include "shell/canvas_printing.h"

#include "canvas/canvas_view.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

CanvasPrinting::CanvasPrinting(CanvasView &canvas, Prompt &prompt, QWidget *window)
    : QObject(window), m_canvas(canvas), m_prompt(prompt), m_window(window)
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
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printTo(printer()))
        m_prompt.inform(pairedText(QStringLiteral("The printer could not be started."),
                                   QStringLiteral("无法启动打印机。")),
                        PromptIcon::Error);
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

#pragma once
// File > Print, Print Preview and Print Setup: the canvas drawn on a page
// of the printer chosen in Print Setup.

#include <QObject>
#include <memory>

class QPrinter;
class QWidget;
class CanvasView;
class Prompt;

class CanvasPrinting : public QObject
{
    Q_OBJECT
public:
    CanvasPrinting(CanvasView &canvas, Prompt &prompt, QWidget *window);
    ~CanvasPrinting() override;

    void print();
    void preview();
    void setup();

    // Draws the canvas on one page of `printer`; false when the printer
    // could not be started.
    bool printTo(QPrinter &printer);
    QPrinter &printer();

private:
    CanvasView &m_canvas;
    Prompt &m_prompt;
    QWidget *m_window;
    std::unique_ptr<QPrinter> m_printer;
};

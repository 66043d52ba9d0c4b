#pragma once
// Samples and documents for the capture tests: a sample is painted with
// Qt colours, a frame read back as one letter per grid point.

#include "capture/gather.h"
#include "../patterns/pattern_test_support.h"
#include "scripted_prompt.h"

#include <QColor>
#include <QImage>
#include <QPainter>

// A sample of w x h of one colour, with an optional other-coloured
// rectangle painted over it.
inline QImage captureSample(int w, int h, QColor fill, QRect spot = QRect(), QColor spotColour = Qt::black)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    if (!spot.isEmpty()) {
        QPainter p(&image);
        p.fillRect(spot, spotColour);
    }
    return image;
}

// Letters for frames made of samples: '#' red, 'B' blue, 'G' green, 'W'
// white, '.' black, '?' anything else.
inline std::vector<std::string> captureLetters(const Frame &f, int rows, int cols)
{
    return picture(f, rows, cols);
}

class CaptureTest : public PatternTest
{
protected:
    ScriptedPrompt prompt;
};

#pragma once
// Pictures for the transition, picture-page and text-page tests: a
// QGuiApplication on the offscreen platform (fonts need one), test
// pictures whose every pixel is lit, and ways to ask a drawn canvas which
// cells it shows.

#include "document/frame.h"
#include "patterns/transition_effects.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

inline void ensurePictureApp()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "core_tests";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives as long as the test process
}

// An opaque picture whose pixel (x, y) has its own colour, never black.
inline QImage numberedPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(40 + (x * 7) % 200, 40 + (y * 11) % 200, 200));
    return image;
}

// The canvas shows cell (x, y) of the picture unchanged.
inline bool showsPictureAt(const QImage &canvas, const QImage &picture, int x, int y)
{
    return canvas.pixel(x, y) == picture.pixel(x, y);
}

inline int litCells(const QImage &canvas)
{
    int lit = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            lit += qAlpha(canvas.pixel(x, y)) != 0;
    return lit;
}

inline bool showsWholePicture(const QImage &canvas, const QImage &picture)
{
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (!showsPictureAt(canvas, picture, x, y))
                return false;
    return true;
}

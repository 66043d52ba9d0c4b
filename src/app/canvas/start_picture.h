#pragma once
// The picture the canvas shows while the document has no frames (the
// start-up document), with a caption that says how to begin.
//
// The picture of the active language comes from the program folder when
// the user placed one there ("Back_English" for every language but
// Chinese, "Back_Chinese" for Chinese; .png or .bmp), stretched to the
// canvas. Otherwise the built-in design is drawn at the canvas's exact size:
// an LED matrix with the product's name lit in dot-matrix letters over a
// wave of coloured lamps (cool rainbow for English, red and gold with a
// Chinese title for Chinese). The picture is made once per size and
// language and kept.

#include <QImage>
#include <QSize>
#include <QString>

class StartPicture
{
public:
    // Draws the picture of the active language over the whole image, then
    // its caption.
    void paint(QImage &image);

    // The picture alone at `size`.
    QImage picture(bool chinese, QSize size);

    // The built-in design.
    static QImage drawBuiltIn(bool chinese, QSize size);
    // The caption in the active language.
    static QString caption();
    // File names looked for in the program folder.
    static QString baseName(bool chinese);

private:
    bool m_chinese = false;
    QImage m_cached;
};

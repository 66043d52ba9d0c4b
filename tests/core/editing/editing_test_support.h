#pragma once
// Small documents with recognisable frames for the editing tests.

#include "qstring_print.h"
#include "document/document.h"
#include "settings/language.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>


inline GridGeometry gridOf(int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    return g;
}

// Frame k holds, at point i, the colour (k + 1) * 1000 + i: every point of
// every frame is told apart.
inline Frame numberedFrame(int k, int points)
{
    Frame f(static_cast<size_t>(points));
    for (int i = 0; i < points; ++i)
        f[size_t(i)] = ColorValue((k + 1) * 1000 + i);
    return f;
}

inline void fillNumbered(Document &doc, int frames)
{
    for (int k = 0; k < frames; ++k)
        doc.frames().append(numberedFrame(k, doc.pointCount()));
    doc.frames().setCurrentIndex(0);
}

// The frame number k a numbered frame was made from (its first point).
inline int frameNumberOf(const Frame &f) { return int(f[0] / 1000) - 1; }

// Built-in texts in the chosen language: an empty language folder.
class BuiltInTexts
{
public:
    explicit BuiltInTexts(int code)
    {
        Language::setFolder(m_dir.path());
        Language::setCode(code);
    }
    ~BuiltInTexts()
    {
        Language::setFolder(QString());
        Language::setCode(Language::English);
    }

private:
    QTemporaryDir m_dir;
};

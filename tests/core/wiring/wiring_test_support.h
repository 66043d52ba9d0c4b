#pragma once
// Shared helpers of the wiring tests: grids labelled with letters so that a
// chain reads as a word ("abcfed" is a snake over a 3 x 2 rectangle).

#include "qstring_print.h"
#include "document/document.h"
#include "document/wiring.h"

#include <QPoint>
#include <QString>
#include <ostream>
#include <algorithm>
#include <vector>

inline GridGeometry wiringGrid(int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    return g;
}

// Cell (x, y) of a grid `cols` wide is letter y * cols + x.
inline QChar cellLetter(int x, int y, int cols) { return QChar(char16_t(u'a' + y * cols + x)); }

inline QString cellWord(const std::vector<QPoint> &cells, int cols)
{
    QString s;
    for (const QPoint &c : cells)
        s += cellLetter(c.x(), c.y(), cols);
    return s;
}

// The cells of `port` in the order of their pixel numbers.
inline QString chainWord(const Wiring &w, int port)
{
    std::vector<WiringPixel> chain;
    for (const WiringPixel &p : w.pixels())
        if (p.port == port)
            chain.push_back(p);
    std::stable_sort(chain.begin(), chain.end(), [](const WiringPixel &a, const WiringPixel &b) { return a.pixel < b.pixel; });
    QString s;
    for (const WiringPixel &p : chain)
        s += cellLetter(p.column, p.row, w.cols());
    return s;
}

// Pixel numbers of `port` in list order.
inline std::vector<int> numbersInListOrder(const Wiring &w, int port)
{
    std::vector<int> n;
    for (const WiringPixel &p : w.pixels())
        if (p.port == port)
            n.push_back(p.pixel);
    return n;
}

inline WiringPixel wiredAt(int x, int y, int port, int pixel)
{
    WiringPixel p;
    p.column = x;
    p.row = y;
    p.port = port;
    p.pixel = pixel;
    return p;
}

// Readable failure messages.
inline void PrintTo(const WiringPixel &p, std::ostream *os)
{
    *os << "{x " << p.column << ", y " << p.row << ", port " << p.port << ", pixel " << p.pixel << "}";
}

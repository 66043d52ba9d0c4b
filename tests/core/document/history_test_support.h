#pragma once
// A seeded project for the undo tests, and the whole state an edit may
// change, compared byte for byte.

#include "qstring_print.h"
#include "document/document.h"
#include "document/edit_history.h"
#include "editing/editing_state.h"
#include "palette/palette_state.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// Everything of a document an edit of frames may touch.
struct HistorySnapshot
{
    GridGeometry geometry;
    int current = -1;
    int count = 0;
    std::vector<std::vector<ColorValue>> frames;
    std::vector<WiringPixel> wiring;
    std::vector<ColorValue> cellMap;

    static HistorySnapshot of(const Document &doc)
    {
        HistorySnapshot s;
        s.geometry = doc.geometry();
        s.current = doc.currentIndex();
        s.count = doc.frameCount();
        for (int i = 0; i < doc.frameCount(); ++i)
            s.frames.push_back(doc.frames().at(i).pixels());
        s.wiring = doc.wiring().pixels();
        s.cellMap = doc.wiring().cellMap();
        return s;
    }
    bool operator==(const HistorySnapshot &) const = default;
};

inline std::ostream &operator<<(std::ostream &os, const HistorySnapshot &s)
{
    os << s.geometry.rows << "x" << s.geometry.cols << ", " << s.count << " frames, current " << s.current
       << ", wiring " << s.wiring.size() << " records; first points:";
    for (const auto &f : s.frames)
        os << ' ' << (f.empty() ? 0u : f[0]);
    return os;
}

// Rows x cols, `frames` frames whose every point has a colour of its own
// (frame k, point i: (k + 1) * 1000 + i), frame 2 current, three wired
// points, an area defined over the middle, and a clipboard picture of its
// size.
struct SeededProject
{
    explicit SeededProject(int rows = 4, int cols = 6, int frames = 5)
    {
        GridGeometry g;
        g.rows = int16_t(rows);
        g.cols = int16_t(cols);
        doc = std::make_unique<Document>(g);
        doc->startNew(g);
        doc->frames().clear();
        for (int k = 0; k < frames; ++k) {
            Frame f(size_t(rows * cols));
            for (int i = 0; i < rows * cols; ++i)
                f[size_t(i)] = ColorValue((k + 1) * 1000 + i);
            doc->frames().append(std::move(f));
        }
        doc->frames().setCurrentIndex(std::min(2, frames - 1));
        for (int i = 0; i < 3; ++i) {
            WiringPixel p;
            p.port = 0;
            p.pixel = i;
            p.column = i;
            p.row = rows - 1;
            doc->wiring().append(p);
        }
        editing.area.defined = true;
        editing.area.x0 = 1;
        editing.area.y0 = 1;
        editing.area.x1 = std::min(3, cols - 1);
        editing.area.y1 = std::min(2, rows - 1);
        editing.penEnabled = true;
        editing.clipboard.resize(editing.area.height(), editing.area.width(), 2);
        for (size_t k = 0; k < editing.clipboard.frames.size(); ++k)
            for (size_t i = 0; i < editing.clipboard.frames[k].size(); ++i)
                editing.clipboard.frames[k][i] = ColorValue(0x00500000 + k * 100 + i);
        // The seed is the saved state: nothing to undo, nothing modified.
        doc->history().clear();
        doc->setModified(false);
    }

    Document &d() { return *doc; }

    std::unique_ptr<Document> doc;
    EditingState editing;
    PaletteState palette;
};

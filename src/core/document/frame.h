#pragma once
// One picture of the whole grid: Rows x Cols colours in linear-index order
// (y * Cols + x), contiguous, no row stride. A frame does not know the grid
// shape; it is read with the document's geometry, and every frame of a
// document has the same size.

#include "settings/color_value.h"

#include <cstddef>
#include <vector>

class Frame
{
public:
    Frame() = default;
    explicit Frame(size_t points, ColorValue fill = 0) : m_pixels(points, fill) {}

    size_t size() const { return m_pixels.size(); }
    bool empty() const { return m_pixels.empty(); }

    ColorValue *data() { return m_pixels.data(); }
    const ColorValue *data() const { return m_pixels.data(); }

    ColorValue &operator[](size_t i) { return m_pixels[i]; }
    ColorValue operator[](size_t i) const { return m_pixels[i]; }

    ColorValue at(int x, int y, int cols) const { return m_pixels[size_t(y) * size_t(cols) + size_t(x)]; }
    void set(int x, int y, int cols, ColorValue c) { m_pixels[size_t(y) * size_t(cols) + size_t(x)] = c; }

    std::vector<ColorValue> &pixels() { return m_pixels; }
    const std::vector<ColorValue> &pixels() const { return m_pixels; }

    bool operator==(const Frame &) const = default;

private:
    std::vector<ColorValue> m_pixels;
};

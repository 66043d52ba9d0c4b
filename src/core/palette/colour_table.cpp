#include "palette/colour_table.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Rgb
{
    int r, g, b;
};

// Row seeds in row order: red, yellow, green, cyan, blue, magenta, white.
constexpr Rgb kSeeds[7] = {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255},
                           {0, 0, 255}, {255, 0, 255}, {255, 255, 255}};

ColorValue pack(double r, double g, double b)
{
    // Truncated to integers and kept to eight bits per channel.
    return makeColor(unsigned(int(r)) & 0xFFu, unsigned(int(g)) & 0xFFu, unsigned(int(b)) & 0xFFu);
}

ColorValue singleColourCell(int row, int i, double step)
{
    const Rgb s = kSeeds[row];
    const double down = i * step;
    return pack(s.r ? s.r - down : 0, s.g ? s.g - down : 0, s.b ? s.b - down : 0);
}

ColorValue mixedColourCell(int row, int i, double step)
{
    const double up = i * step;
    const double down = 255 - i * step;
    switch (row) {
    case 0: return pack(255, up, 0);       // red to yellow
    case 1: return pack(down, 255, 0);     // yellow to green
    case 2: return pack(0, 255, up);       // green to cyan
    case 3: return pack(0, down, 255);     // cyan to blue
    case 4: return pack(up, 0, 255);       // blue to magenta
    case 5: return pack(255, up, 255);     // magenta to white
    default: return pack(255, down, down); // white to red
    }
}

int towards(int value, int end, int step)
{
    if (value < end)
        return std::min(value + step, end);
    if (value > end)
        return std::max(value - step, end);
    return value;
}

void customRamp(ColorValue *row, int grades, ColorValue start, ColorValue end)
{
    if (grades < 2) {
        // One grade has no room for a ramp (and the channel step would
        // divide by zero): the row holds the end colour.
        if (grades == 1)
            row[0] = end & 0xFFFFFFu;
        return;
    }
    const int from[3] = {int(redOf(start)), int(greenOf(start)), int(blueOf(start))};
    const int to[3] = {int(redOf(end)), int(greenOf(end)), int(blueOf(end))};
    int steps[3];
    int value[3];
    for (int c = 0; c < 3; ++c) {
        steps[c] = std::max(1, std::abs(to[c] - from[c]) / (grades - 1));
        value[c] = from[c];
    }
    for (int i = 0; i < grades - 1; ++i) {
        for (int c = 0; c < 3; ++c)
            value[c] = towards(value[c], to[c], steps[c]);
        row[i] = makeColor(unsigned(value[0]), unsigned(value[1]), unsigned(value[2]));
    }
    row[grades - 1] = end & 0xFFFFFFu;
}

} // namespace

int tableRowsFor(int baseColorNum)
{
    if (baseColorNum <= 1)
        return 1;
    return baseColorNum == 2 ? 3 : 7;
}

int tableGradesFor(int scanMode, int gradeIndex)
{
    if (scanMode == 0)
        return 1;
    static constexpr int kGrades[4] = {16, 32, 64, 128};
    return kGrades[std::clamp(gradeIndex, 0, 3)];
}

double tableStepFor(int grades)
{
    return grades < 2 ? 255.0 : double(255 / (grades - 1));
}

ColourTable buildColourTable(TableMode mode, int rows, int grades, ColorValue start, ColorValue end)
{
    ColourTable t;
    t.rows = std::clamp(rows, 0, 7);
    t.grades = std::max(grades, 0);
    t.step = tableStepFor(t.grades);
    t.cells.assign(size_t(t.rows) * size_t(t.grades), 0);
    if (t.rows == 0 || t.grades == 0)
        return t;
    if (mode == TableMode::Custom) {
        // Only the first row is a ramp; the others stay black.
        customRamp(t.cells.data(), t.grades, start, end);
        return t;
    }
    for (int r = 0; r < t.rows; ++r)
        for (int i = 0; i < t.grades; ++i)
            t.cells[size_t(r) * size_t(t.grades) + size_t(i)] =
                mode == TableMode::SingleColour ? singleColourCell(r, i, t.step) : mixedColourCell(r, i, t.step);
    return t;
}

#pragma once
// The generated colour tables of the colour panel: up to seven rows of
// ramps from which the user picks the colours of a new palette.

#include "settings/color_value.h"

#include <cstddef>
#include <vector>

enum class TableMode : int { SingleColour = 0, MixedColour = 1, Custom = 2 };

struct ColourTable
{
    int rows = 0;
    int grades = 0;
    // 255 div (grades - 1), kept as a real as the sliders scale by it;
    // 255.0 when there are fewer than two grades.
    double step = 255.0;
    std::vector<ColorValue> cells; // rows x grades, row-major

    ColorValue at(int row, int column) const { return cells[size_t(row) * size_t(grades) + size_t(column)]; }
    int cellCount() const { return rows * grades; }
};

// Table rows for the base colour count: 1 -> 1, 2 -> 3, 3 -> 7.
int tableRowsFor(int baseColorNum);
// Grades per row: 1 in a normal program (ScanMode 0); otherwise the grade
// list's entry 16, 32, 64 or 128.
int tableGradesFor(int scanMode, int gradeIndex);
double tableStepFor(int grades);

// The colour table of a mode. `start` and `end` are the custom colours
// (mode 2 only).
ColourTable buildColourTable(TableMode mode, int rows, int grades, ColorValue start = 0x0000FF,
                             ColorValue end = 0x00FFFF);

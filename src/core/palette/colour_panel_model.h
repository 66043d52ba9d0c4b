#pragma once
// What the colour panel ("调色板") does, apart from its widgets: the
// generated table, the cell clicks with and without Ctrl, the channel
// sliders, the working list being built and its 512-colour limit, palette
// files, and the OK rule. The dialog only draws this state and forwards
// the user's clicks.

#include "palette/colour_table.h"
#include "palette/palette_state.h"

#include <QString>
#include <algorithm>
#include <array>
#include <vector>

class Prompt;

class ColourPanelModel
{
public:
    // The panel opens with the table of the grid's base colour count and
    // program mode, and the current palette list as its working list.
    ColourPanelModel(const PaletteState &palette, int baseColorNum, int scanMode, Prompt &prompt);

    // --- table -------------------------------------------------------------
    TableMode mode() const { return m_mode; }
    void setMode(TableMode mode);
    // 0..3 for 16, 32, 64, 128 grades; no effect in a normal program, whose
    // table has one grade.
    int gradeIndex() const { return m_gradeIndex; }
    void setGradeIndex(int index);
    bool gradesSelectable() const { return m_scanMode != 0; }
    ColorValue customStart() const { return m_start; }
    ColorValue customEnd() const { return m_end; }
    void setCustomColours(ColorValue start, ColorValue end);
    const ColourTable &table() const { return m_table; }

    // Selected cell (row-major index into the table), -1 for none.
    int selectedCell() const { return m_selected; }
    int anchorCell() const { return m_anchor; }

    // --- clicks --------------------------------------------------------------
    void leftClick(int cell, bool ctrl);
    void rightClick(int cell, bool ctrl);

    // --- sliders -------------------------------------------------------------
    // Slider values 0..grades-1 of red, green and blue.
    const std::array<int, 3> &sliders() const { return m_sliders; }
    int sliderMaximum() const { return std::max(0, m_table.grades - 1); }
    // Sets one channel's slider; with a cell selected the cell takes the
    // colour of the three sliders (value x step).
    void setSlider(int channel, int value);

    // --- working list ----------------------------------------------------------
    const std::vector<ColorValue> &working() const { return m_working; }
    // Appends one colour; at 512 entries refuses with the limit message and
    // returns false.
    bool append(ColorValue colour);
    void clear() { m_working.clear(); }
    void deleteLast();
    void restore(const PaletteState &palette) { m_working = palette.colours; }

    // Palette files; failures are shown through the prompt. Return whether
    // the file was read or written.
    bool openFile(const QString &path);
    bool saveFile(const QString &path);
    // The "打开色板" and "保存色板" buttons: the file dialog, then the file.
    // Open starts in the palette folder; save in the project's folder with
    // its name when the project has a file, else in the palette folder.
    void setProjectPath(const QString &path) { m_projectPath = path; }
    bool openWithDialog();
    bool saveWithDialog();

    // OK: the working list (cut to 512) replaces the palette list; an empty
    // working list behaves as Cancel. Returns whether the list was taken.
    bool acceptInto(PaletteState &palette) const;

    static QString limitMessage();
    // "红:%d,绿:%d,蓝:%d" or its English pair for a colour under the mouse.
    static QString readout(ColorValue colour);

private:
    void rebuild();
    void appendRun(int from, int to);
    bool validCell(int cell) const { return cell >= 0 && cell < m_table.cellCount(); }

    Prompt &m_prompt;
    int m_scanMode;
    int m_rows;
    TableMode m_mode = TableMode::SingleColour;
    int m_gradeIndex = 0;
    ColorValue m_start = 0x0000FF; // red
    ColorValue m_end = 0x00FFFF;   // yellow
    ColourTable m_table;
    int m_selected = -1;
    int m_anchor = -1;
    bool m_rightRunMarked = false;
    std::array<int, 3> m_sliders{0, 0, 0};
    std::vector<ColorValue> m_working;
    QString m_projectPath; // the open project, for the save dialog
};

// The palette after the panel closed, whichever way: the first entry is
// selected and is the current colour.
void colourPanelClosed(PaletteState &palette);

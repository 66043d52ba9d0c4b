#include "palette/colour_panel_model.h"

#include "document/save_suggestion.h"
#include "palette/palette_file.h"
#include "settings/language.h"
#include "settings/prompt.h"

ColourPanelModel::ColourPanelModel(const PaletteState &palette, int baseColorNum, int scanMode, Prompt &prompt)
    : m_prompt(prompt), m_scanMode(scanMode), m_rows(tableRowsFor(baseColorNum)), m_working(palette.colours)
{
    rebuild();
}

void ColourPanelModel::rebuild()
{
    m_table = buildColourTable(m_mode, m_rows, tableGradesFor(m_scanMode, m_gradeIndex), m_start, m_end);
    // Cell numbers of the old table mean nothing in the new one.
    m_selected = -1;
    m_anchor = -1;
    m_rightRunMarked = false;
}

void ColourPanelModel::setMode(TableMode mode)
{
    m_mode = mode;
    rebuild();
}

void ColourPanelModel::setGradeIndex(int index)
{
    m_gradeIndex = std::clamp(index, 0, 3);
    rebuild();
}

void ColourPanelModel::setCustomColours(ColorValue start, ColorValue end)
{
    m_start = start;
    m_end = end;
    if (m_mode == TableMode::Custom)
        rebuild();
}

bool ColourPanelModel::append(ColorValue colour)
{
    if (int(m_working.size()) >= PaletteState::kMaxColours) {
        m_prompt.inform(limitMessage(), PromptIcon::Warning);
        return false;
    }
    m_working.push_back(colour);
    return true;
}

void ColourPanelModel::appendRun(int from, int to)
{
    // Row-major from the anchor to the clicked cell, forwards or backwards;
    // the first refused entry ends the run (one message).
    const int dir = to >= from ? 1 : -1;
    for (int c = from;; c += dir) {
        if (!append(m_table.cells[size_t(c)]))
            return;
        if (c == to)
            return;
    }
}

void ColourPanelModel::leftClick(int cell, bool ctrl)
{
    if (!validCell(cell))
        return;
    m_selected = cell;
    const ColorValue c = m_table.cells[size_t(cell)];
    m_sliders = {int(redOf(c) / m_table.step), int(greenOf(c) / m_table.step), int(blueOf(c) / m_table.step)};
    if (ctrl && m_anchor >= 0)
        appendRun(m_anchor, cell);
    else
        append(c); // a Ctrl click without an anchor takes only its own cell
    m_anchor = cell;
}

void ColourPanelModel::rightClick(int cell, bool ctrl)
{
    if (!validCell(cell))
        return;
    if (!ctrl) {
        append(m_table.cells[size_t(cell)]);
        return;
    }
    if (!m_rightRunMarked) {
        m_anchor = cell;
        m_rightRunMarked = true;
        return;
    }
    appendRun(m_anchor, cell);
    m_rightRunMarked = false;
    m_anchor = -1;
}

void ColourPanelModel::setSlider(int channel, int value)
{
    if (channel < 0 || channel > 2)
        return;
    m_sliders[size_t(channel)] = std::clamp(value, 0, sliderMaximum());
    if (m_selected < 0)
        return;
    const double s = m_table.step;
    m_table.cells[size_t(m_selected)] = makeColor(unsigned(int(m_sliders[0] * s)), unsigned(int(m_sliders[1] * s)),
                                                  unsigned(int(m_sliders[2] * s)));
}

void ColourPanelModel::deleteLast()
{
    if (!m_working.empty())
        m_working.pop_back();
}

bool ColourPanelModel::openFile(const QString &path)
{
    PaletteFileRead r = readPaletteFile(path, m_scanMode);
    if (r.error != PaletteFileRead::None) {
        m_prompt.inform(paletteReadErrorText(r.error), PromptIcon::Error);
        return false;
    }
    m_working = std::move(r.colours);
    return true;
}

bool ColourPanelModel::saveFile(const QString &path)
{
    QString reason;
    if (!writePaletteFile(path, m_working, m_scanMode, &reason)) {
        m_prompt.inform(paletteSaveErrorText(reason), PromptIcon::Error);
        return false;
    }
    return true;
}

bool ColourPanelModel::openWithDialog()
{
    const QString path = m_prompt.chooseOpenFile(captionText("CFButton", "OpenBtn", QStringLiteral("打开色板")),
                                                 paletteFileFilter(), paletteFolder());
    return !path.isEmpty() && openFile(path);
}

bool ColourPanelModel::saveWithDialog()
{
    const QString path =
        m_prompt.chooseSaveFile(captionText("CFButton", "SaveBtn", QStringLiteral("保存色板")), paletteFileFilter(),
                                m_projectPath.isEmpty() ? paletteFolder() + QStringLiteral("/")
                                                        : saveSuggestion(m_projectPath, QStringLiteral("col")),
                                QStringLiteral("col"));
    return !path.isEmpty() && saveFile(path);
}

bool ColourPanelModel::acceptInto(PaletteState &palette) const
{
    if (m_working.empty())
        return false;
    palette.colours.assign(m_working.begin(),
                           m_working.begin() + std::min<ptrdiff_t>(ptrdiff_t(m_working.size()), PaletteState::kMaxColours));
    return true;
}

QString ColourPanelModel::limitMessage()
{
    return captionText("Message", "PaletteTooMuchColor", QStringLiteral("调色板中颜色数量最多512种"));
}

QString ColourPanelModel::readout(ColorValue c)
{
    const QString format = pairedText(QStringLiteral("Red:%1,Green:%2,Blue:%3"), QStringLiteral("红:%1,绿:%2,蓝:%3"));
    return format.arg(redOf(c)).arg(greenOf(c)).arg(blueOf(c));
}

void colourPanelClosed(PaletteState &palette)
{
    palette.selected = 0;
    if (!palette.colours.empty())
        palette.currentColour = palette.colours.front();
}

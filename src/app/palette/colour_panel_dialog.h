#pragma once
// The colour panel ("调色板"): builds a new palette list from generated
// colour tables, the system colour dialog or a palette file. OK replaces
// the palette list when the working list holds at least one colour; the
// caller then selects the first entry whichever way the panel closed.

#include "palette/colour_panel_model.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

struct AppContext;
class ColourTableView;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QSlider;
class QSpinBox;
class WorkingListView;

class ColourPanelDialog : public QDialog
{
    Q_OBJECT
public:
    ColourPanelDialog(AppContext &ctx, QWidget *parent = nullptr);

    ColourPanelModel &model() { return m_model; }
    ColourTableView *tableView() const { return m_table; }
    QComboBox *modeBox() const { return m_mode; }
    QComboBox *gradeBox() const { return m_grade; }
    QSlider *slider(int channel) const { return m_sliders[size_t(channel)]; }
    QSpinBox *numberBox(int channel) const { return m_numbers[size_t(channel)]; }
    QPushButton *customStartButton() const { return m_startButton; }
    QPushButton *customEndButton() const { return m_endButton; }

    // The system colour dialog; tests replace it.
    std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)> pickColour;

    void accept() override;

private:
    QLayout *buildTableChoice();
    QLayout *buildSliders();
    QLayout *buildWorkingList();
    QLayout *buildConfirmRow();
    void pickCustomColour(bool start);

    void tableRebuilt();
    void showSliders();
    void sliderMoved(int channel, int value);
    void workingChanged();
    void showCustomColours();

    AppContext &m_ctx;
    ColourPanelModel m_model;
    QComboBox *m_mode = nullptr;
    QComboBox *m_grade = nullptr;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_endButton = nullptr;
    ColourTableView *m_table = nullptr;
    QLabel *m_readout = nullptr;
    std::array<QSlider *, 3> m_sliders{};
    std::array<QSpinBox *, 3> m_numbers{};
    WorkingListView *m_working = nullptr;
    QLabel *m_count = nullptr;
    bool m_syncing = false;
};

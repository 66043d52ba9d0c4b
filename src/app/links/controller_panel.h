#pragma once
// The controller panel (" Data " page of the tool bar): the one set of
// controller values of the running program, edited in place. Data
// generation and the USB output read the same ControllerParams the panel
// writes into.

#include "links/controller_params.h"

#include <QWidget>

class Document;
class Prompt;
class OrderListFollower;
class RgbOrderView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

class ControllerPanel : public QWidget
{
    Q_OBJECT
public:
    ControllerPanel(ControllerParams &params, Document &doc, Prompt &prompt, QWidget *parent = nullptr);

    // Labels and buttons in the active language: fixed Chinese and English
    // texts, the Chinese converted for traditional characters.
    void applyTexts();
    // Every control from the values.
    void showValues();

    // For the tests and the screenshots.
    QComboBox *modelBox() const { return m_model; }
    QComboBox *formatBox() const { return m_format; }
    QComboBox *greyBox() const { return m_grey; }
    QLineEdit *cycleEdit() const { return m_cycle; }
    QLabel *cycleNote() const { return m_cycleNote; }
    RgbOrderView *orderView() const { return m_order; }
    QPushButton *nullButton() const { return m_null; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *saveButton() const { return m_save; }

    void openParameterFile();
    void saveParameterFile();

private:
    QFormLayout *buildChoices();
    void buildHiddenControls(QVBoxLayout *layout);
    QGroupBox *buildOrderGroup();
    void connectControls();
    // Connects a control's change signal to `store`, which writes the
    // value into the set.
    template <class Value, class Control, class Signal, class Store>
    void storeEdits(Control *control, Signal signal, Store store);

    void cycleEdited(const QString &text);
    void showOrderList();

    ControllerParams &m_params;
    Document &m_doc;
    Prompt &m_prompt;
    OrderListFollower *m_follower;

    QLabel *m_modelLabel;
    QComboBox *m_model;
    QGroupBox *m_property;
    QSpinBox *m_dividerA;
    QSpinBox *m_dividerB;
    QDoubleSpinBox *m_rate;
    QLabel *m_greyLabel;
    QComboBox *m_grey;
    QLabel *m_formatLabel;
    QComboBox *m_format;
    QLabel *m_sdLabel;
    QSpinBox *m_sdSpeed;
    QCheckBox *m_scan;
    QGroupBox *m_orderGroup;
    QLabel *m_cycleLabel;
    QLineEdit *m_cycle;
    QLabel *m_cycleNote;
    RgbOrderView *m_order;
    QPushButton *m_null;
    QPushButton *m_open;
    QPushButton *m_save;
    bool m_showing = false;
};

#pragma once
// The output dialog ("led数据生成"): the frame range and speed of a data
// generation run. Confirm checks the values, asks for the file name and
// writes every port file; the dialog then closes.

#include "document/project_file.h" // FrameLoadProgress
#include "document/wiring.h"
#include "links/controller_params.h"
#include "output/port_data_files.h"

#include <QDialog>
#include <optional>

class Document;
class Prompt;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class OutputDialog : public QDialog
{
    Q_OBJECT
public:
    // `panel` is the controller panel's set: its values are copied now, its
    // grey levels and order list are read again when the files are written.
    OutputDialog(Document &doc, const ControllerParams &panel, CircuitryKind circuitry, Prompt &prompt,
                 QWidget *parent = nullptr);

    void setProgress(FrameLoadProgress progress) { m_progress = std::move(progress); }

    QLineEdit *fromEdit() const { return m_from; }
    QLineEdit *toEdit() const { return m_to; }
    QLineEdit *speedEdit() const { return m_speed; }
    QPushButton *confirmButton() const { return m_confirm; }
    // What the last confirm wrote; empty while nothing was written.
    std::optional<PortDataResult> result() const { return m_result; }

    void accept() override;

private:
    void applyTexts();

    Document &m_doc;
    const ControllerParams &m_panel;
    ControllerParams m_values;
    CircuitryKind m_circuitry;
    Prompt &m_prompt;
    FrameLoadProgress m_progress;
    std::optional<PortDataResult> m_result;

    QGroupBox *m_group;
    QLabel *m_fromLabel;
    QLabel *m_fromUnit;
    QLabel *m_toLabel;
    QLabel *m_toUnit;
    QLabel *m_speedLabel;
    QLabel *m_speedUnit;
    QLineEdit *m_from;
    QLineEdit *m_to;
    QLineEdit *m_speed;
    QPushButton *m_confirm;
    QPushButton *m_cancel;
};

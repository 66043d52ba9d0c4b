#pragma once
// The data send form: a range of the open document's frames, the screen
// type (rectangular or irregular), the tube model and count, streamed to
// the controller on the chosen serial port. The form stays open for
// further sends; Cancel closes it when no send runs.

#include "links/serial_transfer_form.h"

class Document;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class DataSendForm : public SerialTransferForm
{
    Q_OBJECT
public:
    DataSendForm(const Document &doc, Prompt &prompt, QWidget *parent = nullptr, std::shared_ptr<Clock> clock = {});

    QLineEdit *startEdit() const { return m_start; }
    QLineEdit *endEdit() const { return m_end; }
    QRadioButton *rectangularButton() const { return m_rectangular; }
    QRadioButton *irregularButton() const { return m_irregular; }
    QComboBox *tubeModelBox() const { return m_tubeModel; }
    QLineEdit *tubeCountEdit() const { return m_tubeCount; }
    QPushButton *sendButton() const { return m_send; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Loads every text for the current language; the tube model list is
    // refilled with its four texts and keeps its choice.
    void applyTexts();

    // The Send button.
    void send();

protected:
    void busyChanged(bool busy) override;

private:
    const Document &m_doc;
    QGroupBox *m_rangeGroup;
    QGroupBox *m_screenGroup;
    QGroupBox *m_ledGroup;
    QLabel *m_fromLabel;
    QLabel *m_fromUnit;
    QLabel *m_toLabel;
    QLabel *m_toUnit;
    QLabel *m_tubeModelLabel;
    QLabel *m_tubeCountLabel;
    QLineEdit *m_start;
    QLineEdit *m_end;
    QRadioButton *m_rectangular;
    QRadioButton *m_irregular;
    QComboBox *m_tubeModel;
    QLineEdit *m_tubeCount;
    QPushButton *m_send;
    QPushButton *m_cancel;
};

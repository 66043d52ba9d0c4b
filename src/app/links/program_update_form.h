#pragma once
// The program update form: sends the first 4,096 bytes of a controller
// program file to the controller on the chosen serial port.

#include "links/serial_transfer_form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class ProgramUpdateForm : public SerialTransferForm
{
    Q_OBJECT
public:
    ProgramUpdateForm(Prompt &prompt, QWidget *parent = nullptr, std::shared_ptr<Clock> clock = {});

    QLineEdit *pathEdit() const { return m_path; }
    QPushButton *browseButton() const { return m_browse; }
    QPushButton *updateButton() const { return m_update; }
    QPushButton *exitButton() const { return m_exit; }

    void applyTexts();

    // The buttons.
    void browse();
    void update();

    // "程序文件(*.bin)" and all files.
    static QString fileFilter();

protected:
    void busyChanged(bool busy) override;

private:
    QLabel *m_label;
    QLineEdit *m_path;
    QPushButton *m_browse;
    QPushButton *m_update;
    QPushButton *m_exit;
};

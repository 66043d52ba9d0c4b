#pragma once
// The serial port dialog ("串口设置"): the ports the system lists, each with
// the description and maker the system reports, in an editable box that
// also takes a full device path such as a pseudo-terminal's. Opening it
// already chooses the first port listed, even if the dialog is then
// cancelled; OK chooses the text in the box.

#include "serial/serial_port_list.h"

#include <QDialog>
#include <vector>

class Prompt;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class SerialPortDialog : public QDialog
{
    Q_OBJECT
public:
    // `ports` as availableSerialPorts() gives them. A port chosen earlier in
    // this run that the system does not list (a typed device path) heads
    // the list, so that opening the dialog again keeps it.
    SerialPortDialog(std::vector<SerialPortEntry> ports, Prompt &prompt, QWidget *parent = nullptr);

    // Device paths can be far longer than the ten characters of a port
    // name, so the box takes this many.
    static constexpr int kMaxNameLength = 255;

    QComboBox *portBox() const { return m_box; }
    QLabel *detailsLabel() const { return m_details; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void accept() override;

private:
    void showDetails();

    std::vector<SerialPortEntry> m_ports;
    QGroupBox *m_group;
    QComboBox *m_box;
    QLabel *m_details;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

// "没有可用的串口!" as the port dialog shows it (its own Chinese text in the
// Chinese interface).
QString portDialogNoPortText();

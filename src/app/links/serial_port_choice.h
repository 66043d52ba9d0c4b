#pragma once
// The serial port chosen in the port dialog: one name for the whole run of
// the program, empty until the dialog has been opened. It is not kept in
// the settings file.

#include <QString>

QString &serialPortName();

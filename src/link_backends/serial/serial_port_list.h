#pragma once
// The serial ports the system knows, as the port dialog lists them.

#include <QString>
#include <vector>

struct SerialPortEntry
{
    QString name;         // "ttyUSB0": what the port is opened by
    QString description;  // "USB-Serial Controller", as the system reports it; may be empty
    QString manufacturer; // "Prolific Technology Inc."; may be empty

    // "USB-Serial Controller (Prolific Technology Inc.)", or whichever of the
    // two the system gave, or nothing.
    QString details() const;
};

// In the system's order.
std::vector<SerialPortEntry> availableSerialPorts();

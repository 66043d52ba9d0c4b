#include "serial/serial_port_list.h"

#include <QSerialPortInfo>

QString SerialPortEntry::details() const
{
    if (description.isEmpty())
        return manufacturer;
    if (manufacturer.isEmpty() || manufacturer == description)
        return description;
    return QStringLiteral("%1 (%2)").arg(description, manufacturer);
}

std::vector<SerialPortEntry> availableSerialPorts()
{
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName(), info.description(), info.manufacturer()});
    return ports;
}

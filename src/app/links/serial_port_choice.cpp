#include "links/serial_port_choice.h"

QString &serialPortName()
{
    static QString name;
    return name;
}

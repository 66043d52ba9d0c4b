#pragma once
// The controller's serial port: 57600 baud, 8 data bits, no parity, two
// stop bits. A port is named as the system lists it ("ttyUSB0", "ttyS0")
// or by its full device path ("/dev/pts/3"), so that a pseudo-terminal
// with a simulated controller works as well.
//
// A QSerialPort belongs to the thread that created it: make, use and
// destroy a SerialPortLink on one thread.

#include "links/serial/transfer_protocol.h"

#include <QSerialPort>
#include <QString>

class SerialPortLink : public Link
{
public:
    SerialPortLink();
    ~SerialPortLink() override;

    // Opens `portName` and sets the line; false, with the system's reason
    // in `reason`, when it cannot. Whatever was open before is closed.
    bool open(const QString &portName, QString *reason = nullptr);
    void close();

    bool isOpen() const override;
    bool write(std::span<const uint8_t> packet) override;
    uint8_t readReply() override;

    // A packet must have gone out within 10 ms per byte plus 20 ms.
    static int writeTimeout(size_t bytes) { return int(bytes) * 10 + 20; }

private:
    // Moves whatever the system has received into the port's buffer.
    void takeIn();

    QSerialPort m_port;
};

// "打开%s失败!" with the port name.
QString openPortFailureText(const QString &portName);
// "没有可用的串口!"
QString noPortText();

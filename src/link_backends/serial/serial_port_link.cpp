#include "serial/serial_port_link.h"

#include "settings/language.h"

SerialPortLink::SerialPortLink() = default;
SerialPortLink::~SerialPortLink() = default;

bool SerialPortLink::open(const QString &portName, QString *reason)
{
    close();
    // Qt takes a name with a slash as the device path and puts "/dev/" in
    // front of any other name.
    m_port.setPortName(portName);
    const bool ok = m_port.open(QIODevice::ReadWrite) && m_port.setBaudRate(QSerialPort::Baud57600)
                    && m_port.setDataBits(QSerialPort::Data8) && m_port.setParity(QSerialPort::NoParity)
                    && m_port.setStopBits(QSerialPort::TwoStop)
                    && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        if (reason)
            *reason = m_port.errorString();
        close();
        return false;
    }
    m_port.clear(QSerialPort::AllDirections);
    return true;
}

void SerialPortLink::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool SerialPortLink::isOpen() const
{
    return m_port.isOpen();
}

void SerialPortLink::takeIn()
{
    // A zero wait only collects what has already arrived; a few rounds are
    // enough for anything a controller sends between two packets.
    for (int i = 0; i < 4 && m_port.waitForReadyRead(0); ++i) {
    }
}

bool SerialPortLink::write(std::span<const uint8_t> packet)
{
    if (!m_port.isOpen())
        return false;
    // A reply that came too late, or anything else the controller sent, is
    // not an answer to this packet.
    takeIn();
    m_port.clear(QSerialPort::Input);
    m_port.clearError();
    const qint64 n = m_port.write(reinterpret_cast<const char *>(packet.data()), qint64(packet.size()));
    if (n != qint64(packet.size()))
        return false;
    const int timeout = writeTimeout(packet.size());
    while (m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(timeout))
            return false; // still pending (or the device went away): this packet failed
    }
    return m_port.error() == QSerialPort::NoError;
}

uint8_t SerialPortLink::readReply()
{
    if (!m_port.isOpen())
        return 0;
    takeIn();
    m_port.clearError(); // a zero wait that found nothing leaves a time-out error behind
    // Exactly one waiting byte is a reply; more are not, and the next write
    // throws them away.
    if (m_port.bytesAvailable() != 1)
        return 0;
    char c = 0;
    return m_port.read(&c, 1) == 1 ? uint8_t(c) : 0;
}

QString openPortFailureText(const QString &portName)
{
    const QString builtIn = QStringLiteral("打开%s失败!");
    return formatText(LanguageText("Message", "OpenComFailure", builtIn), builtIn, {portName});
}

QString noPortText()
{
    return LanguageText("Message", "NoAvailableCom", QStringLiteral("没有可用的串口!"));
}

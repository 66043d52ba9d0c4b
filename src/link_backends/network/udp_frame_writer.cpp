#include "udp_frame_writer.h"

#include <QHostInfo>
#include <QVariant>

UdpFrameWriter::UdpFrameWriter(const NetworkTarget &target) : m_target(target), m_builder(target.packets) {}

bool UdpFrameWriter::open(QString *error)
{
    const bool multicastOnly = m_target.packets.protocol == NetworkProtocol::E131 && m_target.packets.multicast;
    if (!multicastOnly) {
        const QString host = m_target.host.trimmed();
        if (!m_host.setAddress(host)) {
            const QHostInfo info = QHostInfo::fromName(host);
            for (const QHostAddress &a : info.addresses()) {
                if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                    m_host = a;
                    break;
                }
            }
            if (m_host.isNull()) {
                if (error)
                    *error = host;
                return false;
            }
        }
    }
    // An unbound socket gets a port of its own on the first write; bound
    // now, so that a receiver sees one source for the whole run.
    m_socket.bind(QHostAddress::AnyIPv4, 0);
    // Multicast stays on the local network and reaches receivers on this
    // machine too.
    m_socket.setSocketOption(QAbstractSocket::MulticastTtlOption, QVariant(1));
    m_socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, QVariant(1));
    return true;
}

bool UdpFrameWriter::send(const NetworkFrame &frame)
{
    m_builder.build(frame.universes, frame.channels.data(), int(frame.channels.size()), m_datagrams);
    bool whole = true;
    for (const NetworkDatagram &d : m_datagrams) {
        const QHostAddress to = d.group != 0 ? QHostAddress(d.group) : m_host;
        const qint64 written = m_socket.writeDatagram(d.bytes, to, quint16(m_target.port));
        if (written == d.bytes.size()) {
            ++m_datagramsSent;
        } else {
            ++m_datagramsFailed;
            whole = false;
        }
    }
    return whole;
}

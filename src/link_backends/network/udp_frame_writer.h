#pragma once
// Sends one frame's datagrams to the receiver over UDP: resolves the host
// once, builds the packets of the protocol (keeping its sequence numbers)
// and writes them without waiting. A datagram the system will not take is
// counted and the frame goes on; nothing here ever blocks for the network.
//
// Lives on one thread: the one that made it.

#include "output/network/network_output_map.h"
#include "output/network/network_packet_builder.h"

#include <QHostAddress>
#include <QString>
#include <QUdpSocket>
#include <cstdint>
#include <vector>

struct NetworkTarget
{
    NetworkPacketOptions packets;
    QString host; // name or address; unused for E1.31 multicast
    int port = 5568;
};

// One frame as the editor hands it over: where the universes lie in the
// linear range, and the range's bytes.
struct NetworkFrame
{
    std::vector<NetworkUniverseSlice> universes;
    std::vector<uint8_t> channels;
};

class UdpFrameWriter
{
public:
    explicit UdpFrameWriter(const NetworkTarget &target);

    // Finds the host (a name is looked up, which may take a moment) and
    // opens the socket. False, with the reason, when the host is unknown.
    bool open(QString *error);

    // Builds and writes the frame's datagrams; false when any of them was
    // not taken whole.
    bool send(const NetworkFrame &frame);

    const NetworkPacketBuilder &builder() const { return m_builder; }
    uint64_t datagramsSent() const { return m_datagramsSent; }
    uint64_t datagramsFailed() const { return m_datagramsFailed; }

private:
    NetworkTarget m_target;
    QHostAddress m_host;
    QUdpSocket m_socket;
    NetworkPacketBuilder m_builder;
    std::vector<NetworkDatagram> m_datagrams;
    uint64_t m_datagramsSent = 0;
    uint64_t m_datagramsFailed = 0;
};

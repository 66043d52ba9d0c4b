#pragma once
// Turns one frame's channels into the datagrams of the chosen protocol and
// keeps the sequence numbers that run from frame to frame: one per universe
// for E1.31 and Art-Net, one for the synchronisation packets, one per frame
// for DDP. The sender owns one builder per output run.

#include "output/network/network_output_map.h"
#include "output/network/network_packets.h"

#include <QByteArray>
#include <unordered_map>
#include <vector>

struct NetworkDatagram
{
    QByteArray bytes;
    // A multicast group (host-order IPv4) for E1.31 multicast; 0: the host
    // the output is set to.
    uint32_t group = 0;
};

struct NetworkPacketOptions
{
    NetworkProtocol protocol = NetworkProtocol::E131;
    E131Cid cid{};
    bool multicast = false; // E1.31 only: each universe to its own group
    // E1.31: data packets name the first universe as their synchronisation
    // address and a synchronisation packet follows each frame; Art-Net:
    // ArtSync follows each frame. DDP needs none: its push flag does it.
    bool sync = false;
};

class NetworkPacketBuilder
{
public:
    explicit NetworkPacketBuilder(const NetworkPacketOptions &options = {}) : m_options(options) {}

    const NetworkPacketOptions &options() const { return m_options; }

    // The datagrams of one frame, in sending order, into `out` (cleared
    // first). Universes outside the protocol's range are left out.
    void build(const std::vector<NetworkUniverseSlice> &universes, const uint8_t *channels, int totalChannels,
               std::vector<NetworkDatagram> &out);

    // The sequence number the last packet of `universe` carried (DDP: of
    // the last frame, whatever the universe); 0 before any.
    int lastSequence(int universe) const;

private:
    void buildE131(const std::vector<NetworkUniverseSlice> &universes, const uint8_t *channels,
                   std::vector<NetworkDatagram> &out);
    void buildArtNet(const std::vector<NetworkUniverseSlice> &universes, const uint8_t *channels,
                     std::vector<NetworkDatagram> &out);
    void buildDdp(const uint8_t *channels, int totalChannels, std::vector<NetworkDatagram> &out);

    NetworkPacketOptions m_options;
    // Per universe: the sequence number of its last packet.
    std::unordered_map<int, uint8_t> m_last;
    bool m_syncStarted = false;
    uint8_t m_syncSequence = 0;
    uint8_t m_ddpSequence = 0;
};

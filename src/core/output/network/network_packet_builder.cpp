#include "output/network/network_packet_builder.h"

#include <algorithm>

void NetworkPacketBuilder::build(const std::vector<NetworkUniverseSlice> &universes, const uint8_t *channels,
                                 int totalChannels, std::vector<NetworkDatagram> &out)
{
    out.clear();
    switch (m_options.protocol) {
    case NetworkProtocol::E131: buildE131(universes, channels, out); break;
    case NetworkProtocol::ArtNet: buildArtNet(universes, channels, out); break;
    case NetworkProtocol::Ddp: buildDdp(channels, totalChannels, out); break;
    }
}

void NetworkPacketBuilder::buildE131(const std::vector<NetworkUniverseSlice> &universes, const uint8_t *channels,
                                     std::vector<NetworkDatagram> &out)
{
    int syncAddress = 0;
    for (const NetworkUniverseSlice &u : universes) {
        if (u.universe < kE131FirstUniverse || u.universe > kE131LastUniverse)
            continue;
        if (m_options.sync && syncAddress == 0)
            syncAddress = u.universe;
        // The first packet of a universe carries 0, then 1, 2, ... round.
        auto [it, first] = m_last.try_emplace(u.universe, uint8_t(0));
        if (!first)
            it->second = nextE131Sequence(it->second);
        NetworkDatagram d;
        d.bytes = e131DataPacket(m_options.cid, it->second, u.universe, channels + u.offset,
                                 std::min(u.channels, kE131MaxSlots), syncAddress);
        d.group = m_options.multicast ? e131MulticastGroup(u.universe) : 0;
        out.push_back(std::move(d));
    }
    if (syncAddress != 0) {
        m_syncSequence = m_syncStarted ? nextE131Sequence(m_syncSequence) : 0;
        m_syncStarted = true;
        out.push_back({e131SyncPacket(m_options.cid, m_syncSequence, syncAddress),
                       m_options.multicast ? e131MulticastGroup(syncAddress) : 0});
    }
}

void NetworkPacketBuilder::buildArtNet(const std::vector<NetworkUniverseSlice> &universes, const uint8_t *channels,
                                       std::vector<NetworkDatagram> &out)
{
    for (const NetworkUniverseSlice &u : universes) {
        if (u.universe < 0 || u.universe > kArtNetLastPortAddress)
            continue;
        auto [it, first] = m_last.try_emplace(u.universe, uint8_t(1));
        if (!first)
            it->second = nextArtNetSequence(it->second);
        out.push_back({artDmxPacket(it->second, u.universe, channels + u.offset, std::min(u.channels, 512)), 0});
    }
    if (m_options.sync && !out.empty())
        out.push_back({artSyncPacket(), 0});
}

void NetworkPacketBuilder::buildDdp(const uint8_t *channels, int totalChannels, std::vector<NetworkDatagram> &out)
{
    if (totalChannels <= 0)
        return;
    m_ddpSequence = nextDdpSequence(m_ddpSequence);
    for (int offset = 0; offset < totalChannels; offset += kDdpMaxDataBytes) {
        const int count = std::min(kDdpMaxDataBytes, totalChannels - offset);
        const bool last = offset + count >= totalChannels;
        out.push_back({ddpPacket(m_ddpSequence, uint32_t(offset), channels + offset, count, last), 0});
    }
}

int NetworkPacketBuilder::lastSequence(int universe) const
{
    if (m_options.protocol == NetworkProtocol::Ddp)
        return m_ddpSequence;
    const auto it = m_last.find(universe);
    return it == m_last.end() ? 0 : it->second;
}

#include "output/network/network_output_map.h"

#include <algorithm>

int defaultNetworkPort(NetworkProtocol protocol)
{
    switch (protocol) {
    case NetworkProtocol::ArtNet: return 6454;
    case NetworkProtocol::Ddp: return 4048;
    case NetworkProtocol::E131: break;
    }
    return 5568;
}

QString networkProtocolName(NetworkProtocol protocol)
{
    switch (protocol) {
    case NetworkProtocol::ArtNet: return QStringLiteral("Art-Net");
    case NetworkProtocol::Ddp: return QStringLiteral("DDP");
    case NetworkProtocol::E131: break;
    }
    return QStringLiteral("E1.31 (sACN)");
}

NetworkOutputMap::NetworkOutputMap(const Wiring &wiring, int rows, int cols, const NetworkMapLayout &layout)
{
    if (rows <= 0 || cols <= 0 || wiring.kind() == CircuitryKind::Neon || wiring.count() == 0)
        return;
    m_channels = FseqChannelMap::fromWiring(wiring, rows, cols, layout.order);
    if (!m_channels)
        return;
    const int perUniverse = std::clamp(layout.pixelsPerUniverse, 1, 170);
    int universe = layout.startUniverse;
    int usedInUniverse = 0; // pixels already in `universe`
    for (const FseqPortSpan &span : m_channels->ports()) {
        if (span.pixelCount == 0)
            continue;
        if (layout.portStartsUniverse && usedInUniverse > 0) {
            ++universe;
            usedInUniverse = 0;
        }
        NetworkPortPlacement place;
        place.port = span.port;
        place.pixels = int(span.pixelCount);
        place.offset = int(span.firstChannel);
        int offset = place.offset;
        for (int left = place.pixels; left > 0;) {
            if (usedInUniverse == perUniverse) {
                ++universe;
                usedInUniverse = 0;
            }
            if (usedInUniverse == 0)
                m_universes.push_back({universe, offset, 0});
            const int take = std::min(left, perUniverse - usedInUniverse);
            if (left == place.pixels) {
                place.firstUniverse = universe;
                place.firstChannel = usedInUniverse * 3 + 1;
            }
            usedInUniverse += take;
            left -= take;
            offset += 3 * take;
            m_universes.back().channels += 3 * take;
            place.lastUniverse = universe;
            place.lastChannel = usedInUniverse * 3;
        }
        m_ports.push_back(place);
    }
}

void NetworkOutputMap::fill(const Frame &frame, std::vector<uint8_t> &out) const
{
    out.resize(size_t(totalChannels()));
    if (m_channels && !out.empty())
        m_channels->fill(frame, out.data());
}

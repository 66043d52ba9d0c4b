#pragma once
// Where each wired lamp's three channels go on the network. The channels
// are those of an FSEQ sequence of the same wiring: ports in port order,
// pixels in pixel-number order within a port, three channels per pixel in
// the chosen colour order, one linear range (what DDP sends as byte
// offsets). For E1.31 and Art-Net that range is cut into universes of at
// most `pixelsPerUniverse` pixels, a port starting a new universe unless
// ports share them.
//
// The map is built once per wiring and settings; filling it with a frame is
// one pass over the wired points, cheap enough for every playback step.

#include "output/fseq/fseq_channel_map.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

enum class NetworkProtocol { E131 = 0, ArtNet = 1, Ddp = 2 };

// The UDP port each protocol is received on.
int defaultNetworkPort(NetworkProtocol protocol);
QString networkProtocolName(NetworkProtocol protocol);

struct NetworkMapLayout
{
    int startUniverse = 1;
    int pixelsPerUniverse = 170; // 1..170: a universe holds at most 512 channels
    bool portStartsUniverse = true;
    ChannelOrder order;

    bool operator==(const NetworkMapLayout &) const = default;
};

// One universe's slice of the linear range.
struct NetworkUniverseSlice
{
    int universe = 0;
    int offset = 0;   // first byte in the linear range
    int channels = 0; // bytes (3 per pixel)
};

// One port's place: its pixels, where its first and last channel land.
struct NetworkPortPlacement
{
    int port = 0;   // counted from 0
    int pixels = 0; // highest pixel number + 1
    int offset = 0; // first byte in the linear range
    int firstUniverse = 0;
    int firstChannel = 0; // within its universe, counted from 1
    int lastUniverse = 0;
    int lastChannel = 0;
};

class NetworkOutputMap
{
public:
    NetworkOutputMap() = default;
    // An LED wiring's ports that carry points; ports without any take no
    // channel and no universe. A neon wiring, an empty one, or one with more
    // channels than a sequence holds gives an empty map.
    NetworkOutputMap(const Wiring &wiring, int rows, int cols, const NetworkMapLayout &layout);

    const std::vector<NetworkPortPlacement> &ports() const { return m_ports; }
    const std::vector<NetworkUniverseSlice> &universes() const { return m_universes; }
    int totalChannels() const { return m_channels ? int(m_channels->channelCount()) : 0; }
    bool empty() const { return totalChannels() == 0; }

    // The linear range for `frame`: totalChannels() bytes into `out`,
    // resized as needed. Points outside the frame read as black.
    void fill(const Frame &frame, std::vector<uint8_t> &out) const;

private:
    std::optional<FseqChannelMap> m_channels;
    std::vector<NetworkPortPlacement> m_ports;
    std::vector<NetworkUniverseSlice> m_universes;
};

#pragma once
// The network output's choices as the settings file keeps them, in section
// "Network": protocol, host, multicast, port, universes, colour order,
// frame rate, synchronisation, the enable switch, and the CID that names
// this installation to E1.31 receivers (made once, then kept).

#include "output/network/network_output_map.h"
#include "output/network/network_packets.h"

#include <QString>

class ProfileFile;

struct NetworkOutputSettings
{
    bool enabled = false;
    NetworkProtocol protocol = NetworkProtocol::E131;
    QString host;
    bool multicast = true; // E1.31: to 239.255.hi.lo of each universe instead of the host
    int port = 0;          // 0: the protocol's own
    NetworkMapLayout layout;
    int framesPerSecond = 40; // the most frames sent per second
    bool sync = false;
    QString cid; // text form of a UUID

    static constexpr int kMaxFramesPerSecond = 240;

    int effectivePort() const { return port > 0 ? port : defaultNetworkPort(protocol); }
    // E1.31 multicast needs no host; everything else does.
    bool needsHost() const { return !(protocol == NetworkProtocol::E131 && multicast); }
    bool operator==(const NetworkOutputSettings &) const = default;
};

NetworkOutputSettings readNetworkOutputSettings(const ProfileFile &file);
void writeNetworkOutputSettings(ProfileFile &file, const NetworkOutputSettings &settings);

// The settings of the file at `path` (defaults when it is missing).
NetworkOutputSettings loadNetworkOutputSettings(const QString &path);
// Writes section "Network" and keeps the rest of the file; false when the
// file exists but cannot be read, or cannot be written.
bool saveNetworkOutputSettings(const QString &path, const NetworkOutputSettings &settings);

// Gives `settings` a new CID when it has none that parses; true when it did.
bool ensureNetworkCid(NetworkOutputSettings &settings);
E131Cid networkCid(const NetworkOutputSettings &settings);

// The first universe each protocol allows and the last.
int firstNetworkUniverse(NetworkProtocol protocol);
int lastNetworkUniverse(NetworkProtocol protocol);

// Why the output cannot start with these settings, or empty when it can.
QString networkSettingsRefusal(const NetworkOutputSettings &settings);
// Why `map` cannot go out whole over `protocol`: the wiring needs universes
// past the last one the protocol carries, and a receiver would get only
// part of it. Empty when every universe fits (DDP has none). The editor and
// the command line refuse with this same text.
QString networkMapRefusal(const NetworkOutputMap &map, NetworkProtocol protocol);

namespace NetworkOutputText {
QString hostMissing();
QString universeOutOfRange(int universe, int first, int last);
QString universesBeyondRange(int needed, int first, int last);
} // namespace NetworkOutputText

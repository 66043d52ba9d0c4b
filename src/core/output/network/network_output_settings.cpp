#include "output/network/network_output_settings.h"

#include "settings/language.h"
#include "settings/profile_file.h"

#include <QUuid>
#include <algorithm>

namespace {

const QString kNetworkSection = QStringLiteral("Network");

int readNetworkInt(const ProfileFile &file, const char *key, int fallback, int low, int high)
{
    return std::clamp(file.readInt(kNetworkSection, QString::fromLatin1(key), fallback), low, high);
}

} // namespace

NetworkOutputSettings readNetworkOutputSettings(const ProfileFile &file)
{
    NetworkOutputSettings s;
    s.enabled = readNetworkInt(file, "Enabled", 0, 0, 1) != 0;
    s.protocol = NetworkProtocol(readNetworkInt(file, "Protocol", 0, 0, 2));
    s.host = file.readText(kNetworkSection, QStringLiteral("Host"), QString()).trimmed();
    s.multicast = readNetworkInt(file, "Multicast", 1, 0, 1) != 0;
    s.port = readNetworkInt(file, "Port", 0, 0, 65535);
    s.layout.startUniverse = readNetworkInt(file, "StartUniverse", 1, 0, kE131LastUniverse);
    s.layout.pixelsPerUniverse = readNetworkInt(file, "PixelsPerUniverse", 170, 1, 170);
    s.layout.portStartsUniverse = readNetworkInt(file, "PortStartsUniverse", 1, 0, 1) != 0;
    s.layout.order = ChannelOrder::parse(file.readText(kNetworkSection, QStringLiteral("ChannelOrder"), QString()))
                         .value_or(ChannelOrder());
    s.framesPerSecond = readNetworkInt(file, "FrameRate", 40, 1, NetworkOutputSettings::kMaxFramesPerSecond);
    s.sync = readNetworkInt(file, "Sync", 0, 0, 1) != 0;
    s.cid = file.readText(kNetworkSection, QStringLiteral("Cid"), QString()).trimmed();
    return s;
}

void writeNetworkOutputSettings(ProfileFile &file, const NetworkOutputSettings &s)
{
    const auto put = [&file](const char *key, int value) {
        file.write(kNetworkSection, QString::fromLatin1(key), QString::number(value));
    };
    put("Enabled", s.enabled ? 1 : 0);
    put("Protocol", int(s.protocol));
    file.write(kNetworkSection, QStringLiteral("Host"), s.host);
    put("Multicast", s.multicast ? 1 : 0);
    put("Port", s.port);
    put("StartUniverse", s.layout.startUniverse);
    put("PixelsPerUniverse", s.layout.pixelsPerUniverse);
    put("PortStartsUniverse", s.layout.portStartsUniverse ? 1 : 0);
    file.write(kNetworkSection, QStringLiteral("ChannelOrder"), s.layout.order.name());
    put("FrameRate", s.framesPerSecond);
    put("Sync", s.sync ? 1 : 0);
    file.write(kNetworkSection, QStringLiteral("Cid"), s.cid);
}

NetworkOutputSettings loadNetworkOutputSettings(const QString &path)
{
    return readNetworkOutputSettings(ProfileFile::load(path));
}

bool saveNetworkOutputSettings(const QString &path, const NetworkOutputSettings &settings)
{
    ProfileFile::LoadStatus status;
    ProfileFile file = ProfileFile::load(path, &status);
    if (status == ProfileFile::LoadStatus::Unreadable)
        return false;
    writeNetworkOutputSettings(file, settings);
    return file.save(path);
}

bool ensureNetworkCid(NetworkOutputSettings &settings)
{
    E131Cid cid;
    if (e131CidFromText(settings.cid, cid))
        return false;
    settings.cid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return true;
}

E131Cid networkCid(const NetworkOutputSettings &settings)
{
    E131Cid cid{};
    e131CidFromText(settings.cid, cid);
    return cid;
}

int firstNetworkUniverse(NetworkProtocol protocol) { return protocol == NetworkProtocol::E131 ? kE131FirstUniverse : 0; }

int lastNetworkUniverse(NetworkProtocol protocol)
{
    return protocol == NetworkProtocol::E131 ? kE131LastUniverse : kArtNetLastPortAddress;
}

QString networkSettingsRefusal(const NetworkOutputSettings &s)
{
    if (s.needsHost() && s.host.isEmpty())
        return NetworkOutputText::hostMissing();
    if (s.protocol != NetworkProtocol::Ddp) {
        const int first = firstNetworkUniverse(s.protocol);
        const int last = lastNetworkUniverse(s.protocol);
        if (s.layout.startUniverse < first || s.layout.startUniverse > last)
            return NetworkOutputText::universeOutOfRange(s.layout.startUniverse, first, last);
    }
    return {};
}

QString networkMapRefusal(const NetworkOutputMap &map, NetworkProtocol protocol)
{
    if (protocol == NetworkProtocol::Ddp || map.universes().empty())
        return {};
    // Universes run upwards from the start universe.
    const int needed = map.universes().back().universe;
    const int last = lastNetworkUniverse(protocol);
    if (needed <= last)
        return {};
    return NetworkOutputText::universesBeyondRange(needed, firstNetworkUniverse(protocol), last);
}

namespace NetworkOutputText {

QString hostMissing()
{
    return lookedUpText("NetworkOutput", "HostMissing", QStringLiteral("请输入接收设备的地址（主机名或 IP 地址）。"),
                        QStringLiteral("Enter the address of the receiver (host name or IP address)."));
}

QString universeOutOfRange(int universe, int first, int last)
{
    const QString english = QStringLiteral("Universe %d cannot be sent: this protocol carries universes %d to %d.");
    const QString chinese = QStringLiteral("无法发送 Universe %d：此协议的 Universe 范围是 %d 到 %d。");
    return formatText(lookedUpText("NetworkOutput", "UniverseOutOfRange", chinese, english),
                      threeWayText(english, chinese), {universe, first, last});
}

QString universesBeyondRange(int needed, int first, int last)
{
    const QString english =
        QStringLiteral("The wiring needs universes up to %d, but this protocol carries universes %d to %d.");
    const QString chinese = QStringLiteral("线路需要用到 Universe %d，但此协议的 Universe 范围是 %d 到 %d。");
    return formatText(lookedUpText("NetworkOutput", "UniversesBeyondRange", chinese, english),
                      threeWayText(english, chinese), {needed, first, last});
}

} // namespace NetworkOutputText

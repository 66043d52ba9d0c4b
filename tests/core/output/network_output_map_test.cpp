#include "../wiring/wiring_test_support.h"
#include "document/frame.h"
#include "document/wiring.h"
#include "output/network/network_output_map.h"
#include "output/network/network_output_settings.h"
#include "settings/language.h"
#include "settings/profile_file.h"

#include <gtest/gtest.h>

namespace {

using MapBytes = std::vector<uint8_t>;

// A 4 x 3 grid, colour of point i: red 10 i + 1, green 10 i + 2, blue 10 i + 3.
// Port 0: pixels 0..2 on the top row. Port 1: nothing. Port 2: pixels 0 and
// 2 (pixel 1 missing) on the middle row. Port 4: pixel 0 at the bottom left,
// and pixel 1 on a record outside the grid, which stays black.
struct GappedWiring
{
    static constexpr int kRows = 3;
    static constexpr int kCols = 4;
    Frame frame{kRows * kCols};
    Wiring wiring;

    GappedWiring()
    {
        for (int i = 0; i < kRows * kCols; ++i)
            frame[size_t(i)] = makeColor(10 * i + 1, 10 * i + 2, 10 * i + 3);
        wiring.resetCellMap(kRows, kCols);
        for (int k = 0; k < 3; ++k)
            wiring.append(wiredAt(k, 0, 0, k));
        wiring.append(wiredAt(0, 1, 2, 0));
        wiring.append(wiredAt(2, 1, 2, 2));
        wiring.append(wiredAt(0, 2, 4, 0));
        wiring.append(wiredAt(9, 9, 4, 1));
    }

    MapBytes fill(const NetworkMapLayout &layout) const
    {
        MapBytes out;
        NetworkOutputMap(wiring, kRows, kCols, layout).fill(frame, out);
        return out;
    }
};

TEST(NetworkOutputMap, ThreePortsWithGapsPortByPortInPixelOrder)
{
    GappedWiring g;
    NetworkMapLayout layout;
    layout.startUniverse = 7;
    const NetworkOutputMap map(g.wiring, g.kRows, g.kCols, layout);
    ASSERT_EQ(map.ports().size(), 3u);
    EXPECT_EQ(map.totalChannels(), (3 + 3 + 2) * 3);

    const NetworkPortPlacement &p0 = map.ports()[0];
    EXPECT_EQ(p0.port, 0);
    EXPECT_EQ(p0.pixels, 3);
    EXPECT_EQ(p0.firstUniverse, 7);
    EXPECT_EQ(p0.firstChannel, 1);
    EXPECT_EQ(p0.lastChannel, 9);
    const NetworkPortPlacement &p2 = map.ports()[1];
    EXPECT_EQ(p2.port, 2);
    EXPECT_EQ(p2.pixels, 3);
    EXPECT_EQ(p2.offset, 9);
    EXPECT_EQ(p2.firstUniverse, 8); // a port starts a new universe
    EXPECT_EQ(p2.firstChannel, 1);
    const NetworkPortPlacement &p4 = map.ports()[2];
    EXPECT_EQ(p4.port, 4);
    EXPECT_EQ(p4.pixels, 2);
    EXPECT_EQ(p4.firstUniverse, 9);
    EXPECT_EQ(p4.lastChannel, 6);

    ASSERT_EQ(map.universes().size(), 3u);
    EXPECT_EQ(map.universes()[1].universe, 8);
    EXPECT_EQ(map.universes()[1].offset, 9);
    EXPECT_EQ(map.universes()[1].channels, 9);

    const MapBytes expected = {
        1,  2,  3,  11, 12, 13, 21, 22, 23, // port 0: points 0, 1, 2
        41, 42, 43, 0,  0,  0,  61, 62, 63, // port 2: point 4, the missing pixel, point 6
        81, 82, 83, 0,  0,  0,              // port 4: point 8, the point outside the grid
    };
    EXPECT_EQ(g.fill(layout), expected);
}

TEST(NetworkOutputMap, SharedUniversesAndColourOrder)
{
    GappedWiring g;
    NetworkMapLayout layout;
    layout.portStartsUniverse = false;
    layout.pixelsPerUniverse = 2;
    layout.order = *ChannelOrder::parse(QStringLiteral("gbr"));
    const NetworkOutputMap map(g.wiring, g.kRows, g.kCols, layout);
    // Eight pixels two by two: universes 1..4.
    ASSERT_EQ(map.universes().size(), 4u);
    EXPECT_EQ(map.universes()[3].universe, 4);
    EXPECT_EQ(map.universes()[3].offset, 18);
    EXPECT_EQ(map.universes()[3].channels, 6);
    EXPECT_EQ(map.ports()[1].firstUniverse, 2);
    EXPECT_EQ(map.ports()[1].firstChannel, 4);
    EXPECT_EQ(map.ports()[1].lastUniverse, 3);
    EXPECT_EQ(map.ports()[1].lastChannel, 6);
    const MapBytes bytes = g.fill(layout);
    EXPECT_EQ(MapBytes(bytes.begin(), bytes.begin() + 6), (MapBytes{2, 3, 1, 12, 13, 11}));
    EXPECT_EQ(MapBytes(bytes.begin() + 18, bytes.begin() + 21), (MapBytes{82, 83, 81}));

    layout.order = *ChannelOrder::parse(QStringLiteral("brg"));
    const MapBytes brg = g.fill(layout);
    EXPECT_EQ(MapBytes(brg.begin(), brg.begin() + 3), (MapBytes{3, 1, 2}));
}

TEST(NetworkOutputMap, OneHundredSeventyPixelsPerUniverse)
{
    // One port of 400 pixels along a single row.
    const int cols = 400;
    Wiring wiring;
    wiring.resetCellMap(1, cols);
    for (int k = 0; k < cols; ++k)
        wiring.append(wiredAt(k, 0, 0, k));
    const NetworkOutputMap map(wiring, 1, cols, NetworkMapLayout{});
    ASSERT_EQ(map.universes().size(), 3u);
    EXPECT_EQ(map.universes()[0].channels, 510);
    EXPECT_EQ(map.universes()[1].offset, 510);
    EXPECT_EQ(map.universes()[1].channels, 510);
    EXPECT_EQ(map.universes()[2].universe, 3);
    EXPECT_EQ(map.universes()[2].channels, 60 * 3);
    EXPECT_EQ(map.ports()[0].lastUniverse, 3);
    EXPECT_EQ(map.ports()[0].lastChannel, 180);

    Frame frame(cols);
    frame[170] = makeColor(9, 8, 7); // the first pixel of the second universe
    MapBytes out;
    map.fill(frame, out);
    EXPECT_EQ(out[510], 9);
    EXPECT_EQ(out[512], 7);
    EXPECT_EQ(out[509], 0);
}

TEST(NetworkOutputMap, EmptyWiringAndShortFrameSendNothing)
{
    Wiring wiring;
    wiring.resetCellMap(2, 2);
    const NetworkOutputMap map(wiring, 2, 2, NetworkMapLayout{});
    EXPECT_TRUE(map.empty());
    EXPECT_TRUE(map.universes().empty());

    GappedWiring g;
    const NetworkOutputMap full(g.wiring, g.kRows, g.kCols, NetworkMapLayout{});
    MapBytes out;
    full.fill(Frame(3), out); // a frame of another grid: black, never read past its end
    EXPECT_EQ(out, MapBytes(size_t(full.totalChannels()), 0));
}

TEST(NetworkOutputSettings, KeptInTheSettingsFileWithAStableCid)
{
    NetworkOutputSettings s;
    EXPECT_TRUE(ensureNetworkCid(s));
    const QString cid = s.cid;
    EXPECT_FALSE(ensureNetworkCid(s));
    EXPECT_EQ(s.cid, cid);
    s.enabled = true;
    s.protocol = NetworkProtocol::ArtNet;
    s.host = QStringLiteral("192.168.1.255");
    s.port = 6455;
    s.layout = {3, 100, false, *ChannelOrder::parse(QStringLiteral("bgr"))};
    s.framesPerSecond = 25;
    s.sync = true;

    ProfileFile file = ProfileFile::fromBytes("[main]\nRows=10\n");
    writeNetworkOutputSettings(file, s);
    const ProfileFile again = ProfileFile::fromBytes(file.toBytes());
    EXPECT_EQ(readNetworkOutputSettings(again), s);
    EXPECT_EQ(again.readInt(QStringLiteral("main"), QStringLiteral("Rows"), 0), 10);

    // Values out of range are brought into it; a missing section gives the defaults.
    const ProfileFile odd = ProfileFile::fromBytes(
        "[Network]\nProtocol=9\nPixelsPerUniverse=400\nFrameRate=0\nChannelOrder=xyz\nCid=garbage\n");
    const NetworkOutputSettings read = readNetworkOutputSettings(odd);
    EXPECT_EQ(read.protocol, NetworkProtocol::Ddp);
    EXPECT_EQ(read.layout.pixelsPerUniverse, 170);
    EXPECT_EQ(read.framesPerSecond, 1);
    EXPECT_EQ(read.layout.order, ChannelOrder());
    NetworkOutputSettings fresh = read;
    EXPECT_TRUE(ensureNetworkCid(fresh));
    EXPECT_EQ(readNetworkOutputSettings(ProfileFile()), NetworkOutputSettings{});
}

TEST(NetworkOutputSettings, RefusalsNameWhatIsMissing)
{
    NetworkOutputSettings s;
    EXPECT_TRUE(networkSettingsRefusal(s).isEmpty()); // E1.31 multicast needs no host
    s.multicast = false;
    EXPECT_EQ(networkSettingsRefusal(s), NetworkOutputText::hostMissing());
    s.host = QStringLiteral("10.0.0.2");
    s.layout.startUniverse = 0;
    EXPECT_EQ(networkSettingsRefusal(s), NetworkOutputText::universeOutOfRange(0, 1, 63999));
    s.protocol = NetworkProtocol::ArtNet;
    EXPECT_TRUE(networkSettingsRefusal(s).isEmpty()); // Art-Net has universe 0
    s.layout.startUniverse = 40000;
    EXPECT_FALSE(networkSettingsRefusal(s).isEmpty());
    s.protocol = NetworkProtocol::Ddp;
    EXPECT_TRUE(networkSettingsRefusal(s).isEmpty());
    EXPECT_EQ(s.effectivePort(), 4048);
}

// The gapped wiring's three ports, each starting a universe, need three
// universes from the start: at the top of a protocol's range the last ones
// fall outside it, and the whole map is refused rather than sent in part.
TEST(NetworkOutputSettings, AMapPastTheProtocolsLastUniverseIsRefused)
{
    GappedWiring g;
    NetworkMapLayout layout;
    layout.startUniverse = 63997;
    const NetworkOutputMap fits(g.wiring, g.kRows, g.kCols, layout);
    EXPECT_EQ(fits.universes().back().universe, 63999);
    EXPECT_TRUE(networkMapRefusal(fits, NetworkProtocol::E131).isEmpty());
    EXPECT_TRUE(networkMapRefusal(fits, NetworkProtocol::Ddp).isEmpty());
    EXPECT_TRUE(networkMapRefusal(NetworkOutputMap(), NetworkProtocol::E131).isEmpty());
    // Art-Net ends at 32767.
    EXPECT_EQ(networkMapRefusal(fits, NetworkProtocol::ArtNet), NetworkOutputText::universesBeyondRange(63999, 0, 32767));

    layout.startUniverse = 63998;
    const NetworkOutputMap over(g.wiring, g.kRows, g.kCols, layout);
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Language::setCode(Language::English);
    const QString english = networkMapRefusal(over, NetworkProtocol::E131);
    Language::setCode(Language::Chinese);
    const QString chinese = networkMapRefusal(over, NetworkProtocol::E131);
    Language::setFolder(QString());
    Language::setCode(Language::English);
    EXPECT_EQ(english, QStringLiteral("The wiring needs universes up to 64000, but this protocol carries universes 1 to 63999."));
    EXPECT_EQ(chinese, QStringLiteral("线路需要用到 Universe 64000，但此协议的 Universe 范围是 1 到 63999。"));
    // Sharing universes packs the same pixels into two.
    layout.portStartsUniverse = false;
    EXPECT_TRUE(networkMapRefusal(NetworkOutputMap(g.wiring, g.kRows, g.kCols, layout), NetworkProtocol::E131).isEmpty());
}

} // namespace

#include "output/network/network_packet_builder.h"
#include "output/network/network_packets.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using NetBytes = std::vector<uint8_t>;

unsigned be16At(const QByteArray &b, int at) { return (uint8_t(b[at]) << 8) | uint8_t(b[at + 1]); }
uint32_t be32At(const QByteArray &b, int at) { return (be16At(b, at) << 16) | be16At(b, at + 2); }
NetBytes bytesOf(const QByteArray &b, int from, int count)
{
    return NetBytes(b.begin() + from, b.begin() + from + count);
}

E131Cid sampleCid()
{
    E131Cid cid;
    std::iota(cid.begin(), cid.end(), uint8_t(0xA0));
    return cid;
}

// 0, 1, 2, ... wrapping at 256, `count` channels.
NetBytes countingChannels(int count)
{
    NetBytes c(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        c[size_t(i)] = uint8_t(i * 7 + 1);
    return c;
}

TEST(NetworkPackets, E131FullUniverseHasTheHandComputedLayout)
{
    const NetBytes values = countingChannels(512);
    const QByteArray p = e131DataPacket(sampleCid(), 0x2A, 0x0123, values.data(), 512);
    ASSERT_EQ(p.size(), 638);
    // Root layer.
    EXPECT_EQ(be16At(p, 0), 0x0010u);
    EXPECT_EQ(be16At(p, 2), 0x0000u);
    EXPECT_EQ(p.mid(4, 12), QByteArray("ASC-E1.17\0\0\0", 12));
    EXPECT_EQ(be16At(p, 16), 0x726Eu);
    EXPECT_EQ(be32At(p, 18), 0x00000004u);
    const E131Cid cid = sampleCid();
    EXPECT_EQ(bytesOf(p, 22, 16), NetBytes(cid.begin(), cid.end()));
    // Framing layer.
    EXPECT_EQ(be16At(p, 38), 0x7258u);
    EXPECT_EQ(be32At(p, 40), 0x00000002u);
    EXPECT_EQ(p.mid(44, 64), QByteArray("Brightloom").leftJustified(64, '\0'));
    EXPECT_EQ(uint8_t(p[108]), 100);
    EXPECT_EQ(be16At(p, 109), 0u); // no synchronisation
    EXPECT_EQ(uint8_t(p[111]), 0x2A);
    EXPECT_EQ(uint8_t(p[112]), 0);
    EXPECT_EQ(be16At(p, 113), 0x0123u);
    // DMP layer.
    EXPECT_EQ(be16At(p, 115), 0x720Bu);
    EXPECT_EQ(uint8_t(p[117]), 0x02);
    EXPECT_EQ(uint8_t(p[118]), 0xA1);
    EXPECT_EQ(be16At(p, 119), 0x0000u);
    EXPECT_EQ(be16At(p, 121), 0x0001u);
    EXPECT_EQ(be16At(p, 123), 513u);
    EXPECT_EQ(uint8_t(p[125]), 0);
    EXPECT_EQ(bytesOf(p, 126, 512), values);
}

TEST(NetworkPackets, E131OneHundredSeventyPixelUniverseAndSynchronisation)
{
    const NetBytes values = countingChannels(510);
    const QByteArray p = e131DataPacket(sampleCid(), 7, 1, values.data(), 510, 9);
    ASSERT_EQ(p.size(), 636);
    EXPECT_EQ(be16At(p, 16), 0x726Cu);
    EXPECT_EQ(be16At(p, 38), 0x7256u);
    EXPECT_EQ(be16At(p, 115), 0x7209u);
    EXPECT_EQ(be16At(p, 123), 511u);
    EXPECT_EQ(be16At(p, 109), 9u);
    EXPECT_EQ(bytesOf(p, 126, 510), values);

    const QByteArray s = e131SyncPacket(sampleCid(), 3, 9);
    ASSERT_EQ(s.size(), 49);
    EXPECT_EQ(p.left(16), s.left(16));
    EXPECT_EQ(be16At(s, 16), 0x7021u);
    EXPECT_EQ(be32At(s, 18), 0x00000008u);
    EXPECT_EQ(be16At(s, 38), 0x700Bu);
    EXPECT_EQ(be32At(s, 40), 0x00000001u);
    EXPECT_EQ(uint8_t(s[44]), 3);
    EXPECT_EQ(be16At(s, 45), 9u);
    EXPECT_EQ(be16At(s, 47), 0u);

    EXPECT_EQ(e131MulticastGroup(1), 0xEFFF0001u);
    EXPECT_EQ(e131MulticastGroup(0x1234), 0xEFFF1234u);
}

TEST(NetworkPackets, ArtDmxHeaderPortAddressAndEvenLength)
{
    const NetBytes data = {10, 20, 30};
    const QByteArray p = artDmxPacket(5, 0x1234, data.data(), 3);
    ASSERT_EQ(p.size(), 18 + 4);
    EXPECT_EQ(p.left(8), QByteArray("Art-Net\0", 8));
    EXPECT_EQ(uint8_t(p[8]), 0x00); // OpCode 0x5000, low byte first
    EXPECT_EQ(uint8_t(p[9]), 0x50);
    EXPECT_EQ(be16At(p, 10), 14u);
    EXPECT_EQ(uint8_t(p[12]), 5);
    EXPECT_EQ(uint8_t(p[13]), 0);
    EXPECT_EQ(uint8_t(p[14]), 0x34); // SubUni
    EXPECT_EQ(uint8_t(p[15]), 0x12); // Net
    EXPECT_EQ(be16At(p, 16), 4u);
    EXPECT_EQ(bytesOf(p, 18, 4), (NetBytes{10, 20, 30, 0}));

    // The top bit of a 16-bit number is not part of the port-address.
    EXPECT_EQ(uint8_t(artDmxPacket(1, 0xFFFF, data.data(), 2)[15]), 0x7F);
    const QByteArray empty = artDmxPacket(1, 0, nullptr, 0);
    EXPECT_EQ(empty.size(), 20);
    EXPECT_EQ(be16At(empty, 16), 2u);
    const NetBytes full = countingChannels(512);
    EXPECT_EQ(be16At(artDmxPacket(1, 0, full.data(), 512), 16), 512u);

    const QByteArray sync = artSyncPacket();
    ASSERT_EQ(sync.size(), 14);
    EXPECT_EQ(sync.left(8), QByteArray("Art-Net\0", 8));
    EXPECT_EQ(uint8_t(sync[8]), 0x00);
    EXPECT_EQ(uint8_t(sync[9]), 0x52);
    EXPECT_EQ(be16At(sync, 10), 14u);
    EXPECT_EQ(be16At(sync, 12), 0u);
}

TEST(NetworkPackets, DdpHeaderOffsetsAndPushAcrossPackets)
{
    const NetBytes channels = countingChannels(3000);
    NetworkPacketBuilder builder({NetworkProtocol::Ddp});
    std::vector<NetworkDatagram> out;
    builder.build({}, channels.data(), 3000, out);
    ASSERT_EQ(out.size(), 3u);
    const int lengths[] = {1440, 1440, 120};
    for (int i = 0; i < 3; ++i) {
        const QByteArray &p = out[size_t(i)].bytes;
        ASSERT_EQ(p.size(), 10 + lengths[i]) << i;
        EXPECT_EQ(uint8_t(p[0]), i == 2 ? 0x41 : 0x40) << i; // version 1, push on the last
        EXPECT_EQ(uint8_t(p[1]), 1) << i;                      // one sequence number per frame
        EXPECT_EQ(uint8_t(p[2]), 0x0B) << i;
        EXPECT_EQ(uint8_t(p[3]), 0x01) << i;
        EXPECT_EQ(be32At(p, 4), uint32_t(i * 1440)) << i;
        EXPECT_EQ(be16At(p, 8), unsigned(lengths[i])) << i;
        EXPECT_EQ(bytesOf(p, 10, lengths[i]), NetBytes(channels.begin() + i * 1440, channels.begin() + i * 1440 + lengths[i]));
    }
    builder.build({}, channels.data(), 1440, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(uint8_t(out[0].bytes[0]), 0x41);
    EXPECT_EQ(uint8_t(out[0].bytes[1]), 2);
    builder.build({}, channels.data(), 0, out);
    EXPECT_TRUE(out.empty());
}

TEST(NetworkPackets, SequenceNumbersWrapAsEachProtocolCounts)
{
    const NetBytes channels = countingChannels(6);
    const std::vector<NetworkUniverseSlice> two = {{1, 0, 3}, {2, 3, 3}};
    std::vector<NetworkDatagram> out;

    NetworkPacketBuilder e131({NetworkProtocol::E131, sampleCid()});
    std::vector<int> seen;
    for (int frame = 0; frame < 258; ++frame) {
        e131.build(two, channels.data(), 6, out);
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[0].bytes[111], out[1].bytes[111]); // each universe counts its own packets
        seen.push_back(uint8_t(out[0].bytes[111]));
    }
    EXPECT_EQ(seen[0], 0);
    EXPECT_EQ(seen[255], 255);
    EXPECT_EQ(seen[256], 0);
    EXPECT_EQ(seen[257], 1);

    NetworkPacketBuilder art({NetworkProtocol::ArtNet});
    seen.clear();
    for (int frame = 0; frame < 256; ++frame) {
        art.build(two, channels.data(), 6, out);
        seen.push_back(uint8_t(out[1].bytes[12]));
    }
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[254], 255);
    EXPECT_EQ(seen[255], 1); // 0 would tell the node to stop checking
    EXPECT_EQ(art.lastSequence(2), 1);

    NetworkPacketBuilder ddp({NetworkProtocol::Ddp});
    seen.clear();
    for (int frame = 0; frame < 16; ++frame) {
        ddp.build({}, channels.data(), 6, out);
        seen.push_back(uint8_t(out[0].bytes[1]));
    }
    EXPECT_EQ(seen[14], 15);
    EXPECT_EQ(seen[15], 1);
}

TEST(NetworkPackets, BuilderDestinationsSyncAndUniverseRange)
{
    const NetBytes channels = countingChannels(9);
    // Universe 0 is not an E1.31 universe; 64000 neither.
    const std::vector<NetworkUniverseSlice> slices = {{0, 0, 3}, {5, 3, 3}, {64000, 6, 3}, {6, 6, 3}};
    std::vector<NetworkDatagram> out;

    NetworkPacketBuilder multicast({NetworkProtocol::E131, sampleCid(), true, true});
    multicast.build(slices, channels.data(), 9, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(be16At(out[0].bytes, 113), 5u);
    EXPECT_EQ(out[0].group, e131MulticastGroup(5));
    EXPECT_EQ(bytesOf(out[1].bytes, 126, 3), (NetBytes{channels[6], channels[7], channels[8]}));
    EXPECT_EQ(out[1].group, e131MulticastGroup(6));
    // Both data packets wait for the synchronisation packet of universe 5.
    EXPECT_EQ(be16At(out[0].bytes, 109), 5u);
    EXPECT_EQ(be16At(out[1].bytes, 109), 5u);
    EXPECT_EQ(out[2].bytes.size(), kE131SyncBytes);
    EXPECT_EQ(out[2].group, e131MulticastGroup(5));

    NetworkPacketBuilder unicast({NetworkProtocol::E131, sampleCid()});
    unicast.build(slices, channels.data(), 9, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].group, 0u);
    EXPECT_EQ(be16At(out[0].bytes, 109), 0u);

    NetworkPacketBuilder art({NetworkProtocol::ArtNet, {}, false, true});
    art.build(slices, channels.data(), 9, out);
    ASSERT_EQ(out.size(), 4u); // 0, 5, 6 and ArtSync; 64000 is past 15 bits
    EXPECT_EQ(uint8_t(out[0].bytes[14]), 0);
    EXPECT_EQ(out[3].bytes, artSyncPacket());
}

TEST(NetworkPackets, CidTextRoundTrip)
{
    E131Cid cid{};
    ASSERT_TRUE(e131CidFromText(QStringLiteral("6ba7b810-9dad-11d1-80b4-00c04fd430c8"), cid));
    EXPECT_EQ(cid[0], 0x6B);
    EXPECT_EQ(cid[15], 0xC8);
    EXPECT_EQ(e131CidText(cid), QStringLiteral("6ba7b810-9dad-11d1-80b4-00c04fd430c8"));
    EXPECT_FALSE(e131CidFromText(QStringLiteral("not a uuid"), cid));
}

} // namespace

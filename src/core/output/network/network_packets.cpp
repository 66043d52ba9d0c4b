#include "output/network/network_packets.h"

#include <QUuid>
#include <algorithm>
#include <cstring>

namespace {

void putBe16(QByteArray &b, int at, unsigned v)
{
    b[at] = char((v >> 8) & 0xFF);
    b[at + 1] = char(v & 0xFF);
}

void putBe32(QByteArray &b, int at, uint32_t v)
{
    putBe16(b, at, v >> 16);
    putBe16(b, at + 2, v & 0xFFFF);
}

// The flags (0x7) and the length of the layer from `at` to the end.
void putFlagsAndLength(QByteArray &b, int at) { putBe16(b, at, 0x7000u | unsigned(b.size() - at)); }

// Root layer shared by data and synchronisation packets: preamble size 16,
// post-amble 0, "ASC-E1.17" identifier, flags and length, vector, CID.
void putE131Root(QByteArray &b, uint32_t vector, const E131Cid &cid)
{
    static const char kIdentifier[12] = {'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0, 0, 0};
    putBe16(b, 0, 0x0010);
    putBe16(b, 2, 0x0000);
    std::memcpy(b.data() + 4, kIdentifier, sizeof kIdentifier);
    putFlagsAndLength(b, 16);
    putBe32(b, 18, vector);
    std::memcpy(b.data() + 22, cid.data(), cid.size());
}

void putArtNetId(QByteArray &b, unsigned opCode)
{
    std::memcpy(b.data(), "Art-Net", 8); // with its terminating zero
    b[8] = char(opCode & 0xFF);          // OpCode little-endian
    b[9] = char(opCode >> 8);
    putBe16(b, 10, 14); // protocol version
}

} // namespace

QByteArray e131DataPacket(const E131Cid &cid, uint8_t sequence, int universe, const uint8_t *values, int count,
                          int syncAddress)
{
    count = std::clamp(count, 0, kE131MaxSlots);
    QByteArray b(kE131HeaderBytes + count, '\0');
    putE131Root(b, 0x00000004, cid);
    // Framing layer.
    putFlagsAndLength(b, 38);
    putBe32(b, 40, 0x00000002);
    std::memcpy(b.data() + 44, "Brightloom", 10); // source name, 64 bytes, zero-filled
    b[108] = char(kE131Priority);
    putBe16(b, 109, unsigned(syncAddress));
    b[111] = char(sequence);
    b[112] = 0; // options: not preview, not terminated
    putBe16(b, 113, unsigned(universe));
    // DMP layer.
    putFlagsAndLength(b, 115);
    b[117] = char(0x02); // set property
    b[118] = char(0xA1); // address and data type
    putBe16(b, 119, 0x0000);
    putBe16(b, 121, 0x0001);
    putBe16(b, 123, unsigned(count + 1));
    b[125] = 0; // start code
    if (count > 0)
        std::memcpy(b.data() + kE131HeaderBytes, values, size_t(count));
    return b;
}

QByteArray e131SyncPacket(const E131Cid &cid, uint8_t sequence, int syncAddress)
{
    QByteArray b(kE131SyncBytes, '\0');
    putE131Root(b, 0x00000008, cid);
    putFlagsAndLength(b, 38);
    putBe32(b, 40, 0x00000001);
    b[44] = char(sequence);
    putBe16(b, 45, unsigned(syncAddress));
    return b; // two reserved bytes stay 0
}

uint32_t e131MulticastGroup(int universe)
{
    return (239u << 24) | (255u << 16) | (uint32_t(universe) & 0xFFFFu);
}

QByteArray artDmxPacket(uint8_t sequence, int portAddress, const uint8_t *data, int count)
{
    count = std::clamp(count, 0, 512);
    const int length = std::max(2, count + (count & 1));
    QByteArray b(kArtNetHeaderBytes + length, '\0');
    putArtNetId(b, 0x5000);
    b[12] = char(sequence);
    b[13] = 0;                                  // physical
    b[14] = char(portAddress & 0xFF);           // SubUni: sub-net and universe
    b[15] = char((portAddress >> 8) & 0x7F);    // Net
    putBe16(b, 16, unsigned(length));
    if (count > 0)
        std::memcpy(b.data() + kArtNetHeaderBytes, data, size_t(count));
    return b;
}

QByteArray artSyncPacket()
{
    QByteArray b(kArtSyncBytes, '\0');
    putArtNetId(b, 0x5200);
    return b; // Aux1 and Aux2 are 0
}

QByteArray ddpPacket(uint8_t sequence, uint32_t offset, const uint8_t *data, int count, bool push)
{
    count = std::clamp(count, 0, kDdpMaxDataBytes);
    QByteArray b(kDdpHeaderBytes + count, '\0');
    b[0] = char(0x40 | (push ? 0x01 : 0x00)); // version 1
    b[1] = char(sequence & 0x0F);
    b[2] = char(0x0B); // RGB, 8 bits per channel
    b[3] = char(0x01); // the display
    putBe32(b, 4, offset);
    putBe16(b, 8, unsigned(count));
    if (count > 0)
        std::memcpy(b.data() + kDdpHeaderBytes, data, size_t(count));
    return b;
}

uint8_t nextE131Sequence(uint8_t s) { return uint8_t(s + 1); }
uint8_t nextArtNetSequence(uint8_t s) { return s >= 255 ? 1 : uint8_t(s + 1); }
uint8_t nextDdpSequence(uint8_t s) { return s >= 15 ? 1 : uint8_t(s + 1); }

bool e131CidFromText(const QString &text, E131Cid &cid)
{
    const QUuid uuid(text.trimmed());
    if (uuid.isNull())
        return false;
    const QByteArray bytes = uuid.toRfc4122();
    std::memcpy(cid.data(), bytes.constData(), cid.size());
    return true;
}

QString e131CidText(const E131Cid &cid)
{
    const QByteArray bytes(reinterpret_cast<const char *>(cid.data()), int(cid.size()));
    return QUuid::fromRfc4122(bytes).toString(QUuid::WithoutBraces);
}
